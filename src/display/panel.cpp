#include "display/panel.h"

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/game.h"

void panel_setup() {
    queue_reset();
    queue_fill(1, 963, 1899, 16, 255); // the ground line runs under the panel too
    queue_fill(1820, 0, 2, 980, 255);  // separator
    draw_text(1828, 860, "ORBO-");
    draw_text(1844, 868, "STRAK");
    draw_text(1828, 32, "SCORE");
    draw_text(1828, 56, "HISCORE");
    draw_text(1828, 80, "REST");
    flush_queue();
    panel_draw_number(0, PANEL_SCORE_Y);
    panel_draw_number(hi_score, PANEL_HI_SCORE_Y);
    panel_draw_lives(2);
    flush_queue();
    presenter_enabled = 1;
}

// Six digits with leading zeros; a larger value shows its last six. Each
// glyph paints its whole cell, so the old digit needs no erase.
void panel_draw_number(int32_t value, int16_t y) {
    int32_t power = 100000;
    for (int k = 0; k < 6; k++) {
        queue_glyph(int16_t(1836 + 8 * k), y, uint32_t(48 + value / power % 10));
        power /= 10;
    }
}

void panel_draw_lives(int32_t n) {
    queue_glyph(1836, 88, uint32_t(48 + n));
    for (int i = 0; i < 3; i++) {
        int16_t x = int16_t(1836 + 14 * i);
        if (i < n)
            queue_sprite(x, 96, sprite_cannon.w, sprite_cannon.h, sprite_cannon.pixels);
        else
            queue_fill(x, 96, 13, 8, 0);
    }
}
