// Start-up shared by the tools that run the game without a player.
#pragma once

#include <SDL.h>

// SDL's dummy drivers and a real 1900x980 surface, the input with the pads
// shut out so that only the tool steers, and the sound bank filled without
// a device, so that play_sound only stores into a voice. 0 when the window
// is open, else SDL's complaint is in SDL_GetError.
int headless_start();

// Presses or releases a key through SDL's own queue, as the keyboard would;
// SDL_PushEvent's result, 0 when the event was queued.
int headless_key(SDLKey key, bool down);

// Names the SDL 1.2 that this process runs on, with the libraries beneath
// it: "classic SDL 1.2.15", "sdl12-compat 1.2.68 over SDL 2.32.4" or
// "sdl12-compat 1.2.78 over SDL 2.32.74 (SDL 3.4.18)". The layers load what
// is beneath them as they load themselves, so SDL need not be started.
void sdl_stack_name(char* name, int size);
// A procedure of SDL 2 or SDL 3 (`major`), where the layer beneath SDL 1.2
// has loaded that library; null otherwise. Each platform finds a loaded
// library its own way.
void* loaded_sdl_procedure(int major, const char* procedure);
