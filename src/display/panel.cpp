#include "display/panel.h"

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/game.h"

constexpr int16_t GROUND_Y = 963;
constexpr int16_t GROUND_HEIGHT = 16;
constexpr int16_t SEPARATOR_X = 1820;
constexpr int16_t SEPARATOR_WIDTH = 2;
constexpr uint8_t WHITE = 255;
constexpr int16_t NAME_Y = 860; // "ORBO-" over "STRAK", one cell lower and two in
constexpr int16_t REST_LABEL_Y = 80;
constexpr int16_t REST_COUNT_Y = 88;
constexpr int16_t REST_CANNONS_Y = 96;
constexpr int16_t REST_CANNON_PITCH = 14;
constexpr int REST_CANNONS_SHOWN = 3;
constexpr int NUMBER_DIGITS = 6;
constexpr int32_t LEADING_POWER = 100000; // 10 to the NUMBER_DIGITS - 1

void panel_setup() {
    queue_reset();
    // the ground line runs under the panel too
    queue_fill(1, GROUND_Y, SCREEN_WIDTH - 1, GROUND_HEIGHT, WHITE);
    queue_fill(SEPARATOR_X, 0, SEPARATOR_WIDTH, SCREEN_HEIGHT, WHITE);
    draw_text(PANEL_LABEL_X, NAME_Y, "ORBO-");
    draw_text(PANEL_LABEL_X + 2 * GLYPH_SIZE, NAME_Y + GLYPH_SIZE, "STRAK");
    panel_draw_labels();
    draw_text(PANEL_LABEL_X, REST_LABEL_Y, "REST");
    flush_queue();
    panel_draw_number(0, PANEL_SCORE_Y);
    panel_draw_number(hi_score, PANEL_HI_SCORE_Y);
    panel_draw_lives(STARTING_LIVES);
    flush_queue();
    presenter_enabled = 1;
}

void panel_draw_labels() {
    draw_text(PANEL_LABEL_X, PANEL_SCORE_LABEL_Y, "SCORE");
    draw_text(PANEL_LABEL_X, PANEL_HI_SCORE_LABEL_Y, "HISCORE");
}

// Six digits with leading zeros; a larger value shows its last six. Each
// glyph paints its whole cell, so the old digit needs no erase.
void panel_draw_number(int32_t value, int16_t y) {
    int32_t power = LEADING_POWER;
    for (int k = 0; k < NUMBER_DIGITS; k++) {
        queue_glyph(int16_t(PANEL_NUMBER_X + GLYPH_SIZE * k), y,
                    uint32_t('0' + value / power % 10));
        power /= 10;
    }
}

void panel_draw_lives(int32_t n) {
    queue_glyph(PANEL_NUMBER_X, REST_COUNT_Y, uint32_t('0' + n));
    for (int i = 0; i < REST_CANNONS_SHOWN; i++) {
        int16_t x = int16_t(PANEL_NUMBER_X + REST_CANNON_PITCH * i);
        if (i < n)
            queue_sprite(x, REST_CANNONS_Y, sprite_cannon.w, sprite_cannon.h, sprite_cannon.pixels);
        else
            queue_fill(x, REST_CANNONS_Y, sprite_cannon.w, sprite_cannon.h, 0);
    }
}
