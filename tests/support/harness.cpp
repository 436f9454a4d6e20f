#include "support/harness.h"

#include "assets/font.h"
#include "display/draw_queue.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

extern "C" {
Uint32 __real_SDL_GetTicks(void);
void __real_SDL_Delay(Uint32 ms);
void __real_SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h);
SDL_Surface* __real_SDL_SetVideoMode(int w, int h, int bpp, Uint32 flags);
}

// Until a test turns the fake clock on, the wrapped calls go to the real SDL.
static bool fake_clock_on;
static uint32_t fake_ticks;
uint32_t fake_delay_total;
int fake_delay_calls;
int update_rect_calls;
int fail_video_mode;

extern "C" Uint32 __wrap_SDL_GetTicks(void) {
    return fake_clock_on ? fake_ticks : __real_SDL_GetTicks();
}

extern "C" void __wrap_SDL_Delay(Uint32 ms) {
    if (!fake_clock_on)
        return __real_SDL_Delay(ms);
    fake_delay_calls++;
    fake_delay_total += ms;
    fake_ticks += ms;
}

extern "C" void __wrap_SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    update_rect_calls++;
    __real_SDL_UpdateRect(screen, x, y, w, h);
}

extern "C" SDL_Surface* __wrap_SDL_SetVideoMode(int w, int h, int bpp, Uint32 flags) {
    if (fail_video_mode) {
        SDL_SetError("no video mode of %dx%d", w, h);
        return nullptr;
    }
    return __real_SDL_SetVideoMode(w, h, bpp, flags);
}

void fake_clock_reset(uint32_t ticks) {
    fake_clock_on = true;
    fake_ticks = ticks;
    fake_delay_total = 0;
    fake_delay_calls = 0;
}

// A test before this one may have shut SDL down or failed the video mode on
// purpose; either way the next test gets a working window or stops here.
void start_video() {
    fail_video_mode = 0;
    if (!screen_surface || !SDL_WasInit(SDL_INIT_VIDEO)) {
        platform_make_setting("SDL_VIDEODRIVER", "dummy");
        platform_make_setting("SDL_AUDIODRIVER", "dummy");
        if (video_init() != 0) {
            fprintf(stderr, "no window for the test: %s\n", SDL_GetError());
            abort();
        }
    }
    empty_queue();
}

void empty_queue() {
    queue_read = queue_write = queue_count = 0;
}

uint32_t pixel_word(int x, int y) {
    return static_cast<uint32_t*>(screen_surface->pixels)[y * screen_surface->pitch / 4 + x];
}

uint8_t pixel_gray(int x, int y) {
    return pixel_word(x, y) & 0xFF;
}

::testing::AssertionResult shows_picture(int x, int y, int w, int h, const uint8_t* pixels) {
    for (int p = 0; p < w * h; p++)
        if (pixel_gray(x + p % w, y + p / w) != (pixels ? pixels[p] : 0))
            return ::testing::AssertionFailure()
                   << "not the picture at " << x << "," << y << ": pixel " << p;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult shows_text(int x, int y, const char* text) {
    for (int k = 0; text[k]; k++)
        if (!shows_picture(x + GLYPH_SIZE * k, y, GLYPH_SIZE, GLYPH_SIZE,
                           glyph_table[uint8_t(text[k])]))
            return ::testing::AssertionFailure() << "not \"" << text << "\" at " << x << "," << y;
    return ::testing::AssertionSuccess();
}
