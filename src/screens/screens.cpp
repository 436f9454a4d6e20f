#include "screens/screens.h"

#include "assets/pictures.h"
#include "display/draw_queue.h"
#include "display/panel.h"
#include "frame/input.h"
#include "sound/mixer.h"

int32_t frame_timer;
int32_t start_countdown;

constexpr int32_t SPLASH_FRAMES = 180;
constexpr int32_t GAME_OVER_FRAMES = 300;
constexpr int32_t TITLE_DEAF_FRAMES = 30;
constexpr int32_t START_COUNTDOWN_FRAMES = 90;
// The title may stay up for ever. Its count steps back by whole blink
// periods before it could overflow (after some 390 days), so the
// prompt keeps its rhythm and the deaf first frames stay behind it.
constexpr int32_t BLINK_PERIOD_FRAMES = 60;
constexpr int32_t TITLE_FRAMES_FOLD = 35000000 * BLINK_PERIOD_FRAMES;

template <int W, int H>
static void show_picture(int16_t x, int16_t y, const Picture<W, H>& picture) {
    queue_sprite(x, y, W, H, picture.pixels);
}

int splash_show() {
    queue_reset();
    show_picture(870, 462, splash_picture);
    flush_queue();
    presenter_enabled = 1;
    frame_timer = SPLASH_FRAMES;
    return 0;
}

int title_show() {
    queue_reset();
    show_picture(790, 330, title_picture);
    flush_queue();
    presenter_enabled = 1;
    frame_timer = 0;
    start_countdown = 0;
    return 0;
}

int title_update() {
    present_frame();
    int32_t t = frame_timer;
    if (t > TITLE_FRAMES_FOLD)
        t -= TITLE_FRAMES_FOLD - BLINK_PERIOD_FRAMES;
    t += 1;
    frame_timer = t;
    // 30 frames on, 30 off; the picture is black under the prompt, so the
    // eleven blank cells erase it cleanly.
    if (t % 30 == 0) {
        if (t % 60 == 0)
            draw_text(906, 550, "PUSH BUTTON");
        else
            draw_text(906, 550, "           ");
    }
    if (t > TITLE_DEAF_FRAMES && start_countdown == 0) {
        input_poll();
        if (player_mask & BUTTON_FIRE) {
            start_countdown = START_COUNTDOWN_FRAMES;
            play_sound(2, SND_START);
        }
    }
    if (start_countdown <= 0)
        return 1;
    // Jump to one short of the next multiple of 15: from now on every pass
    // lands on a multiple of 15 and the prompt blinks 2 frames on, 2 off.
    frame_timer = t / 15 * 15 + 14;
    start_countdown -= 1;
    return start_countdown > 0 ? 1 : 0;
}

int game_over_show(int32_t final_score, int32_t best_score) {
    queue_reset();
    draw_text(1704, 116, "GAME OVER");
    flush_queue();
    draw_text(1828, 32, "SCORE");
    draw_text(1828, 56, "HISCORE");
    panel_draw_number(final_score, PANEL_SCORE_Y);
    panel_draw_number(best_score, PANEL_HI_SCORE_Y);
    flush_queue();
    presenter_enabled = 1;
    frame_timer = GAME_OVER_FRAMES;
    play_sound(2, SND_GAME_OVER);
    // the game-over tune plays alone
    play_sound(0, 0);
    play_sound(1, 0);
    play_sound(3, 0);
    return 0;
}
