#include "screens/screens.h"

#include "assets/pictures.h"
#include "display/draw_queue.h"
#include "display/panel.h"
#include "frame/input.h"
#include "sound/mixer.h"

int32_t frame_timer;
int32_t start_countdown;

constexpr int32_t TITLE_DEAF_FRAMES = 30;
constexpr int32_t START_COUNTDOWN_FRAMES = 90;
constexpr int32_t PROMPT_BLINK_FRAMES = 30; // on as long as off
constexpr int32_t COUNTDOWN_BLINK_FRAMES = 15;

// Where each screen's picture and texts stand.
constexpr int16_t SPLASH_X = 870;
constexpr int16_t SPLASH_Y = 462;
constexpr int16_t TITLE_X = 790;
constexpr int16_t TITLE_Y = 330;
constexpr int16_t PROMPT_X = 906;
constexpr int16_t PROMPT_Y = 550;
constexpr int16_t GAME_OVER_X = 1704;
constexpr int16_t GAME_OVER_Y = 116;

template <int W, int H>
static void show_picture(int16_t x, int16_t y, const Picture<W, H>& picture) {
    queue_sprite(x, y, W, H, picture.pixels);
}

int splash_show() {
    queue_reset();
    show_picture(SPLASH_X, SPLASH_Y, splash_picture);
    flush_queue();
    presenter_enabled = 1;
    frame_timer = SPLASH_FRAMES;
    return 0;
}

int title_show() {
    queue_reset();
    show_picture(TITLE_X, TITLE_Y, title_picture);
    flush_queue();
    presenter_enabled = 1;
    frame_timer = 0;
    start_countdown = 0;
    return 0;
}

int title_update() {
    present_frame();
    int32_t t = frame_timer + 1;
    frame_timer = t;
    // 30 frames on, 30 off; the picture is black under the prompt, so the
    // eleven blank cells erase it cleanly.
    if (t % PROMPT_BLINK_FRAMES == 0) {
        if (t % (2 * PROMPT_BLINK_FRAMES) == 0)
            draw_text(PROMPT_X, PROMPT_Y, "PUSH BUTTON");
        else
            draw_text(PROMPT_X, PROMPT_Y, "           ");
    }
    if (t > TITLE_DEAF_FRAMES && start_countdown == 0) {
        input_poll();
        if (player_mask & BUTTON_FIRE) {
            start_countdown = START_COUNTDOWN_FRAMES;
            play_sound(VOICE_MARCH, SND_START);
        }
    }
    if (start_countdown <= 0)
        return 1;
    // Jump to one short of the next multiple of 15: from now on every pass
    // lands on a multiple of 15 and the prompt blinks 2 frames on, 2 off.
    frame_timer = t / COUNTDOWN_BLINK_FRAMES * COUNTDOWN_BLINK_FRAMES + COUNTDOWN_BLINK_FRAMES - 1;
    start_countdown -= 1;
    return start_countdown > 0 ? 1 : 0;
}

int game_over_show(int32_t final_score, int32_t best_score) {
    queue_reset();
    draw_text(GAME_OVER_X, GAME_OVER_Y, "GAME OVER");
    flush_queue();
    panel_draw_labels();
    panel_draw_number(final_score, PANEL_SCORE_Y);
    panel_draw_number(best_score, PANEL_HI_SCORE_Y);
    flush_queue();
    presenter_enabled = 1;
    frame_timer = GAME_OVER_FRAMES;
    play_sound(VOICE_MARCH, SND_GAME_OVER);
    // the game-over tune plays alone
    play_sound(VOICE_CANNON, SND_STOP);
    play_sound(VOICE_INVADERS, SND_STOP);
    play_sound(VOICE_SHIP, SND_STOP);
    return 0;
}
