// Windows: the settings the game makes for the classic SDL 1.2 beneath it,
// and the rows its fitted window leaves to a title bar and the task bar.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"
#include "platform/windows/scaling.h"

static std::string setting(const char* name) {
    const char* value = getenv(name);
    return value ? value : "-";
}

// waveOut where the player named no sound driver, since DirectSound, SDL's
// first choice, plays nothing where it opens no device; a driver the player
// named stays, and so does a video driver.
TEST(WindowsSettings, WaveOutUnlessThePlayerNamedASoundDriver) {
    struct Case {
        const char *audio, *video, *audio_after;
    };
    const Case cases[] = {
        {"", "", "waveout"},
        {"dsound", "", "dsound"},
        {"disk", "directx", "disk"},
    };
    for (const Case& c : cases) {
        _putenv_s("SDL_AUDIODRIVER", c.audio);
        _putenv_s("SDL_VIDEODRIVER", c.video);
        platform_choose_settings();
        SCOPED_TRACE(std::string("SDL_AUDIODRIVER=") + c.audio);
        EXPECT_EQ(setting("SDL_AUDIODRIVER"), c.audio_after);
        EXPECT_EQ(setting("SDL_VIDEODRIVER"), c.video[0] ? c.video : "-");
        EXPECT_FALSE(platform_settings_misfit());
        EXPECT_EQ(platform_driver_unseen(), nullptr);
    }
    _putenv_s("SDL_AUDIODRIVER", "");
    _putenv_s("SDL_VIDEODRIVER", "");
}

// SDL.dll reads its settings from the C runtime it shares with the game: a
// setting the game makes is the one SDL starts with, and one taken back is
// gone for SDL too.
TEST(WindowsSettings, ASettingMadeIsTheOneSdlStartsWith) {
    const std::string file = testing::TempDir() + "orbostrak_settings.raw";
    platform_make_setting("SDL_DISKAUDIOFILE", file.c_str());
    for (const char* driver : {"disk", "dummy"}) {
        platform_make_setting("SDL_AUDIODRIVER", driver);
        EXPECT_TRUE(platform_setting_made("SDL_AUDIODRIVER"));
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        char name[32] = "";
        EXPECT_STREQ(SDL_AudioDriverName(name, sizeof name), driver);
        SDL_Quit();
    }
    platform_make_setting("SDL_AUDIODRIVER", "");
    EXPECT_FALSE(platform_setting_made("SDL_AUDIODRIVER"));
    EXPECT_STREQ(SDL_getenv("SDL_AUDIODRIVER"), nullptr);
    remove(file.c_str());
}

// 80 rows at 100 % (96 dots an inch), as on the desktops; the title bar and
// the task bar grow with the desktop's scaling: 100 rows at 125 %, 120 at
// 150 %, 160 at 200 %. A screen that tells no scaling counts as 100 %.
TEST(WindowsScaling, TheRowsLeftToATitleBarGrowWithTheDesktopsScaling) {
    const int rows[][2] = {{96, 80}, {120, 100}, {144, 120}, {192, 160}, {0, 80}, {-1, 80}};
    for (const auto& [dpi, expected] : rows)
        EXPECT_EQ(room_rows_at(dpi), expected) << dpi << " dots an inch";
}
