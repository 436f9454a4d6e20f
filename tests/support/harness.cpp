#include "support/harness.h"

#include "display/draw_queue.h"

#include <cstdio>
#include <cstdlib>

extern "C" {
Uint32 __real_SDL_GetTicks(void);
void __real_SDL_Delay(Uint32 ms);
void __real_SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h);
SDL_Surface* __real_SDL_SetVideoMode(int w, int h, int bpp, Uint32 flags);
}

int fake_clock_on = 0;
uint32_t fake_ticks = 0;
uint32_t fake_delay_total = 0;
int fake_delay_calls = 0;
uint32_t fake_ticks_per_call = 0;
int update_rect_calls = 0;
void (*update_rect_hook)(int calls) = nullptr;

extern "C" Uint32 __wrap_SDL_GetTicks(void) {
    if (!fake_clock_on)
        return __real_SDL_GetTicks();
    uint32_t now = fake_ticks;
    fake_ticks += fake_ticks_per_call;
    return now;
}

extern "C" void __wrap_SDL_Delay(Uint32 ms) {
    if (!fake_clock_on) {
        __real_SDL_Delay(ms);
        return;
    }
    fake_delay_calls++;
    fake_delay_total += ms;
    fake_ticks += ms;
}

extern "C" void __wrap_SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    update_rect_calls++;
    __real_SDL_UpdateRect(screen, x, y, w, h);
    if (update_rect_hook)
        update_rect_hook(update_rect_calls);
}

void fake_clock_reset(uint32_t ticks) {
    fake_clock_on = 1;
    fake_ticks = ticks;
    fake_delay_total = 0;
    fake_delay_calls = 0;
    fake_ticks_per_call = 0;
}

int fail_video_mode;

extern "C" SDL_Surface* __wrap_SDL_SetVideoMode(int w, int h, int bpp, Uint32 flags) {
    if (fail_video_mode) {
        SDL_SetError("no video mode of %dx%d", w, h);
        return nullptr;
    }
    return __real_SDL_SetVideoMode(w, h, bpp, flags);
}

// A test before this one may have shut SDL down or failed the video mode on
// purpose; either way the next test gets a working window or stops here.
void start_video() {
    fail_video_mode = 0;
    if (!screen_surface || !SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
        SDL_putenv(const_cast<char*>("SDL_AUDIODRIVER=dummy"));
        if (video_init() != 0) {
            fprintf(stderr, "no window for the test: %s\n", SDL_GetError());
            abort();
        }
    }
    queue_read = queue_write = queue_count = 0;
}

uint32_t pixel_word(int x, int y) {
    auto* row = static_cast<uint8_t*>(screen_surface->pixels) + y * screen_surface->pitch;
    return reinterpret_cast<uint32_t*>(row)[x];
}

uint8_t pixel_gray(int x, int y) {
    return pixel_word(x, y) & 0xFF;
}

void paint_surface(uint32_t word) {
    for (int y = 0; y < screen_surface->h; y++)
        for (int x = 0; x < screen_surface->w; x++) {
            auto* row = static_cast<uint8_t*>(screen_surface->pixels) + y * screen_surface->pitch;
            reinterpret_cast<uint32_t*>(row)[x] = word;
        }
}
