// What the replay asks of SDL and of the page, under node, where the
// emulation's SDL cannot start: it draws on a page's canvas and listens to
// the page's keyboard. The replay draws into a surface of its own and
// presses its keys through SDL's queue; here is that queue, that surface,
// and a page that has nothing to show, no pads and no other task to yield
// to. The game itself, with the web's platform files, is the page's.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/web/page.h"

// ---- SDL ----

// The version the emulation reports: not sdl12-compat, so nothing is scaled.
static const SDL_version EMULATION_VERSION = {1, 3, 0};
static const char DRIVER_NAME[] = "node";

extern "C" int SDL_Init(Uint32) {
    return 0;
}

extern "C" void SDL_Quit() {}

extern "C" const char* SDL_GetError() {
    return "";
}

extern "C" const SDL_version* SDL_Linked_Version() {
    return &EMULATION_VERSION;
}

extern "C" const char* SDL_VideoDriverName(char* name, int size) {
    snprintf(name, size_t(size), "%s", DRIVER_NAME);
    return name;
}

// SDL 1.2's queue of 127 events, first in, first out.
constexpr int EVENT_SLOTS = 128;
static SDL_Event queued[EVENT_SLOTS];
static int queue_head, queue_tail;

extern "C" int SDL_PushEvent(SDL_Event* event) {
    int next = (queue_tail + 1) % EVENT_SLOTS;
    if (next == queue_head)
        return -1;
    queued[queue_tail] = *event;
    queue_tail = next;
    return 0;
}

extern "C" int SDL_PollEvent(SDL_Event* event) {
    if (queue_head == queue_tail)
        return 0;
    if (event)
        *event = queued[queue_head];
    queue_head = (queue_head + 1) % EVENT_SLOTS;
    return 1;
}

// No pad is ever attached here, so whether SDL would hear one changes
// nothing.
extern "C" Uint8 SDL_EventState(Uint32, int) {
    return SDL_ENABLE;
}

extern "C" int SDL_JoystickEventState(int) {
    return SDL_ENABLE;
}

extern "C" int SDL_NumJoysticks() {
    return 0;
}

extern "C" SDL_Joystick* SDL_JoystickOpen(int) {
    return nullptr;
}

extern "C" void SDL_JoystickClose(SDL_Joystick*) {}

// A surface in the layout its masks name; the pixels follow the record.
struct StandInSurface {
    SDL_Surface surface;
    SDL_PixelFormat format;
};

extern "C" SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth,
                                             Uint32 rmask, Uint32 gmask, Uint32 bmask,
                                             Uint32 amask) {
    int bytes = depth / 8;
    auto* made = static_cast<StandInSurface*>(
        calloc(1, sizeof(StandInSurface) + size_t(width) * size_t(height) * size_t(bytes)));
    if (!made)
        return nullptr;
    made->format.BitsPerPixel = Uint8(depth);
    made->format.BytesPerPixel = Uint8(bytes);
    made->format.Rmask = rmask;
    made->format.Gmask = gmask;
    made->format.Bmask = bmask;
    made->format.Amask = amask;
    made->surface.flags = flags;
    made->surface.format = &made->format;
    made->surface.w = width;
    made->surface.h = height;
    made->surface.pitch = width * bytes;
    made->surface.pixels = made + 1;
    made->surface.refcount = 1;
    return &made->surface;
}

extern "C" void SDL_FreeSurface(SDL_Surface* surface) {
    free(surface);
}

static Uint32 place(Uint8 level, Uint32 mask) {
    return mask ? Uint32(level) << __builtin_ctz(mask) & mask : 0;
}

extern "C" Uint32 SDL_MapRGB(const SDL_PixelFormat* format, Uint8 r, Uint8 g, Uint8 b) {
    return place(r, format->Rmask) | place(g, format->Gmask) | place(b, format->Bmask);
}

extern "C" int SDL_SetColors(SDL_Surface*, const SDL_Color*, int, int) {
    return 1;
}

// No window: no caption, no icon.
extern "C" void SDL_WM_SetCaption(const char*, const char*) {}

extern "C" void SDL_WM_SetIcon(SDL_Surface*, Uint8*) {}

// ---- the page ----

extern "C" void page_show(const void*, int32_t, int32_t) {}

// The replay is all that runs: there is nothing to give the thread to.
extern "C" void page_yield(uint32_t) {}

extern "C" void page_audio_opened(int32_t, int32_t) {}

extern "C" void page_read_pads(PagePad*, int32_t) {}

// ---- standard output ----

// A long game prints tens of megabytes, and each write goes through node on
// its own: one write a megabyte rather than one a kilobyte.
constexpr size_t OUTPUT_BUFFER_BYTES = 1 << 20;
static char output_buffer[OUTPUT_BUFFER_BYTES];
static const bool output_buffered =
    setvbuf(stdout, output_buffer, _IOFBF, sizeof output_buffer) == 0;
