// The window's settings, name and icon, and whether SDL found a screen to
// show it on.
#pragma once

#include <cstdint>

// Before SDL starts: the settings the game asks of the libraries beneath it,
// each only where the player has made none.
void window_choose_settings();
// After SDL started: true when the settings chosen for it foresaw another
// driver than the one SDL took, and are taken back; SDL must then start
// again.
bool window_settings_misfit();
// After SDL started: why the driver it took shows a player nothing to play
// on (text in the terminal, or no picture at all), when SDL fell back to such
// a driver on its own; null otherwise. A driver named in SDL_VIDEODRIVER
// before the game started was chosen, and counts as seen.
const char* video_driver_unseen();
// The factor, in hundredths, by which the window is best shown on a screen
// of this size: below 100 where the window, with room for a title bar and a
// panel, would not fit it; a whole number of times where it fits twice or
// more across and down; else 100, the window as it is.
int32_t window_scale(int32_t screen_w, int32_t screen_h);
// After SDL started, before the window opens: on a library that can scale
// the window's picture (sdl12-compat), the factor and sampling that fit the
// player's screen, unless the player chose a factor.
void window_fit_screen();
// After play: true when the game ended because the Wayland compositor it
// showed on went away, which reaches the game as a close of its window.
bool window_display_lost();
// Whether a quit waits in SDL's events, pumped first: the window is closing
// and takes no more updates.
bool window_closing();
// The caption "ORBO-STRAK" and an invader as the icon; SDL 1.2 takes the icon
// only before the window opens.
void window_name_and_icon();
