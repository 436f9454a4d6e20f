// Linux: the settings the game makes for the libraries beneath it on X11,
// Wayland and without a display.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <string>
#include <vector>

#include "display/window.h"
#include "platform/platform.h"

// A C library may move the environment's strings whenever it changes, as
// Windows' does; glibc does not, so in this test every setenv moves them all
// into strings of the test's own and scribbles over the test's strings of
// the setenv before (glibc's own strings it keeps and looks up again, and
// they stay as they are). A pointer that getenv handed out before a setenv
// then reads "###": the game must not keep one across a setenv.
extern "C" int __real_setenv(const char* name, const char* value, int overwrite);
extern "C" int __wrap_setenv(const char* name, const char* value, int overwrite) {
    // never freed: environ points into the last, and libraries read it at exit
    static auto& environments = *new std::vector<std::vector<char*>>;
    int result = __real_setenv(name, value, overwrite);
    std::vector<char*> moved;
    for (char** entry = environ; *entry; entry++)
        moved.push_back(strdup(*entry));
    moved.push_back(nullptr);
    if (!environments.empty())
        for (char* string : environments.back())
            if (string)
                for (char* c = strchr(string, '=') + 1; *c; c++)
                    *c = '#';
    environments.push_back(moved);
    environ = environments.back().data();
    return result;
}

// The settings the game makes before SDL starts, from the environment the
// player left. Each case starts from an environment of its own and leaves
// the test's as it was.
TEST(LinuxSettings, ServeTheDriverForeseenAndKeepThePlayersOwn) {
    const char* const names[] = {"DISPLAY",           "WAYLAND_DISPLAY",
                                 "SDL_VIDEODRIVER",   "SDL_VIDEO_DRIVER",
                                 "SDL_RENDER_DRIVER", "SDL_FRAMEBUFFER_ACCELERATION",
                                 "SDL_APP_ID",        "CACA_DRIVER"};
    std::vector<std::pair<std::string, std::string>> saved;
    for (const char* name : names)
        if (const char* value = getenv(name))
            saved.emplace_back(name, value);
    bool compat = sdl12_compat();
    auto value = [](const char* name) { return std::string(getenv(name) ? getenv(name) : "-"); };
    struct Case {
        std::vector<std::pair<const char*, const char*>> player;
        const char *drivers, *render, *caca;
    };
    const Case cases[] = {
        // a GNOME or KDE desktop: X11 first on sdl12-compat, with its cheap path
        {{{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}},
         compat ? "x11,wayland" : "-",
         "software",
         "null"},
        // Wayland alone: none of the X11 settings, which would leave no window
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, "-", "-", "null"},
        // X11 alone, as on Debian 12's desktops
        {{{"DISPLAY", ":0"}}, "-", "software", "null"},
        // the player's driver and renderer stay; a named driver is used as named
        {{{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "w"}, {"SDL_VIDEODRIVER", "wayland"}},
         "wayland",
         "-",
         "-"},
        {{{"DISPLAY", ":0"}, {"SDL_RENDER_DRIVER", "opengl"}}, "-", "opengl", "null"},
        {{{"SDL_VIDEODRIVER", "x11"}, {"CACA_DRIVER", "ncurses"}}, "x11", "software", "ncurses"},
    };
    for (const Case& c : cases) {
        for (const char* name : names)
            unsetenv(name);
        for (auto [name, set] : c.player)
            setenv(name, set, 1);
        platform_choose_settings();
        SCOPED_TRACE(c.player.front().first + std::string("=") + c.player.front().second);
        EXPECT_EQ(value(getenv("SDL_VIDEO_DRIVER") ? "SDL_VIDEO_DRIVER" : "SDL_VIDEODRIVER"),
                  c.drivers);
        EXPECT_EQ(value("SDL_RENDER_DRIVER"), c.render);
        EXPECT_EQ(value("SDL_FRAMEBUFFER_ACCELERATION"), std::string(c.render) == "-" ? "-" : "0");
        EXPECT_EQ(value("CACA_DRIVER"), c.caca);
        EXPECT_EQ(value("SDL_APP_ID"), "orbostrak");
    }
    for (const char* name : names)
        unsetenv(name);
    for (const auto& [name, set] : saved)
        setenv(name.c_str(), set.c_str(), 1);
}
