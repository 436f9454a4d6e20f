// The benchmark's clock, and the pacing wait and window update it wraps so
// that presented frames can be timed around them.
#pragma once

#include <time.h>

#include <cstdint>

// Headless frames are timed in the thread's CPU time, so that another
// process taking the core does not show up as a slow frame; presented ones
// on the wall clock (CLOCK_MONOTONIC), since the wait and the window are
// what they measure.
extern clockid_t frame_clock;

int64_t now_ns();

// Reading the thread's CPU clock is a system call, a few microseconds that
// are not the game's: measured by calibrate_clock and taken off every sample.
extern float clock_overhead_us;

// Microseconds on frame_clock since start, less the clock's own cost.
float elapsed_us(int64_t start);
// Measures clock_overhead_us anew, for the clock frame_clock names now.
void calibrate_clock();

// Headless, SDL_Delay returns at once and SDL_UpdateRect is not timed.
// Presented (real_pacing), the wait is kept and both are clocked.
extern bool real_pacing;
extern int64_t wait_end_ns;   // when the latest wait returned
extern int64_t update_end_ns; // when the latest window update returned
extern int64_t update_ns;     // how long it took
