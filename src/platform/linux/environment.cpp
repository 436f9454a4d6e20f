// Linux: the settings for the libraries beneath the game on X11, Wayland and
// without a display, and whether a Wayland compositor went away.
#include "platform/platform.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/window.h"

// Without a display SDL 1.2 ends up in aalib or caca, drawing text into the
// terminal; over SDL 2 it ends up offscreen, drawing nowhere.
static const char* const UNSEEN_VIDEO_DRIVERS[] = {"aalib", "caca", "offscreen"};
static char unseen_reason[64];

// Whether the player named a video driver, before the game set anything.
static bool video_driver_named;

// Rows of the player's screen left to a title bar and a desktop's panel.
constexpr int32_t SCREEN_ROOM_ROWS = 80;

int32_t platform_screen_room_rows() {
    return SCREEN_ROOM_ROWS;
}

// sdl12-compat scales the window itself (window_fit_screen); the classic
// library on X11 cannot, and nothing here can do it for it.
void platform_window_opened() {}

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
// Each is set only where the player has not set it. What the player named
// is read before anything is set: setenv may move the strings that getenv
// handed out.
void platform_choose_settings() {
    const char* named = nullptr;
    for (const char* setting : VIDEO_DRIVER_SETTINGS)
        if (!named && platform_setting_made(setting))
            named = getenv(setting);
    video_driver_named = named != nullptr;
    bool x11_first = named ? strncmp(named, "x11", 3) == 0 : platform_setting_made("DISPLAY");
    bool both_desktops = !named && x11_first && platform_setting_made("WAYLAND_DISPLAY");
    if (!video_driver_named)
        setenv("CACA_DRIVER", "null", 0);
    for (const char* setting : APP_ID_SETTINGS)
        setenv(setting, APP_ID, 0);
    if (both_desktops && sdl12_compat())
        for (const char* setting : VIDEO_DRIVER_SETTINGS)
            setenv(setting, X11_THEN_WAYLAND, 1);
    for (Setting& setting : x11_presenting) {
        setting.ours = x11_first && !getenv(setting.name);
        if (setting.ours)
            setenv(setting.name, setting.value, 1);
    }
}

bool platform_settings_misfit() {
    const char* driver = window_video_driver();
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

// A driver named in SDL_VIDEODRIVER before the game started was chosen, and
// counts as seen.
const char* platform_driver_unseen() {
    if (video_driver_named)
        return nullptr;
    const char* name = window_video_driver();
    for (const char* unseen : UNSEEN_VIDEO_DRIVERS) {
        if (strcmp(name, unseen) == 0) {
            snprintf(unseen_reason, sizeof unseen_reason, "SDL fell back to its %s driver", name);
            return unseen_reason;
        }
    }
    return nullptr;
}

// A Wayland compositor that went away ends SDL 3's event loop with a quit,
// as a close of the window would. Whether it is gone shows at its socket:
// WAYLAND_DISPLAY, a path or a name in XDG_RUNTIME_DIR, "wayland-0" unset.
bool platform_display_lost() {
    if (strcmp(window_video_driver(), "wayland") != 0)
        return false;
    const char* name =
        platform_setting_made("WAYLAND_DISPLAY") ? getenv("WAYLAND_DISPLAY") : "wayland-0";
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
