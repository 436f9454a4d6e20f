// The four-voice mixer: how voices add up, start, stop and cut each other
// off, and what reaches SDL's stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sound/mixer.h"

namespace {

// Mixes the buffer that is due next and returns it.
const uint8_t* mix_next() {
    uint8_t* out = mix_buffers[mix_toggle == 0 ? 1 : 0];
    mix_into_buffer();
    return out;
}

int count_not(const uint8_t* bytes, int from, int to, uint8_t value) {
    return int(std::count_if(bytes + from, bytes + to, [value](uint8_t b) { return b != value; }));
}

// The dummy device runs the callback on SDL's thread; holding the audio lock
// keeps it out while a test steps the mixer by hand.
class OpenMixer : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(audio_init(), 0);
        SDL_LockAudio();
        mix_start();
    }
    void TearDown() override {
        SDL_UnlockAudio();
        audio_shutdown();
        SDL_Quit();
    }
};

} // namespace

// Two voices, then four: two more full-scale voices cannot wrap round.
TEST(MixerSum, VoicesAddAroundTheMiddleAndClampAtBothEnds) {
    static uint8_t loud[4][MIX_SAMPLES];
    for (int v = 0; v < 4; v++)
        for (int i = 0; i < MIX_SAMPLES; i++)
            loud[v][i] = i < 500 ? 255 : i < 1000 ? 0 : uint8_t(v == 0 ? 200 : v == 1 ? 100 : 128);
    for (int playing : {2, 4}) {
        for (int v = 0; v < playing; v++)
            voices[v] = Voice{loud[v], MIX_SAMPLES, MIX_SAMPLES};
        const uint8_t* out = mix_next();
        EXPECT_EQ(count_not(out, 0, 500, 255), 0) << playing;     // +254 clamps to 255
        EXPECT_EQ(count_not(out, 500, 1000, 0), 0) << playing;    // -256 + 128 clamps to 0
        EXPECT_EQ(count_not(out, 1000, 2000, 172), 0) << playing; // +72 - 28 + 128
    }
}

TEST(MixerSum, ASoundEndingMidBufferLeavesOnlyTheOtherVoicesThenSilence) {
    static uint8_t short_sound[500], ramp[3000];
    memset(short_sound, 200, sizeof short_sound);
    for (int i = 0; i < 3000; i++)
        ramp[i] = uint8_t(100 + i % 50);
    voices[0] = Voice{short_sound, 500, 500};
    voices[3] = Voice{ramp, 3000, 3000};
    const uint8_t* out = mix_next();
    for (int i = 0; i < MIX_SAMPLES; i++)
        ASSERT_EQ(out[i], ramp[i] + (i < 500 ? 72 : 0)) << i;
    out = mix_next();
    EXPECT_EQ(memcmp(out, ramp + MIX_SAMPLES, 1000), 0) << "goes on where it stopped";
    EXPECT_EQ(count_not(out, 1000, MIX_SAMPLES, 128), 0);
    memset(mix_buffers, 7, sizeof mix_buffers);
    for (mix_toggle = 0; mix_toggle < 2; mix_toggle++)
        EXPECT_EQ(count_not(mix_next(), 0, MIX_SAMPLES, 128), 0) << "no voice is left";
}

// The tune begins again while the ship hums on; the cannon's destruction
// replaces a shot still waiting to sound.
TEST_F(OpenMixer, ANewSoundCutsOffTheOldOneOnTheSameVoiceOnlyAndIdZeroStopsIt) {
    play_sound(1, SND_GAME_START);
    play_sound(3, SND_SHIP_FLYING);
    mix_next();
    play_sound(1, SND_GAME_START);
    EXPECT_EQ(voices[1].remaining, 17480);
    EXPECT_EQ(voices[3].remaining, 2732 - MIX_SAMPLES);
    play_sound(1, 0);
    play_sound(3, 0);
    play_sound(0, SND_SHOT);
    play_sound(0, SND_CANNON_DESTROYED);
    EXPECT_EQ(memcmp(mix_next(), sound_blocks[SND_CANNON_DESTROYED - 1], MIX_SAMPLES), 0);
}

// SDL silences the stream before every callback; past `len` lies a marker
// that the callback must leave alone.
TEST_F(OpenMixer, TheCallbackNeverWritesPastTheLengthSdlAsksFor) {
    for (int len : {500, 0, 2600}) {
        memset(mix_buffers, 200, sizeof mix_buffers);
        std::vector<uint8_t> s(3000, 0x55);
        std::fill_n(s.begin(), len, 128);
        audio_callback(nullptr, s.data(), len);
        int written = std::min(len, MIX_SAMPLES);
        EXPECT_EQ(count_not(s.data(), 0, written, 200), 0) << len;
        EXPECT_EQ(count_not(s.data(), written, len, 128), 0) << len;
        EXPECT_EQ(count_not(s.data(), len, 3000, 0x55), 0) << len;
    }
}

TEST(MixerDevice, WithoutADeviceTheGameRunsSilent) {
    std::fill(std::begin(sound_table), std::end(sound_table), nullptr);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SDL_Init(SDL_INIT_AUDIO);
    EXPECT_EQ(audio_init(), 1);
    EXPECT_EQ(std::count(std::begin(sound_table), std::end(sound_table), nullptr), SOUND_COUNT);
    play_sound(0, SND_SHOT);
    audio_shutdown();
    EXPECT_EQ(voices[0].remaining, 0) << "shut-down silences every voice";
    SDL_Quit();
}
