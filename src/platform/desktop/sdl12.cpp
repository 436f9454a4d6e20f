// The desktops' SDL 1.2, classic or sdl12-compat over SDL 2 and 3: the
// frame's wait and window update, the event filter and the mixing call, as
// the library itself provides them. Linux and Windows share this file.
#include "platform/platform.h"

#include "display/window.h"

// ---- events ----

// SDL 1.2's queue holds 127 events. Installing a filter empties it, so what
// waits in it is taken out first and put back once filtered.
constexpr int EVENT_QUEUE_SLOTS = 128;
static EventKeeper event_keeper;

static int SDLCALL keep_event(const SDL_Event* event) {
    return event_keeper(event);
}

void platform_filter_events(EventKeeper keep) {
    static SDL_Event waiting[EVENT_QUEUE_SLOTS];
    event_keeper = keep;
    int count = SDL_PeepEvents(waiting, EVENT_QUEUE_SLOTS, SDL_GETEVENT, SDL_ALLEVENTS);
    SDL_SetEventFilter(keep_event);
    for (int i = 0; i < count; i++)
        if (keep(&waiting[i]))
            SDL_PeepEvents(&waiting[i], 1, SDL_ADDEVENT, 0);
}

// ---- a frame ----

void platform_frame_wait(uint32_t ms) {
    if (ms > 0)
        SDL_Delay(ms);
}

// A compositor that went away shows first as a quit among SDL's events, and a
// window update after it may crash in Mesa's EGL beneath SDL 2 and SDL 3.
// The splash's first second and the title's countdown poll no events, so the
// events are pumped here, before each update; a quit waiting among them is
// left for the next poll, and the window takes no more updates.
static bool window_closing() {
    SDL_PumpEvents();
    SDL_Event quit;
    return SDL_PeepEvents(&quit, 1, SDL_PEEKEVENT, SDL_QUITMASK) > 0;
}

void platform_show(SDL_Surface* surface) {
    if (!window_closing())
        SDL_UpdateRect(surface, 0, 0, 0, 0);
}

// ---- sound ----

// Some of SDL 2's drivers (dummy among them) round a device buffer up to a
// power of two samples but keep the byte size of the count asked for, then
// ask the callback for the rounded size: 2000 samples would write 8192 bytes
// into an 8000-byte buffer. Over SDL 2 the device is asked for a power of
// two; the classic library takes the mixer's own 2000.
constexpr Uint16 CLASSIC_DEVICE_SAMPLES = 2000;
constexpr Uint16 SDL2_DEVICE_SAMPLES = 2048;

Uint16 platform_audio_samples() {
    return sdl12_compat() ? SDL2_DEVICE_SAMPLES : CLASSIC_DEVICE_SAMPLES;
}

void platform_audio_opened() {}

void platform_audio_mix(Uint8* stream, const Uint8* mixed, Uint32 bytes) {
    SDL_MixAudio(stream, mixed, bytes, SDL_MIX_MAXVOLUME);
}
