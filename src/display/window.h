// The window's name and icon, and whether SDL found a screen to show it on.
#pragma once

// True when SDL, finding no display, fell back on its own to a driver that
// shows a player nothing to play on: text in the terminal, or no picture at
// all. A driver named in SDL_VIDEODRIVER was chosen, and counts as seen.
bool video_driver_unseen();
// The caption "ORBO-STRAK" and an invader as the icon; SDL 1.2 takes the icon
// only before the window opens.
void window_name_and_icon();
