// The program's main function and the nine-state screen sequence.
#pragma once

#include <cstdint>

// The set-ups take one pass each; the waits, the title and the game run a
// frame per pass.
enum ScreenState : int32_t {
    SCREEN_CLEAR_HI_SCORE = 0,
    SCREEN_SPLASH_SHOW = 1,
    SCREEN_SPLASH_WAIT = 2,
    SCREEN_TITLE_SHOW = 3,
    SCREEN_TITLE = 4,
    SCREEN_GAME_START = 5,
    SCREEN_GAME = 6,
    SCREEN_GAME_OVER_SHOW = 7,
    SCREEN_GAME_OVER_WAIT = 8,
};

extern int32_t screen_state; // a ScreenState

extern "C" int SDL_main(int argc, char* argv[]);
// One pass of the current state.
void screen_sequence_pass();
