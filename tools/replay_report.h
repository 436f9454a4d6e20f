// What the replay prints of a frame: the state of play, the sounds started
// and every draw command queued, sprites and glyphs by name.
#pragma once

#include <cstdint>

// Set from the command line: --state-only clears print_commands,
// --commands-only clears print_state.
extern bool print_state;
extern bool print_commands;

// Prints frame `frame`, just after game_start (0) or the frame-th
// game_frame: its state line, or only "frame N" without print_state, its
// sounds and its draw commands. The voices it reports are silenced.
void report_frame(int32_t frame);
