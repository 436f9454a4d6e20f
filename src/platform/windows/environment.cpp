// Windows: the settings for the libraries beneath the game, the rows a
// title bar and the task bar take at the desktop's scaling, and no display
// that can go away under the game.
#include "platform/platform.h"
#include "platform/windows/scaling.h"

#include <windows.h>

#include <cstdlib>

// Rows a title bar and the task bar take at 100 %, 96 dots an inch; at 150 %
// they are half as many again.
constexpr int32_t SCREEN_ROOM_ROWS = 80;
constexpr int32_t DESKTOP_DPI = 96;

// SDL reads its settings with the C runtime's getenv, from the same runtime
// (msvcrt.dll) as the game, so a setting made here is one SDL sees.
bool platform_setting_made(const char* name) {
    const char* value = getenv(name);
    return value && value[0];
}

void platform_make_setting(const char* name, const char* value) {
    _putenv_s(name, value);
}

// The classic SDL 1.2 tries DirectSound first and plays nothing when that
// opens no device, without trying waveOut after it; waveOut, older, is there
// on every Windows and under Wine, through the same system mixer. A sound
// driver the player named is used as named.
void platform_choose_settings() {
    if (!platform_setting_made("SDL_AUDIODRIVER"))
        platform_make_setting("SDL_AUDIODRIVER", "waveout");
}

bool platform_settings_misfit() {
    return false;
}

// The Windows drivers (windib, directx) all show a window; SDL falls back to
// none that draws elsewhere.
const char* platform_driver_unseen() {
    return nullptr;
}

// The program declares that it sizes itself for the desktop's scaling (its
// manifest), so Windows counts in the screen's own pixels, and the title
// bar and the task bar grow with the scaling.
int32_t room_rows_at(int dpi) {
    return SCREEN_ROOM_ROWS * (dpi > 0 ? dpi : DESKTOP_DPI) / DESKTOP_DPI;
}

int desktop_dpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : DESKTOP_DPI;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi;
}

int32_t platform_screen_room_rows() {
    return room_rows_at(desktop_dpi());
}

// A window closed by Windows is a close like any other: there is no display
// server to lose.
bool platform_display_lost() {
    return false;
}
