// The draw queue: every picture goes through one ring of rectangle commands,
// drained into the window's surface once per frame.
#pragma once

#include <SDL.h>
#include <cstdint>

struct DrawCommand {
    const uint8_t* pixels; // gray bytes, w*h row-major; null: solid fill of gray
    int16_t x;
    int16_t y;
    int16_t w;
    int16_t h;
    uint8_t gray;
};

constexpr int SCREEN_WIDTH = 1900;
constexpr int SCREEN_HEIGHT = 980;
constexpr int DRAW_QUEUE_SLOTS = 3072;
constexpr int FRAME_MS = 16;
constexpr int TEXT_BUDGET = 1000;
constexpr int16_t GLYPH_SIZE = 8; // glyphs are square

// Results of the enqueue operations.
constexpr int QUEUE_OK = 0;
constexpr int QUEUE_BAD_GLYPH = 1;
constexpr int PRESENTER_OFF = 2;
constexpr int QUEUE_FULL = 4;

// The window opens in this blue; it is the only colour that is not a gray.
// As a pixel of the desktop's surfaces, blue is the low byte.
constexpr uint8_t WINDOW_BLUE_LEVEL = 0xC0;
constexpr uint32_t OPAQUE = 0xFF000000;
constexpr uint32_t WINDOW_BLUE = OPAQUE | WINDOW_BLUE_LEVEL;

constexpr uint32_t gray_pixel(uint8_t g) {
    return OPAQUE | uint32_t(g) << 16 | uint32_t(g) << 8 | g;
}

extern DrawCommand draw_queue[DRAW_QUEUE_SLOTS];
extern int32_t queue_read;
extern int32_t queue_write;
extern int32_t queue_count;
extern uint32_t presenter_enabled;
extern SDL_Surface* screen_surface;
extern uint32_t last_frame_ticks;

int video_init();
int present_frame();
int flush_queue();
void queue_reset();
int queue_fill(int16_t x, int16_t y, int16_t w, int16_t h, uint8_t gray);
int queue_sprite(int16_t x, int16_t y, int16_t w, int16_t h, const uint8_t* pixels);
int queue_glyph(int16_t x, int16_t y, uint32_t code);
int draw_text(int32_t x, int32_t y, const char* text);
// Executes every queued command into the surface, oldest first.
void queue_drain();
