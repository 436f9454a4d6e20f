// Test rig: a fake clock behind the wrapped SDL_GetTicks/SDL_Delay, a count
// of window updates, a failing video mode on demand, and readers of the real
// surface's pixels.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "tools/headless.h"

extern uint32_t fake_delay_total; // sum of all SDL_Delay arguments
extern int fake_delay_calls;
extern int update_rect_calls; // SDL_UpdateRect calls since start
extern int fail_video_mode;   // while set, SDL_SetVideoMode fails as without a display

// From now on SDL_GetTicks reads `ticks`, moved on only by SDL_Delay.
void fake_clock_reset(uint32_t ticks);
// SDL with the dummy drivers, the window open and the queue empty.
void start_video();
// The draw queue emptied without drawing what it held.
void empty_queue();
// Gray level at a pixel of the window (the low byte), and the whole word.
uint8_t pixel_gray(int x, int y);
uint32_t pixel_word(int x, int y);
// Whether the window shows a w x h gray picture at (x, y); no picture is a
// black one. And whether it shows `text` there in the game's font, a
// character without a glyph as a black cell.
::testing::AssertionResult shows_picture(int x, int y, int w, int h, const uint8_t* pixels);
::testing::AssertionResult shows_text(int x, int y, const char* text);
