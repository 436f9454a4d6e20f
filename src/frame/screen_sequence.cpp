#include "frame/screen_sequence.h"

#include <cstdlib>

#include "display/draw_queue.h"
#include "frame/input.h"
#include "play/game.h"
#include "screens/screens.h"
#include "sound/mixer.h"

int32_t screen_state;

// The splash and game-over waits: the first 61 passes do not listen, later
// ones end the wait on fire.
static bool wait_pass(int32_t deaf_above) {
    present_frame();
    int32_t t = frame_timer;
    if (t < deaf_above) {
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
    case 0:
        hi_score = 0;
        screen_state = 1;
        break;
    case 1:
        splash_show();
        screen_state = 2;
        break;
    case 2:
        if (wait_pass(120))
            screen_state = 3;
        break;
    case 3:
        title_show();
        screen_state = 4;
        break;
    case 4:
        if (title_update() == 0)
            screen_state = 5;
        break;
    case 5:
        game_start();
        screen_state = 6;
        break;
    case 6:
        if (game_frame() == 0)
            screen_state = 7;
        break;
    case 7:
        game_over_show(score, hi_score);
        screen_state = 8;
        break;
    case 8:
        if (wait_pass(240))
            screen_state = 1;
        break;
    default:
        screen_state = 0;
        break;
    }
}

extern "C" int SDL_main(int, char*[]) {
    if (video_init() != 0)
        exit(-1);
    input_init();
    audio_init(); // without a sound device the game runs silent
    screen_state = 0;
    // tested after every pass: the pass whose poll saw a quit is the last
    while (quit_requested == 0)
        screen_sequence_pass();
    audio_shutdown();
    for (SDL_Joystick* pad : pad_handles)
        if (pad)
            SDL_JoystickClose(pad);
    SDL_FreeSurface(screen_surface);
    return 0;
}
