#include "frame/screen_sequence.h"

#include <cstdlib>

#include "display/draw_queue.h"
#include "frame/input.h"
#include "platform/platform.h"
#include "play/game.h"
#include "screens/screens.h"
#include "sound/mixer.h"

int32_t screen_state;

// The splash and game-over waits do not listen while their timer is within
// this many frames of where the set-up put it: the first 61 passes.
constexpr int32_t WAIT_DEAF_FRAMES = 60;

// One pass of a wait of this many frames; later passes end it on fire.
static bool wait_pass(int32_t wait_frames) {
    present_frame();
    int32_t t = frame_timer;
    if (t < wait_frames - WAIT_DEAF_FRAMES) {
        input_poll();
        if (player_mask & BUTTON_FIRE)
            t = 1;
    }
    t -= 1;
    frame_timer = t;
    return t <= 0;
}

void screen_sequence_pass() {
    switch (screen_state) {
    case SCREEN_CLEAR_HI_SCORE:
        hi_score = 0;
        screen_state = SCREEN_SPLASH_SHOW;
        break;
    case SCREEN_SPLASH_SHOW:
        splash_show();
        screen_state = SCREEN_SPLASH_WAIT;
        break;
    case SCREEN_SPLASH_WAIT:
        if (wait_pass(SPLASH_FRAMES))
            screen_state = SCREEN_TITLE_SHOW;
        break;
    case SCREEN_TITLE_SHOW:
        title_show();
        screen_state = SCREEN_TITLE;
        break;
    case SCREEN_TITLE:
        if (title_update() == 0)
            screen_state = SCREEN_GAME_START;
        break;
    case SCREEN_GAME_START:
        game_start();
        screen_state = SCREEN_GAME;
        break;
    case SCREEN_GAME:
        if (game_frame() == 0)
            screen_state = SCREEN_GAME_OVER_SHOW;
        break;
    case SCREEN_GAME_OVER_SHOW:
        game_over_show(score, hi_score);
        screen_state = SCREEN_GAME_OVER_WAIT;
        break;
    case SCREEN_GAME_OVER_WAIT:
        if (wait_pass(GAME_OVER_FRAMES))
            screen_state = SCREEN_SPLASH_SHOW;
        break;
    default:
        screen_state = SCREEN_CLEAR_HI_SCORE;
        break;
    }
}

extern "C" int SDL_main(int, char*[]) {
    if (video_init() != 0)
        exit(-1);
    input_init();
    audio_init(); // without a sound device the game runs silent
    screen_state = SCREEN_CLEAR_HI_SCORE;
    watchdog_start(); // each pass, and the end after the last one, get its time anew
    // tested after every pass: the pass whose poll saw a quit is the last
    while (quit_requested == 0) {
        watchdog_feed();
        screen_sequence_pass();
    }
    watchdog_feed();
    audio_shutdown();
    for (SDL_Joystick* pad : pad_handles)
        if (pad)
            SDL_JoystickClose(pad);
    // a display lost is no orderly end, as the status 1 of a lost X server says
    int status = platform_display_lost() ? 1 : 0;
    SDL_FreeSurface(screen_surface);
    return status;
}
