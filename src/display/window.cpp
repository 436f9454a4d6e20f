#include "display/window.h"

#include <SDL.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "assets/sprites.h"

// Without a display SDL 1.2 ends up in aalib or caca, drawing text into the
// terminal; over SDL 2 it ends up offscreen, drawing nowhere.
static const char* const UNSEEN_VIDEO_DRIVERS[] = {"aalib", "caca", "offscreen"};
constexpr int DRIVER_NAME_LENGTH = 32;

static const char WINDOW_CAPTION[] = "ORBO-STRAK";
// The invader of the bottom rows, in its first pose, blown up for task bars
// and window switchers.
static const auto& icon_sprite = sprite_invader1_a;
constexpr int ICON_SCALE = 4;
constexpr int ICON_W = icon_sprite.w * ICON_SCALE;
constexpr int ICON_H = icon_sprite.h * ICON_SCALE;
constexpr int ICON_MASK_PITCH = (ICON_W + 7) / 8;
constexpr int GRAY_LEVELS = 256;

bool video_driver_unseen() {
    const char* chosen = getenv("SDL_VIDEODRIVER");
    if (chosen && chosen[0])
        return false;
    char name[DRIVER_NAME_LENGTH] = "";
    if (!SDL_VideoDriverName(name, sizeof name))
        return false;
    for (const char* unseen : UNSEEN_VIDEO_DRIVERS)
        if (strcmp(name, unseen) == 0)
            return true;
    return false;
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
