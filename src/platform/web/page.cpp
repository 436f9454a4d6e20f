// A page: its canvas, the frame's wait as a turn of the page's event loop,
// the settings that a page has none of, and the watchdog that the browser
// keeps itself.
#include "platform/platform.h"

#include <emscripten.h>

#include "display/window.h"
#include "platform/web/events.h"
#include "platform/web/page.h"

// ---- start-up ----

// The emulation reads the page's pads itself only for pads that were there
// when the game opened its pads, and numbers them by the browser's places,
// empty ones too; a browser shows a pad to a page only once a button on it
// has been pressed. So the emulation's own reading stays off, and the pads
// come in through web/events.cpp.
void platform_choose_settings() {
    SDL_JoystickEventState(SDL_IGNORE);
}

bool platform_settings_misfit() {
    return false;
}

// The canvas is always there to be seen.
const char* platform_driver_unseen() {
    return nullptr;
}

// The canvas fills the page's window: no title bar or panel to leave room to.
int32_t platform_screen_room_rows() {
    return 0;
}

// The page's script fits the canvas to the window by the rule the desktop
// windows follow: called with the window's size in device pixels, the CSS
// size times devicePixelRatio, on load and on every resize.
extern "C" EMSCRIPTEN_KEEPALIVE int32_t page_fit_scale(int32_t width, int32_t height) {
    return window_scale(width, height, platform_screen_room_rows());
}

// The page's script fits the canvas, and fits it again whenever the
// browser's window changes: nothing is left to do once the window opens.
void platform_window_opened() {}

// ---- a frame ----

// The page runs nothing while the game holds the thread: no key reaches SDL,
// no sound buffer is queued, the canvas is not put on the screen. So every
// frame gives the thread back, a late one too, and what came in meanwhile is
// taken in before the frame goes on.
void platform_frame_wait(uint32_t ms) {
    page_yield(ms);
    events_arrived();
}

// The emulation puts a surface onto the canvas only when it is unlocked, and
// its lock first copies the canvas back over the surface. The game draws
// into the surface's memory without locking, so the memory goes onto the
// canvas directly.
void platform_show(SDL_Surface* surface) {
    page_show(surface->pixels, surface->w, surface->h);
}

// The emulation's SDL_FillRect paints the canvas and leaves the surface's
// memory as it was: the opening blue would never reach the memory that is
// shown. Here the fill goes into the memory, as in SDL 1.2, clipped to the
// surface.
extern "C" int SDL_FillRect(SDL_Surface* surface, const SDL_Rect* rect, Uint32 color) {
    int32_t x0 = rect ? rect->x : 0, y0 = rect ? rect->y : 0;
    int32_t x1 = rect ? x0 + rect->w : surface->w, y1 = rect ? y0 + rect->h : surface->h;
    x0 = x0 < 0 ? 0 : x0;
    y0 = y0 < 0 ? 0 : y0;
    x1 = x1 > surface->w ? surface->w : x1;
    y1 = y1 > surface->h ? surface->h : y1;
    for (int32_t y = y0; y < y1; y++) {
        auto* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int32_t x = x0; x < x1; x++)
            row[x] = color;
    }
    return 0;
}

// ---- the end ----

// Closing the tab ends the page with the game.
bool platform_display_lost() {
    return false;
}

// ---- the watchdog ----

// Nothing beside the game's thread could watch it here, and nothing needs
// to: a page whose script holds the thread too long is the browser's to
// stop, which offers to end it.
void watchdog_start() {}

void watchdog_feed() {}
