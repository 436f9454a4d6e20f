// The benchmark's clock, and the pacing wait and window update it wraps so
// that presented frames can be timed around them.
#include "bench_clock.h"

#include <SDL.h>

#include <algorithm>

clockid_t frame_clock = CLOCK_THREAD_CPUTIME_ID;

int64_t now_ns() {
    timespec t;
    clock_gettime(frame_clock, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

float clock_overhead_us;

float elapsed_us(int64_t start) {
    float us = float(now_ns() - start) / 1000.0f - clock_overhead_us;
    return us > 0 ? us : 0;
}

// The median of many readings of nothing at all.
void calibrate_clock() {
    constexpr int READINGS = 1001;
    float readings[READINGS];
    clock_overhead_us = 0;
    for (int i = 0; i < READINGS; i++)
        readings[i] = elapsed_us(now_ns());
    std::sort(readings, readings + READINGS);
    clock_overhead_us = readings[READINGS / 2];
}

// ---- the wrapped SDL calls ----

bool real_pacing = false;
int64_t wait_end_ns;
int64_t update_end_ns;
int64_t update_ns;

extern "C" {
void __real_SDL_Delay(Uint32 ms);
void __real_SDL_UpdateRect(SDL_Surface* surface, Sint32 x, Sint32 y, Uint32 w, Uint32 h);
void __wrap_SDL_Delay(Uint32 ms) {
    if (!real_pacing)
        return;
    __real_SDL_Delay(ms);
    wait_end_ns = now_ns();
}
void __wrap_SDL_UpdateRect(SDL_Surface* surface, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    if (!real_pacing) {
        __real_SDL_UpdateRect(surface, x, y, w, h);
        return;
    }
    int64_t start = now_ns();
    __real_SDL_UpdateRect(surface, x, y, w, h);
    update_end_ns = now_ns();
    update_ns = update_end_ns - start;
}
}
