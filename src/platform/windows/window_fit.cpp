// Windows: the classic SDL 1.2 window fitted to the player's screen. The
// library shows its surface only as it is, 1900x980, past the bottom of a
// laptop's screen. But its window owns its device context (the class has
// CS_OWNDC), so a mapping set on that context once scales every copy SDL
// makes into it afterwards, each frame's and each repaint's: the window is
// made the fitted size, and the mapping takes the game's 1900x980 onto it.
#include "platform/platform.h"

// before windows.h, whose OPAQUE would stand for the game's own
#include "display/draw_queue.h"
#include "display/window.h"
#include "platform/windows/scaling.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>

constexpr int32_t SCALE_WHOLE = 100; // scales in hundredths, as window_scale
constexpr double PLAYER_SCALE_MIN = 0.1;
constexpr double PLAYER_SCALE_MAX = 10;
constexpr UINT DPI_CHANGED = 0x02E0; // WM_DPICHANGED, Windows 8.1 on

static HWND fitted_window;
static WNDPROC library_window_proc;
static int32_t window_scale_now = SCALE_WHOLE;
static bool player_scale; // the player set the factor: it stays on every screen

// The factor the player set for sdl12-compat, which the classic library
// does not read, taken here the same way: "0.8" is 80 hundredths.
static int32_t player_factor() {
    const char* setting = getenv("SDL12COMPAT_WINDOW_SCALING");
    if (!setting || !setting[0])
        return 0;
    double factor = strtod(setting, nullptr);
    if (factor < PLAYER_SCALE_MIN || factor > PLAYER_SCALE_MAX)
        return 0;
    return int32_t(std::lround(factor * SCALE_WHOLE));
}

// Dots an inch of the screen the window is on: its own monitor's where
// Windows tells (Windows 10 on), the desktop's otherwise.
static int window_dpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto dpi_for_window = user ? reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
                                     GetProcAddress(user, "GetDpiForWindow")))
                               : nullptr;
    return dpi_for_window ? int(dpi_for_window(window)) : desktop_dpi();
}

static int32_t fitted_scale(HWND window) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return SCALE_WHOLE;
    return window_scale(monitor.rcMonitor.right - monitor.rcMonitor.left,
                        monitor.rcMonitor.bottom - monitor.rcMonitor.top,
                        room_rows_at(window_dpi(window)));
}

// The window's outer size for a client area of the game scaled by `scale`:
// the frame Windows drew around the client area is kept as it is.
static SIZE framed_size(HWND window, int32_t scale) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return SIZE{SCREEN_WIDTH * scale / SCALE_WHOLE + (outer.right - outer.left) - client.right,
                SCREEN_HEIGHT * scale / SCALE_WHOLE + (outer.bottom - outer.top) - client.bottom};
}

// Shrunk, each window pixel blends the game pixels it covers (HALFTONE), so
// that a shot or a bomb one to three pixels wide is still seen; blown up by
// a whole number, every game pixel becomes a square (COLORONCOLOR).
static void show_scaled(HWND window, int32_t scale) {
    window_scale_now = scale;
    HDC own = GetDC(window);
    SetMapMode(own, MM_ANISOTROPIC);
    SetWindowExtEx(own, SCREEN_WIDTH, SCREEN_HEIGHT, nullptr);
    SetViewportExtEx(own, SCREEN_WIDTH * scale / SCALE_WHOLE, SCREEN_HEIGHT * scale / SCALE_WHOLE,
                     nullptr);
    SetStretchBltMode(own, scale < SCALE_WHOLE ? HALFTONE : COLORONCOLOR);
    SetBrushOrgEx(own, 0, 0, nullptr); // as HALFTONE asks after it is chosen
    ReleaseDC(window, own);
    // in the middle of the screen's free area, which the window now fits
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& free_area = monitor.rcWork;
    SIZE size = framed_size(window, scale);
    int x = free_area.left + (free_area.right - free_area.left - size.cx) / 2;
    int y = free_area.top + (free_area.bottom - free_area.top - size.cy) / 2;
    SetWindowPos(window, nullptr, x > free_area.left ? x : free_area.left,
                 y > free_area.top ? y : free_area.top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

// SDL holds a window that is not resizable to the size of its surface; this
// one holds it to the fitted size instead. Moved to a screen of another
// scaling, the window is fitted anew, unless the player chose its factor.
static LRESULT CALLBACK fitted_window_proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_GETMINMAXINFO) {
        SIZE size = framed_size(window, window_scale_now);
        auto* limits = reinterpret_cast<MINMAXINFO*>(l);
        limits->ptMaxSize = limits->ptMinTrackSize = limits->ptMaxTrackSize =
            POINT{size.cx, size.cy};
        return 0;
    }
    if (message == DPI_CHANGED && !player_scale) {
        LRESULT result = CallWindowProcA(library_window_proc, window, message, w, l);
        show_scaled(window, fitted_scale(window));
        return result;
    }
    return CallWindowProcA(library_window_proc, window, message, w, l);
}

void platform_window_opened() {
    if (sdl12_compat())
        return; // it scales the window itself (window_fit_screen)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1 || !info.window || info.window == fitted_window)
        return; // no window on the screen (SDL's dummy driver), or fitted already
    int32_t chosen = player_factor();
    player_scale = chosen != 0;
    int32_t scale = player_scale ? chosen : fitted_scale(info.window);
    // held from now on, so that a move to a screen of another scaling
    // fits it anew, even where it is shown as it is at first
    fitted_window = info.window;
    window_scale_now = SCALE_WHOLE;
    library_window_proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        info.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fitted_window_proc)));
    if (scale != SCALE_WHOLE)
        show_scaled(info.window, scale);
}
