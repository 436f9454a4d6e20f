// The watchdog: a pass of the screen sequence that never ends is a library
// stuck on a display that went away, and it ends the game.
#pragma once

#include <cstdint>

// Processor time of the main thread that one pass may take, in milliseconds;
// a frame takes a few.
constexpr int32_t WATCHDOG_CPU_MS = 2000;
// The exit status of a game that the watchdog ended, as of a lost X server.
constexpr int WATCHDOG_EXIT_STATUS = 1;

// Starts watching the calling thread; each feed grants it WATCHDOG_CPU_MS
// anew. A feed before the start does nothing.
void watchdog_start();
void watchdog_feed();
