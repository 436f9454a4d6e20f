#include "display/window.h"

#include <SDL.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/sprites.h"
#include "display/draw_queue.h"

// Without a display SDL 1.2 ends up in aalib or caca, drawing text into the
// terminal; over SDL 2 it ends up offscreen, drawing nowhere.
static const char* const UNSEEN_VIDEO_DRIVERS[] = {"aalib", "caca", "offscreen"};
constexpr int DRIVER_NAME_LENGTH = 32;
static char unseen_reason[64];

// Whether the player named a video driver, before the game set anything.
static bool video_driver_named;

// Rows of the player's screen left to a title bar and a desktop's panel when
// the window is fitted to it.
constexpr int32_t SCREEN_ROOM_ROWS = 80;
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
static bool sdl12_compat() {
    return SDL_Linked_Version()->patch >= 50;
}

// The name of the video driver SDL took; "" before SDL's video has started.
static const char* video_driver() {
    static char name[DRIVER_NAME_LENGTH];
    if (!SDL_VideoDriverName(name, sizeof name))
        name[0] = 0;
    return name;
}

static bool setting_made(const char* name) {
    const char* value = getenv(name);
    return value && value[0];
}

// Over SDL 2 or 3 (the SDL 1.2 of today's distributions is a layer over
// them) the whole window goes through one of their renderers every frame: by
// default an OpenGL one, which without a graphics card is a software OpenGL
// that takes about a core for a window this size. The plain software
// renderer onto X11's own framebuffer takes a tenth of that. A Wayland
// window has no framebuffer of its own, and with these settings none at all:
// they are for X11 alone. SDL reads them as it starts, so where it took
// another driver than the one foreseen, it starts again without them.
struct Setting {
    const char* name;
    const char* value;
    bool ours; // set by the game, not by the player
};
static Setting x11_presenting[] = {
    {"SDL_RENDER_DRIVER", "software", false},
    {"SDL_FRAMEBUFFER_ACCELERATION", "0", false},
};

// A desktop with both X11 (XWayland) and Wayland: SDL 3 would take Wayland,
// whose windows cost three times as much and miss frames, without a graphics
// card. The game asks for X11 first, and Wayland where no X server answers.
// SDL 2 reads the first name, SDL 3 the second.
static const char X11_THEN_WAYLAND[] = "x11,wayland";
static const char* const VIDEO_DRIVER_SETTINGS[] = {"SDL_VIDEODRIVER", "SDL_VIDEO_DRIVER"};

// The window's id on Wayland (SDL 3, then SDL 2), for docks and window
// switchers: the name of the desktop entry.
static const char APP_ID[] = "orbostrak";
static const char* const APP_ID_SETTINGS[] = {"SDL_APP_ID", "SDL_VIDEO_WAYLAND_WMCLASS"};

// Classic SDL 1.2 tries its drivers in a fixed order and falls back to caca
// when nothing else starts; caca's start switches the terminal to another
// screen and back, and writes its escape codes before the game can refuse
// it. libcaca's null output writes nothing. A caca the player named draws
// as libcaca chooses.
//
// Each is set only where the player has not set it.
void window_choose_settings() {
    const char* named = nullptr;
    for (const char* setting : VIDEO_DRIVER_SETTINGS)
        if (!named && setting_made(setting))
            named = getenv(setting);
    video_driver_named = named != nullptr;
    if (!video_driver_named)
        setenv("CACA_DRIVER", "null", 0);
    for (const char* setting : APP_ID_SETTINGS)
        setenv(setting, APP_ID, 0);
    bool x11_first = named ? strncmp(named, "x11", 3) == 0 : setting_made("DISPLAY");
    if (!named && x11_first && setting_made("WAYLAND_DISPLAY") && sdl12_compat())
        for (const char* setting : VIDEO_DRIVER_SETTINGS)
            setenv(setting, X11_THEN_WAYLAND, 1);
    for (Setting& setting : x11_presenting) {
        setting.ours = x11_first && !getenv(setting.name);
        if (setting.ours)
            setenv(setting.name, setting.value, 1);
    }
}

bool window_settings_misfit() {
    const char* driver = video_driver();
    if (!sdl12_compat() || !driver[0] || strcmp(driver, "x11") == 0)
        return false;
    bool misfit = false;
    for (Setting& setting : x11_presenting) {
        if (setting.ours)
            unsetenv(setting.name);
        misfit = misfit || setting.ours;
        setting.ours = false;
    }
    return misfit;
}

const char* video_driver_unseen() {
    if (video_driver_named)
        return nullptr;
    const char* name = video_driver();
    for (const char* unseen : UNSEEN_VIDEO_DRIVERS) {
        if (strcmp(name, unseen) == 0) {
            snprintf(unseen_reason, sizeof unseen_reason, "SDL fell back to its %s driver", name);
            return unseen_reason;
        }
    }
    return nullptr;
}

int32_t window_scale(int32_t screen_w, int32_t screen_h) {
    if (screen_w <= 0 || screen_h <= SCREEN_ROOM_ROWS)
        return SCALE_WHOLE; // a size no screen has: nothing to go by
    int32_t across = screen_w * SCALE_WHOLE / SCREEN_WIDTH;
    int32_t down = (screen_h - SCREEN_ROOM_ROWS) * SCALE_WHOLE / SCREEN_HEIGHT;
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
    const char* driver = video_driver();
    if (!sdl12_compat() || getenv("SDL12COMPAT_WINDOW_SCALING") || !driver[0] ||
        strcmp(driver, "dummy") == 0)
        return;
    const SDL_VideoInfo* screen = SDL_GetVideoInfo();
    int32_t scale = screen ? window_scale(screen->current_w, screen->current_h) : SCALE_WHOLE;
    if (scale == SCALE_WHOLE)
        return;
    char factor[SCALE_TEXT_LENGTH];
    snprintf(factor, sizeof factor, "%d.%02d", scale / SCALE_WHOLE, scale % SCALE_WHOLE);
    setenv("SDL12COMPAT_WINDOW_SCALING", factor, 1);
    const char* method = getenv("SDL12COMPAT_SCALE_METHOD");
    if (scale > SCALE_WHOLE && !method) {
        setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 1);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_InitSubSystem(SDL_INIT_VIDEO);
    }
}

// A Wayland compositor that went away ends SDL 3's event loop with a quit,
// as a close of the window would. Whether it is gone shows at its socket:
// WAYLAND_DISPLAY, a path or a name in XDG_RUNTIME_DIR, "wayland-0" unset.
bool window_display_lost() {
    if (strcmp(video_driver(), "wayland") != 0)
        return false;
    const char* name = setting_made("WAYLAND_DISPLAY") ? getenv("WAYLAND_DISPLAY") : "wayland-0";
    const char* folder = getenv("XDG_RUNTIME_DIR");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name[0] == '/')
        snprintf(address.sun_path, sizeof address.sun_path, "%s", name);
    else if (folder)
        snprintf(address.sun_path, sizeof address.sun_path, "%s/%s", folder, name);
    else
        return false;
    int compositor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (compositor < 0)
        return false;
    bool lost = connect(compositor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0;
    close(compositor);
    return lost;
}

// A compositor that went away shows first as a quit among SDL's events, and a
// window update after it may crash in Mesa's EGL beneath SDL 2 and SDL 3.
// The splash's first second and the title's countdown poll no events, so the
// events are pumped here, before each update; a quit waiting among them is
// left for the next poll.
bool window_closing() {
    SDL_PumpEvents();
    SDL_Event quit;
    return SDL_PeepEvents(&quit, 1, SDL_PEEKEVENT, SDL_QUITMASK) > 0;
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
