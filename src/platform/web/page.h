// What the page's own script does for the game (page.js): the few things a
// page can do that SDL's emulation in Emscripten does not do, or not as the
// game needs them. Only the web's platform files call these.
#pragma once

#include <cstddef>
#include <cstdint>

// One of the page's pads as the browser reads it at this moment.
struct PagePad {
    int32_t connected; // 1 when a pad holds this place
    uint32_t buttons;  // bit n: button n is down, for buttons 0 to 31
    int16_t axes[2];   // the stick, as SDL's -32768 to 32767
};
// page.js writes these by their places in memory.
static_assert(sizeof(PagePad) == 12 && offsetof(PagePad, buttons) == 4 &&
              offsetof(PagePad, axes) == 8);

extern "C" {
// The surface's memory, rows of `width` pixels of four bytes in the canvas's
// own order (red first), onto the page's canvas.
void page_show(const void* pixels, int32_t width, int32_t height);
// Gives the thread back to the page for `ms` milliseconds; for 0, for one
// turn of its event loop, so that keys, sound and drawing go on.
void page_yield(uint32_t ms);
// After SDL opened its sound device: the device plays `rate` samples a
// second, with no more than `queued` of its buffers waiting ahead.
void page_audio_opened(int32_t rate, int32_t queued);
// The first `count` pads that are connected, in the browser's order, into
// the first places of `pads`; the places after them are left as they were.
void page_read_pads(PagePad* pads, int32_t count);
// The game has ended with this status: the page says so.
void page_game_ended(int32_t status);
}
