// The window's settings, name and icon, and whether SDL found a screen to
// show it on.
#pragma once

// Before SDL starts: the settings the game asks of the libraries beneath it,
// each only where the player has made none.
void window_choose_settings();
// After SDL started: why the driver it took shows a player nothing to play
// on (text in the terminal, or no picture at all), when SDL fell back to such
// a driver on its own; null otherwise. A driver named in SDL_VIDEODRIVER
// before the game started was chosen, and counts as seen.
const char* video_driver_unseen();
// The caption "ORBO-STRAK" and an invader as the icon; SDL 1.2 takes the icon
// only before the window opens.
void window_name_and_icon();
