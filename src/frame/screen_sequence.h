// The program's main function and the nine-state screen sequence.
#pragma once

#include <cstdint>

// 0 clear hi-score, 1 splash set-up, 2 splash wait, 3 title set-up,
// 4 title, 5 game start, 6 game frame, 7 game-over set-up, 8 game-over wait.
extern int32_t screen_state;

extern "C" int SDL_main(int argc, char* argv[]);
// One pass of the current state.
void screen_sequence_pass();
