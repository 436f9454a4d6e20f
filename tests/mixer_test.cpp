// The four-voice mixer: how voices add up, start, stop and cut each other
// off, and what reaches SDL's stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
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

// The mixer stepped by hand, with no device to run the callback meanwhile.
void start_mixer() {
    std::copy(sound_blocks, sound_blocks + SOUND_COUNT, sound_table);
    mix_start();
}

} // namespace

// All four voices at full scale clamp at both rails instead of wrapping; off
// the rails every voice counts. A sound ending mid-buffer leaves the others,
// which go on where they stopped; with no voice left a buffer is silence.
TEST(Mixer, VoicesAddClampAndEndMidBuffer) {
    static uint8_t loud[4][MIX_SAMPLES];
    const uint8_t quiet[4] = {200, 100, 130, 120}; // +72 - 28 + 2 - 8
    for (int v = 0; v < 4; v++) {
        memset(loud[v], 255, 500);
        memset(loud[v] + 500, 0, 500);
        memset(loud[v] + 1000, quiet[v], 1000);
        voices[v] = Voice{loud[v], MIX_SAMPLES, MIX_SAMPLES};
    }
    const uint8_t* out = mix_next();
    EXPECT_EQ(count_not(out, 0, 500, 255) + count_not(out, 500, 1000, 0), 0);
    EXPECT_EQ(count_not(out, 1000, 2000, 166), 0);
    const uint8_t* hum = sound_blocks[SND_SHIP_FLYING - 1]; // quiet enough to stay off the rails
    const int hum_length = played_length(SND_SHIP_FLYING);
    voices[0] = Voice{loud[0] + 1000, 500, 500};
    voices[3] = Voice{hum, hum_length, hum_length};
    out = mix_next();
    for (int i = 0; i < MIX_SAMPLES; i++)
        ASSERT_EQ(out[i], hum[i] + (i < 500 ? 72 : 0)) << i;
    out = mix_next();
    EXPECT_EQ(memcmp(out, hum + MIX_SAMPLES, hum_length - MIX_SAMPLES), 0)
        << "goes on where it stopped";
    EXPECT_EQ(count_not(out, hum_length - MIX_SAMPLES, MIX_SAMPLES, 128), 0);
    EXPECT_EQ(count_not(mix_next(), 0, MIX_SAMPLES, 128), 0) << "no voice is left";
}

// The tune begins again while the ship hums on and the march has ended; the
// cannon's destruction replaces a shot still waiting to sound; id 0
// silences a voice.
TEST(Mixer, ANewSoundCutsOffTheOldOneOnTheSameVoiceOnlyAndIdZeroStopsIt) {
    start_mixer();
    play_sound(1, SND_GAME_START);
    play_sound(2, SND_MARCH_4);
    play_sound(3, SND_SHIP_FLYING);
    EXPECT_EQ(voices[2].remaining, played_length(SND_MARCH_4)) << "the last sound plays too";
    mix_next();
    play_sound(1, SND_GAME_START);
    EXPECT_EQ(voices[1].remaining, played_length(SND_GAME_START));
    EXPECT_EQ(voices[3].remaining, played_length(SND_SHIP_FLYING) - MIX_SAMPLES);
    play_sound(1, 0);
    play_sound(3, 0);
    play_sound(0, SND_SHOT);
    play_sound(0, SND_CANNON_DESTROYED);
    EXPECT_EQ(memcmp(mix_next(), sound_blocks[SND_CANNON_DESTROYED - 1], MIX_SAMPLES), 0);
}

// The game-start tune streamed through callbacks of `len` bytes each, into a
// stream SDL has silenced, past which a marker must stay untouched. Whatever
// the length, the stream is one buffer of the silence mixed at start, then
// the tune, then silence: no byte dropped, none repeated. SDL mixes in the
// open device's format: the dummy device runs the callback on SDL's thread,
// and holding the audio lock keeps it out meanwhile.
TEST(MixerDevice, TheCallbackHandsOutTheSameStreamWhateverLengthSdlAsksFor) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(audio_init(), 0);
    SDL_LockAudio();
    const int total = 12 * MIX_SAMPLES, n = played_length(SND_GAME_START);
    auto stream_the_tune = [total](int len) {
        start_mixer();
        play_sound(1, SND_GAME_START);
        std::vector<uint8_t> out, call(size_t(len) + 16);
        while (int(out.size()) < total) {
            std::fill_n(call.begin(), len, 128);
            std::fill(call.begin() + len, call.end(), 0x55);
            audio_callback(nullptr, call.data(), len);
            EXPECT_EQ(count_not(call.data(), len, len + 16, 0x55), 0) << "written past " << len;
            out.insert(out.end(), call.begin(), call.begin() + len);
        }
        return std::vector<uint8_t>(out.begin(), out.begin() + total);
    };
    std::vector<uint8_t> expected(total, 128);
    std::copy_n(sound_blocks[SND_GAME_START - 1], n, expected.begin() + MIX_SAMPLES);
    for (int len : {MIX_SAMPLES, 512, 2048, 4096, 1, 777, 1999, 2001})
        EXPECT_TRUE(stream_the_tune(len) == expected) << "len " << len;
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
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        atexit([] { _exit(SDL_GetAudioStatus() == SDL_AUDIO_STOPPED ? 0 : 3); });
        if (SDL_Init(SDL_INIT_AUDIO) != 0 || audio_init() != 0)
            _exit(2);
        play_sound(VOICE_SHIP, SND_SHIP_FLYING);
        exit(1);
    };
    EXPECT_EXIT(play_then_exit(), testing::ExitedWithCode(0), "")
        << "2: no audio device; 3: the audio still played when the libraries unloaded";
}

TEST(MixerDevice, WithoutADeviceTheGameRunsSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SDL_Init(SDL_INIT_AUDIO);
    EXPECT_EQ(audio_init(), 1);
    play_sound(0, SND_SHOT);
    audio_shutdown();
    EXPECT_EQ(voices[0].remaining, 0) << "shut-down silences every voice";
    SDL_Quit();
}

// The disk driver writes every buffer handed to SDL into a file: classic
// SDL 1.2 writes the mixer's own bytes; over SDL 2 (SDL 1.2 from 1.2.50 on)
// it is signed 16-bit stereo at 44100 Hz, resampled, both channels alike.
// Either way the start sound must come out whole and shaped like the sound
// from end to end, in a stream otherwise silent; classic SDL shows exactly
// where, at the top of a buffer.
TEST(MixerDevice, TheOutputStreamCarriesTheStartSound) {
    const bool over_sdl2 = SDL_Linked_Version()->patch >= 50;
    const double step = over_sdl2 ? 44100.0 / AUDIO_RATE : 1;
    const int frame = over_sdl2 ? 4 : 1, quiet = over_sdl2 ? 3 : 0; // the resampler rings a little
    std::string path = testing::TempDir() + "orbostrak_mixer_" + std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(audio_init(), 0);
    play_sound(2, SND_START);
    // The first buffer is silence, the sound fills the next two, then silence.
    const long bytes = long(5 * MIX_SAMPLES * step) * frame;
    for (int tries = 0; tries < 1000; tries++) { // ten seconds of real time at most
        std::ifstream file(path, std::ios::binary | std::ios::ate);
        if (file && long(file.tellg()) >= bytes)
            break;
        SDL_Delay(10);
    }
    audio_shutdown();
    SDL_Quit();
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> raw{std::istreambuf_iterator<char>(file), {}};
    remove(path.c_str());
    ASSERT_GE(long(raw.size()), bytes) << "the audio file did not reach " << bytes << " bytes";
    std::vector<double> level; // in steps of the 8-bit stream
    for (size_t at = 0; at + frame <= raw.size(); at += frame) {
        auto word = [&](size_t i) { return int16_t(raw[i] | raw[i + 1] << 8) / 256.0; };
        ASSERT_TRUE(!over_sdl2 || word(at) == word(at + 2)) << "frame " << at / 4;
        level.push_back(over_sdl2 ? word(at) : raw[at] - 128);
    }
    const uint8_t* sound = sound_blocks[SND_START - 1];
    const int n = played_length(SND_START), frames = int(level.size());
    const int loud_from = int(
        std::find_if(level.begin(), level.end(), [&](double l) { return std::abs(l) > quiet; }) -
        level.begin());
    ASSERT_LE(loud_from + n * step, frames) << "the sound is not whole in the stream";
    // How well the stream from frame `start` on matches the sound, taken at
    // the sound's own instants: 1 is a perfect match.
    auto match = [&](int start) {
        double sxy = 0, sxx = 0, syy = 0;
        for (int i = 0; i < n; i++) {
            double x = sound[i] - 128, y = level[size_t(start + std::lround(i * step))];
            sxy += x * y, sxx += x * x, syy += y * y;
        }
        return sxy / std::sqrt(sxx * syy);
    };
    int start = loud_from, stray = 0;
    for (int f = std::max(0, loud_from - 64); f <= loud_from; f++)
        start = match(f) > match(start) ? f : start;
    EXPECT_GT(match(start), over_sdl2 ? 0.98 : 0.99999) << "the stream is not the sound";
    EXPECT_TRUE(over_sdl2 || start % MIX_SAMPLES == 0) << "the sound starts at " << start;
    for (int f = 0; f < frames; f++)
        stray += (f < start - 16 || f > start + n * step + 16) && std::abs(level[f]) > quiet;
    EXPECT_EQ(stray, 0) << "loud frames outside the sound";
}
