#include "display/draw_queue.h"

#include <cstdio>
#include <cstdlib>

#include "assets/font.h"
#include "display/window.h"
#include "frame/input.h"
#include "platform/platform.h"

DrawCommand draw_queue[DRAW_QUEUE_SLOTS];
int32_t queue_read;
int32_t queue_write;
int32_t queue_count;
uint32_t presenter_enabled;
SDL_Surface* screen_surface;
uint32_t last_frame_ticks;

constexpr uint32_t LAST_GLYPH_CODE = GLYPH_CODES - 1;

// ---- set-up ----

// Every failed start says the one message on standard output, with SDL's
// own reason on standard error. SDL goes down first: a text driver hands the
// terminal back, and the program ends without shutting SDL down itself.
static int start_up_failed(int result, const char* what, const char* reason) {
    char said[256];
    snprintf(said, sizeof said, "%s%s", what, reason);
    SDL_Quit();
    printf("SDL initialize error.\n");
    fflush(stdout);
    fprintf(stderr, "SDL: %s\n", said);
    return result;
}

int video_init() {
    presenter_enabled = 0;
    platform_choose_settings();
    const uint32_t subsystems =
        SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK;
    if (SDL_Init(subsystems) != 0)
        return start_up_failed(1, "", SDL_GetError());
    if (platform_settings_misfit()) {
        SDL_Quit();
        if (SDL_Init(subsystems) != 0)
            return start_up_failed(1, "", SDL_GetError());
    }
    if (const char* unseen = platform_driver_unseen())
        return start_up_failed(1, "no display to show the game on: ", unseen);
    window_fit_screen();
    // before the window opens: nothing it sends may slip in unfiltered
    input_filter_events();
    window_name_and_icon();
    screen_surface = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_SWSURFACE);
    // Everything after this draws into the surface: without one there is no game.
    if (!screen_surface || screen_surface->format->BytesPerPixel != 4 ||
        screen_surface->w != SCREEN_WIDTH || screen_surface->h != SCREEN_HEIGHT) {
        return start_up_failed(2, "no window of 1900x980 at 32 bits: ", SDL_GetError());
    }
    platform_window_opened();
    // the blue in the surface's own layout: a page's canvas takes red first
    SDL_FillRect(screen_surface, nullptr,
                 SDL_MapRGB(screen_surface->format, 0, 0, WINDOW_BLUE_LEVEL) | OPAQUE);
    platform_show(screen_surface);
    last_frame_ticks = SDL_GetTicks();
    return 0;
}

// ---- enqueue ----

static int enqueue(const uint8_t* pixels, int16_t x, int16_t y, int16_t w, int16_t h,
                   uint8_t gray) {
    int32_t next = (queue_write + 1) % DRAW_QUEUE_SLOTS;
    if (next == queue_read)
        return QUEUE_FULL;
    queue_count += 1;
    draw_queue[queue_write] = DrawCommand{pixels, x, y, w, h, gray};
    queue_write = next;
    return QUEUE_OK;
}

int queue_fill(int16_t x, int16_t y, int16_t w, int16_t h, uint8_t gray) {
    return enqueue(nullptr, x, y, w, h, gray);
}

int queue_sprite(int16_t x, int16_t y, int16_t w, int16_t h, const uint8_t* pixels) {
    return enqueue(pixels, x, y, w, h, 0);
}

int queue_glyph(int16_t x, int16_t y, uint32_t code) {
    if (code > LAST_GLYPH_CODE)
        return QUEUE_BAD_GLYPH;
    return enqueue(glyph_table[code], x, y, GLYPH_SIZE, GLYPH_SIZE, 0);
}

int draw_text(int32_t x, int32_t y, const char* text) {
    const auto* p = reinterpret_cast<const uint8_t*>(text);
    if (*p == 0)
        return 0;
    int32_t budget = TEXT_BUDGET;
    int32_t cx = x;
    int32_t cy = y;
    for (;;) {
        if (budget <= 0)
            break;
        if (*p <= LAST_GLYPH_CODE)
            enqueue(glyph_table[*p], int16_t(cx), int16_t(cy), GLYPH_SIZE, GLYPH_SIZE, 0);
        budget -= 1;
        cx += GLYPH_SIZE;
        p++;
        // A line that runs past the right edge goes on at column 0, not at x.
        if (cx > SCREEN_WIDTH - GLYPH_SIZE) {
            cy += GLYPH_SIZE;
            cx = 0;
            if (cy > SCREEN_HEIGHT - GLYPH_SIZE)
                break;
        }
        if (*p == 0)
            break;
    }
    return 0;
}

// ---- drawing ----

// Runs one command, clipped to the window: invaders of the upper rows and
// their bombs do march past the edges, and no write may leave the surface.
static void draw_command(const DrawCommand& c) {
    int32_t x0 = c.x, y0 = c.y, x1 = int32_t(c.x) + c.w, y1 = int32_t(c.y) + c.h;
    int32_t cx0 = x0 < 0 ? 0 : x0;
    int32_t cy0 = y0 < 0 ? 0 : y0;
    int32_t cx1 = x1 > screen_surface->w ? screen_surface->w : x1;
    int32_t cy1 = y1 > screen_surface->h ? screen_surface->h : y1;
    if (cx0 >= cx1 || cy0 >= cy1)
        return;
    auto* base = static_cast<uint8_t*>(screen_surface->pixels);
    int32_t pitch = screen_surface->pitch;
    for (int32_t y = cy0; y < cy1; y++) {
        auto* row = reinterpret_cast<uint32_t*>(base + y * pitch);
        if (!c.pixels) {
            uint32_t word = gray_pixel(c.gray);
            for (int32_t x = cx0; x < cx1; x++)
                row[x] = word;
        } else {
            const uint8_t* src = c.pixels + (y - y0) * c.w + (cx0 - x0);
            for (int32_t x = cx0; x < cx1; x++)
                row[x] = gray_pixel(*src++);
        }
    }
}

void queue_drain() {
    while (queue_count > 0) {
        draw_command(draw_queue[queue_read]);
        queue_read = (queue_read + 1) % DRAW_QUEUE_SLOTS;
        queue_count -= 1;
    }
}

// ---- per frame ----

int present_frame() {
    if (presenter_enabled == 0)
        return PRESENTER_OFF;
    // Unsigned, so a tick count that wraps past 2^32 still gives the truth.
    uint32_t elapsed = SDL_GetTicks() - last_frame_ticks;
    // Any frame shorter than 16 ms is stretched, one that took under a
    // millisecond too: otherwise half the frames would run unpaced.
    platform_frame_wait(elapsed < uint32_t(FRAME_MS) ? FRAME_MS - elapsed : 0);
    last_frame_ticks = SDL_GetTicks();
    queue_drain();
    platform_show(screen_surface);
    return 0;
}

int flush_queue() {
    queue_drain();
    platform_show(screen_surface);
    return 0;
}

void queue_reset() {
    presenter_enabled = 0;
    queue_read = 0;
    queue_count = 1;
    draw_queue[0] = DrawCommand{nullptr, 0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0};
    queue_write = 1;
    flush_queue();
}
