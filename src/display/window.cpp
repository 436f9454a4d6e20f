#include "display/window.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "platform/platform.h"

constexpr int DRIVER_NAME_LENGTH = 32;
constexpr int32_t SCALE_WHOLE = 100; // scales in hundredths
constexpr int SCALE_TEXT_LENGTH = 16;

static const char WINDOW_CAPTION[] = "ORBO-STRAK";
// The invader of the bottom rows, in its first pose, blown up for task bars
// and window switchers.
static const auto& icon_sprite = sprite_invader1_a;
constexpr int ICON_SCALE = 4;
constexpr int ICON_W = icon_sprite.w * ICON_SCALE;
constexpr int ICON_H = icon_sprite.h * ICON_SCALE;
constexpr int ICON_MASK_PITCH = (ICON_W + 7) / 8;
constexpr int GRAY_LEVELS = 256;

// sdl12-compat says it is 1.2.50 or later, far past the classic's 1.2.15.
bool sdl12_compat() {
    const SDL_version* linked = SDL_Linked_Version();
    return linked->major == 1 && linked->minor == 2 && linked->patch >= 50;
}

const char* window_video_driver() {
    static char name[DRIVER_NAME_LENGTH];
    if (!SDL_VideoDriverName(name, sizeof name))
        name[0] = 0;
    return name;
}

int32_t window_scale(int32_t screen_w, int32_t screen_h, int32_t room_rows) {
    if (screen_w <= 0 || screen_h <= room_rows)
        return SCALE_WHOLE; // a size no screen has: nothing to go by
    int32_t across = screen_w * SCALE_WHOLE / SCREEN_WIDTH;
    int32_t down = (screen_h - room_rows) * SCALE_WHOLE / SCREEN_HEIGHT;
    int32_t fits = across < down ? across : down;
    if (fits < SCALE_WHOLE)
        return fits;
    if (fits >= 2 * SCALE_WHOLE)
        return fits / SCALE_WHOLE * SCALE_WHOLE;
    return SCALE_WHOLE;
}

// sdl12-compat shows the surface at the window's size scaled by a factor of
// its own, read as the window opens; its sampling is read as SDL's video
// starts, so a change of it starts the video again. Shrunk, each window
// pixel blends the game pixels it covers, so that a shot or a bomb one to
// three pixels wide is still seen where nearest sampling would drop whole
// columns; blown up by a whole number, every game pixel becomes a square.
void window_fit_screen() {
    const char* driver = window_video_driver();
    if (!sdl12_compat() || platform_setting_made("SDL12COMPAT_WINDOW_SCALING") || !driver[0] ||
        strcmp(driver, "dummy") == 0)
        return;
    const SDL_VideoInfo* screen = SDL_GetVideoInfo();
    int32_t scale =
        screen ? window_scale(screen->current_w, screen->current_h, platform_screen_room_rows())
               : SCALE_WHOLE;
    if (scale == SCALE_WHOLE)
        return;
    char factor[SCALE_TEXT_LENGTH];
    snprintf(factor, sizeof factor, "%d.%02d", scale / SCALE_WHOLE, scale % SCALE_WHOLE);
    platform_make_setting("SDL12COMPAT_WINDOW_SCALING", factor);
    if (scale > SCALE_WHOLE && !platform_setting_made("SDL12COMPAT_SCALE_METHOD")) {
        platform_make_setting("SDL12COMPAT_SCALE_METHOD", "nearest");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
    }
}

void window_name_and_icon() {
    SDL_WM_SetCaption(WINDOW_CAPTION, WINDOW_CAPTION);
    SDL_Surface* icon = SDL_CreateRGBSurface(SDL_SWSURFACE, ICON_W, ICON_H, 8, 0, 0, 0, 0);
    if (!icon)
        return; // a window without an icon is still a window
    SDL_Color grays[GRAY_LEVELS];
    for (int g = 0; g < GRAY_LEVELS; g++)
        grays[g] = SDL_Color{Uint8(g), Uint8(g), Uint8(g), 0};
    SDL_SetColors(icon, grays, 0, GRAY_LEVELS);
    // black is the sprite's background: see-through in the icon
    static uint8_t mask[ICON_MASK_PITCH * ICON_H];
    memset(mask, 0, sizeof mask);
    for (int y = 0; y < ICON_H; y++) {
        for (int x = 0; x < ICON_W; x++) {
            uint8_t gray = icon_sprite.pixels[y / ICON_SCALE * icon_sprite.w + x / ICON_SCALE];
            static_cast<uint8_t*>(icon->pixels)[y * icon->pitch + x] = gray;
            if (gray != 0)
                mask[y * ICON_MASK_PITCH + x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    }
    SDL_WM_SetIcon(icon, mask);
    SDL_FreeSurface(icon);
}
