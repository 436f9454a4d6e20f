// The scripted player at the keyboard, and a frame of play timed with its
// heap allocations counted.
#pragma once

#include <cstdint>

// It sweeps the cannon from edge to edge and taps fire every other frame,
// so it shoots through shields and into the formation all along the line;
// it turns away from a bomb about to land on it, so that a game lasts.
// Called once before each frame, it presses and releases keys for it.
void script_input();

// What runs between the two is timed and its allocations counted.
// play_start is when play_begin was called; play_end returns the
// microseconds since.
extern int64_t play_start;
void play_begin();
float play_end();

// The player's input, then one game_frame timed into *us; game_frame's
// result, 0 once the game is over.
int timed_frame(float* us);
