// What differs from one platform to the next, behind this one header: the
// settings that the libraries beneath the game read, a frame's wait and its
// window update, the event filter, the sound device's buffer and mixing
// call, a display that went away, and the watchdog.
//
// The build takes one set of files: linux/ or windows/, each with desktop/
// (SDL 1.2 itself, classic or sdl12-compat), or web/ (Emscripten's SDL 1.2
// interface in a page). Each set has its entry point in main.cpp, which only
// the program links: the entry calls SDL_main.
#pragma once

#include <SDL.h>
#include <cstdint>

// ---- start-up, around SDL_Init ----

// Before SDL starts: the settings the game asks of the libraries beneath it,
// each only where the player has made none.
void platform_choose_settings();
// After SDL started: true when the settings chosen for it foresaw another
// driver than the one SDL took, and are taken back; SDL must then start
// again.
bool platform_settings_misfit();
// After SDL started: why the driver it took shows a player nothing to play
// on (text in the terminal, or no picture at all), when SDL fell back to such
// a driver on its own; null otherwise.
const char* platform_driver_unseen();
// A setting for the libraries beneath: whether it is made (by the player or
// by the game), and making it, over what was there.
bool platform_setting_made(const char* name);
void platform_make_setting(const char* name, const char* value);
// Rows of the player's screen, in the pixels SDL counts, that a fitted
// window leaves to a title bar and a desktop's panel.
int32_t platform_screen_room_rows();
// After the window opened: where the library beneath can only show it as it
// is, the platform may show it fitted to the player's screen itself, by the
// rule of window_scale.
void platform_window_opened();

// ---- events ----

// What input_poll acts on: 1 for an event to keep.
using EventKeeper = int (*)(const SDL_Event* event);
// From now on keeps every event that `keep` refuses out of SDL's queue, and
// drops such events already waiting there.
void platform_filter_events(EventKeeper keep);

// ---- a frame ----

// The wait before a frame, in milliseconds, 0 or more. Where the game shares
// a thread with its page, a frame with no time to wait yields all the same.
void platform_frame_wait(uint32_t ms);
// The whole surface onto the screen, unless the window is closing.
void platform_show(SDL_Surface* surface);

// ---- sound ----

// The device buffer to ask for, in samples; the callback cuts what SDL asks
// of it from the mixer's own buffers, whatever the size.
Uint16 platform_audio_samples();
// After SDL_OpenAudio succeeded, before playback starts.
void platform_audio_opened();
// `bytes` of mixed sound into the stream that SDL has silenced.
void platform_audio_mix(Uint8* stream, const Uint8* mixed, Uint32 bytes);

// ---- the end ----

// After play: true when the game ended because the display it showed on
// went away, which reaches the game as a close of its window.
bool platform_display_lost();

// ---- the watchdog ----

// A pass of the screen sequence that never ends is a library stuck on a
// display that went away: it ends the game.
// Processor time of the main thread that one pass may take, in milliseconds;
// a frame takes a few.
constexpr int32_t WATCHDOG_CPU_MS = 2000;
// The exit status of a game that the watchdog ended, as of a lost X server.
constexpr int WATCHDOG_EXIT_STATUS = 1;

// Starts watching the calling thread; each feed grants it WATCHDOG_CPU_MS
// anew. A feed before the start does nothing.
void watchdog_start();
void watchdog_feed();
