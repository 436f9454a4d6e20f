// Test rig: a fake clock behind the wrapped SDL_GetTicks/SDL_Delay, a count
// of window updates, and helpers that read the real surface's pixels.
#pragma once

#include <SDL.h>
#include <cstdint>

#include "tools/headless.h"

// While fake_clock_on is 0 the wrapped calls go to the real SDL.
extern int fake_clock_on;
extern uint32_t fake_ticks;          // what SDL_GetTicks returns
extern uint32_t fake_delay_total;    // sum of all SDL_Delay arguments
extern int fake_delay_calls;         // number of SDL_Delay calls
extern uint32_t fake_ticks_per_call; // added to fake_ticks after every SDL_GetTicks
extern int update_rect_calls;        // SDL_UpdateRect calls since start
// Called after every SDL_UpdateRect with the new count, when set.
extern void (*update_rect_hook)(int calls);

void fake_clock_reset(uint32_t ticks);

// While set, SDL_SetVideoMode fails as it would without a usable display.
extern int fail_video_mode;

// SDL with the dummy drivers, the window open and the queue empty.
void start_video();
// Gray level at a pixel of the window (the low byte), and the whole word.
uint8_t pixel_gray(int x, int y);
uint32_t pixel_word(int x, int y);
// Fill the whole surface with one 32-bit word, bypassing the queue.
void paint_surface(uint32_t word);
