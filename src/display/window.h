// The window's size on the player's screen, its name and icon, and what the
// window code asks of SDL about itself.
#pragma once

#include <cstdint>

// Whether the SDL 1.2 beneath is sdl12-compat, the layer over SDL 2 and 3,
// which can show the window scaled.
bool sdl12_compat();
// The name of the video driver SDL took; "" before SDL's video has started.
const char* window_video_driver();
// The factor, in hundredths, by which the window is best shown on a screen
// of this size that keeps `room_rows` for a title bar and a panel: below 100
// where the window would not fit it; a whole number of times where it fits
// twice or more across and down; else 100, the window as it is.
int32_t window_scale(int32_t screen_w, int32_t screen_h, int32_t room_rows);
// After SDL started, before the window opens: on a library that can scale
// the window's picture (sdl12-compat), the factor and sampling that fit the
// player's screen, unless the player chose a factor.
void window_fit_screen();
// The caption "ORBO-STRAK" and an invader as the icon; SDL 1.2 takes the icon
// only before the window opens.
void window_name_and_icon();
