// The four-voice mixer: how voices add up, start, stop and cut each other
// off, and what reaches SDL's stream and the sound device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "display/window.h"
#include "platform/platform.h"
#include "sound/mixer.h"

namespace {

// Mixes the buffer that is due next and returns it.
const uint8_t* mix_next() {
    uint8_t* out = mix_buffers[mix_toggle == 0 ? 1 : 0];
    mix_into_buffer();
    return out;
}

// The mixer stepped by hand, with no device to run the callback meanwhile.
void start_mixer() {
    std::copy(sound_blocks, sound_blocks + SOUND_COUNT, sound_table);
    mix_start();
}

} // namespace

// Four voices at full scale clamp at both rails instead of wrapping; off the
// rails every voice counts; past the end of every sound is silence.
TEST(Mixer, FourVoicesAddAndClampAtBothRails) {
    static const uint8_t samples[4][3] = {
        {255, 0, 200}, {255, 0, 100}, {255, 0, 130}, {255, 0, 120}};
    for (int v = 0; v < 4; v++)
        voices[v] = Voice{samples[v], 3, 3};
    const uint8_t* out = mix_next();
    EXPECT_TRUE(out[0] == 255 && out[1] == 0 && out[2] == 166 && out[3] == 128)
        << "+72 - 28 + 2 - 8";
}

// The cannon's destruction replaces a shot still waiting to sound; a kill
// ends mid-buffer and the march (the last id) plays on beside it; id 0
// silences the ship's hum.
TEST(Mixer, ANewSoundCutsOffTheOldOneOnTheSameVoiceOnlyAndIdZeroStopsIt) {
    start_mixer();
    play_sound(1, SND_INVADER_HIT);
    play_sound(2, SND_MARCH_4);
    play_sound(3, SND_SHIP_FLYING);
    play_sound(0, SND_SHOT);
    play_sound(0, SND_CANNON_DESTROYED);
    play_sound(3, 0);
    const uint8_t* out = mix_next();
    for (int i = 0, sum = 128; i < MIX_SAMPLES; i++, sum = 128) {
        for (int32_t id : {SND_CANNON_DESTROYED, SND_INVADER_HIT, SND_MARCH_4})
            sum += i < played_length(id) ? sound_blocks[id - 1][i] - 128 : 0;
        ASSERT_EQ(out[i], std::clamp(sum, 0, 255)) << i;
    }
}

// Whatever length SDL asks for, calls laid end to end hand out one buffer of
// the silence mixed at start, then the game-start tune, then silence: no
// byte dropped, repeated or written past the end of a call. The stream comes
// silenced; holding the audio lock keeps the dummy device's thread out.
TEST(MixerDevice, TheCallbackHandsOutTheSameStreamWhateverLengthSdlAsksFor) {
    platform_make_setting("SDL_AUDIODRIVER", "dummy");
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(audio_init(), 0);
    SDL_LockAudio();
    const int total = 12 * MIX_SAMPLES;
    std::vector<uint8_t> expected(total, 128);
    std::copy_n(sound_blocks[SND_GAME_START - 1], played_length(SND_GAME_START),
                expected.begin() + MIX_SAMPLES);
    for (int len : {MIX_SAMPLES, 512, 2048, 4096, 1, 777, 1999, 2001}) {
        start_mixer();
        play_sound(1, SND_GAME_START);
        std::vector<uint8_t> out(total + 2 * 4096, 128);
        for (int at = 0; at < total; at += len)
            audio_callback(nullptr, out.data() + at, len);
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.begin())) << "len " << len;
    }
    SDL_UnlockAudio();
    audio_shutdown();
    SDL_Quit();
}

// Xlib ends the program with exit(1) when its display goes away. By the time
// the libraries unload, after every exit handler the game registered, the
// audio thread must have stopped: over SDL 2 it would otherwise call
// through the unloaded layer and crash the exit.
TEST(MixerDevice, AnExitFromAnywhereStopsTheAudioThreadFirst) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto play_then_exit = [] {
        platform_make_setting("SDL_AUDIODRIVER", "dummy");
        atexit([] { _exit(SDL_GetAudioStatus() == SDL_AUDIO_STOPPED ? 0 : 3); });
        if (SDL_Init(SDL_INIT_AUDIO) != 0 || audio_init() != 0)
            _exit(2);
        play_sound(VOICE_SHIP, SND_SHIP_FLYING);
        exit(1);
    };
    EXPECT_EXIT(play_then_exit(), testing::ExitedWithCode(0), "")
        << "2: no audio device; 3: the audio still played when the libraries unloaded";
}

// The disk driver writes what the device plays: classic SDL 1.2 the mixer's
// own bytes; over SDL 2 (1.2.50 on) signed 16-bit stereo resampled to 44100
// Hz. Either way the start sound comes out whole and shaped like the sound.
TEST(MixerDevice, TheOutputStreamCarriesTheStartSound) {
    const bool over_sdl2 = sdl12_compat();
    const double step = over_sdl2 ? 44100.0 / AUDIO_RATE : 1;
    const int frame = over_sdl2 ? 4 : 1, n = played_length(SND_START);
    const std::string path = testing::TempDir() + "orbostrak_mixer_" + std::to_string(getpid());
    platform_make_setting("SDL_AUDIODRIVER", "disk");
    platform_make_setting("SDL_DISKAUDIOFILE", path.c_str());
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(audio_init(), 0);
    play_sound(2, SND_START);
    const long bytes = long(5 * MIX_SAMPLES * step) * frame; // silence, the sound, silence
    for (int tries = 0; tries < 1000 && std::ifstream(path, std::ios::ate).tellg() < bytes; tries++)
        SDL_Delay(10);
    audio_shutdown();
    SDL_Quit();
    std::vector<uint8_t> raw{std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}};
    remove(path.c_str());
    ASSERT_GE(long(raw.size()), bytes) << "awaited " << bytes << " bytes of audio for 10 s";
    // The left channel of a frame, in steps of the 8-bit stream.
    auto level = [&](size_t at) {
        at *= frame;
        return over_sdl2 ? int16_t(raw[at] | raw[at + 1] << 8) / 256.0 : raw[at] - 128.0;
    };
    // The stream from each frame on, taken at the sound's own instants,
    // against the sound: 1 is a perfect match.
    double best = 0;
    for (size_t start = 0; (start + size_t(n * step) + 1) * frame <= raw.size(); start++) {
        double sxy = 0, sxx = 0, syy = 0;
        for (int i = 0; i < n; i++) {
            double x = sound_blocks[SND_START - 1][i] - 128,
                   y = level(start + size_t(std::lround(i * step)));
            sxy += x * y, sxx += x * x, syy += y * y;
        }
        best = std::max(best, syy > 0 ? sxy / std::sqrt(sxx * syy) : 0);
    }
    EXPECT_GT(best, 0.98) << "the stream is not the sound";
}
