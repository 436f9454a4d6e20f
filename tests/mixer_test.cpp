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

// The game-start tune alone on voice 1, started before the first callback,
// streamed through callbacks of `len` bytes each, as SDL calls them: the
// stream silenced first, a marker past `len` that must stay untouched.
std::vector<uint8_t> stream_the_tune(int len, int total) {
    mix_start();
    play_sound(1, SND_GAME_START);
    std::vector<uint8_t> out;
    std::vector<uint8_t> call(size_t(len) + 16);
    while (int(out.size()) < total) {
        std::fill_n(call.begin(), len, 128);
        std::fill(call.begin() + len, call.end(), 0x55);
        audio_callback(nullptr, call.data(), len);
        EXPECT_EQ(count_not(call.data(), len, len + 16, 0x55), 0) << "written past " << len;
        out.insert(out.end(), call.begin(), call.begin() + len);
    }
    out.resize(size_t(total));
    return out;
}

// With 2000 bytes a call, each call plays one buffer: the first is the
// silence mixed at start, the tune begins with the second. Any other length
// must carry the very same bytes, none dropped, none repeated.
TEST_F(OpenMixer, TheCallbackHandsOutTheSameStreamWhateverLengthSdlAsksFor) {
    const int total = 12 * MIX_SAMPLES;
    const int n = played_length(SND_GAME_START);
    std::vector<uint8_t> whole = stream_the_tune(MIX_SAMPLES, total);
    EXPECT_EQ(count_not(whole.data(), 0, MIX_SAMPLES, 128), 0);
    EXPECT_EQ(memcmp(whole.data() + MIX_SAMPLES, sound_blocks[SND_GAME_START - 1], n), 0);
    EXPECT_EQ(count_not(whole.data(), MIX_SAMPLES + n, total, 128), 0);
    for (int len : {512, 2048, 4096, 1, 777, 1999, 2001, 0}) {
        if (len == 0) {
            mix_start();
            uint8_t untouched = 0x55;
            audio_callback(nullptr, &untouched, 0);
            EXPECT_TRUE(untouched == 0x55 && mix_handed == MIX_SAMPLES) << "len 0 takes nothing";
            continue;
        }
        EXPECT_TRUE(stream_the_tune(len, total) == whole) << "len " << len;
    }
}

TEST(MixerDevice, WithoutADeviceTheGameRunsSilent) {
    std::fill(std::begin(sound_table), std::end(sound_table), nullptr);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SDL_Init(SDL_INIT_AUDIO);
    EXPECT_EQ(audio_init(), 1);
    EXPECT_EQ(std::count(std::begin(sound_table), std::end(sound_table), nullptr), SOUND_COUNT);
    play_sound(0, SND_SHOT);
    EXPECT_EQ(audio_shutdown(), 0);
    EXPECT_EQ(voices[0].remaining, 0) << "shut-down silences every voice";
    SDL_Quit();
}

// Waits until the disk driver's file holds `bytes`, or gives up after ten
// seconds of real time.
void await_file_size(const std::string& path, long bytes) {
    for (int tries = 0; tries < 1000; tries++) {
        std::ifstream file(path, std::ios::binary | std::ios::ate);
        if (file && long(file.tellg()) >= bytes)
            return;
        SDL_Delay(10);
    }
    ADD_FAILURE() << "the audio file did not reach " << bytes << " bytes";
}

// SDL 1.2 from 1.2.50 on is the compatibility layer over SDL 2.
bool over_sdl2() {
    return SDL_Linked_Version()->patch >= 50;
}

// Over SDL 2 the device plays signed 16-bit stereo at 44100 Hz, resampled by
// SDL: the file is that, both channels alike. The start sound must come out
// whole and in place: shaped like the sound from end to end, starting at a
// 2000-sample boundary of the 8000 Hz stream, and silence everywhere else.
void expect_resampled_start_sound(const std::vector<uint8_t>& file) {
    constexpr double STEP = 44100.0 / AUDIO_RATE;
    constexpr int QUIET = 3 * 256; // the resampler rings a little
    const uint8_t* sound = sound_blocks[SND_START - 1];
    const int n = played_length(SND_START), frames = int(file.size() / 4);
    auto level = [&](int f) { return int16_t(file[4 * f] | file[4 * f + 1] << 8); };
    int loud_from = -1;
    for (int f = 0; f < frames; f++) {
        ASSERT_EQ(level(f), int16_t(file[4 * f + 2] | file[4 * f + 3] << 8)) << "frame " << f;
        if (loud_from < 0 && std::abs(level(f)) > QUIET)
            loud_from = f;
    }
    ASSERT_GE(loud_from, 0) << "no sound in " << frames << " frames";
    ASSERT_LE(loud_from + n * STEP, frames) << "the sound is cut off by the end of the file";
    // How well the stream from frame `start` on matches the sound, linearly
    // interpolated: 1 is a perfect match.
    auto match = [&](int start) {
        double sxy = 0, sxx = 0, syy = 0;
        for (int f = start; f < start + int(n * STEP) - 1 && f < frames; f++) {
            double t = (f - start) / STEP;
            int i = int(t);
            double x = (sound[i] - 128) * (i + 1 - t) + (sound[i + 1] - 128) * (t - i);
            double y = level(f) / 256.0;
            sxy += x * y, sxx += x * x, syy += y * y;
        }
        return sxy / std::sqrt(sxx * syy);
    };
    int start = loud_from;
    for (int f = std::max(0, loud_from - 64); f <= loud_from; f++)
        if (match(f) > match(start))
            start = f;
    EXPECT_GT(match(start), 0.98) << "the stream is not the sound";
    // Until the game unpauses, SDL 2 plays silence a device buffer (2048
    // frames) at a time; from then on the game's 2000-sample buffers follow.
    const int buffer_frames = int(MIX_SAMPLES * STEP);
    int nearest = buffer_frames;
    for (int silent = 0; silent * 2048 <= start; silent++) {
        int off = (start - silent * 2048) % buffer_frames;
        nearest = std::min({nearest, off, buffer_frames - off});
    }
    EXPECT_LE(nearest, 2) << "the sound starts at frame " << start;
    int stray = 0;
    for (int f = 0; f < frames; f++)
        if ((f < start - 16 || f > start + n * STEP + 16) && std::abs(level(f)) > QUIET)
            stray++;
    EXPECT_EQ(stray, 0) << "loud frames outside the sound";
}

// The disk driver writes every buffer handed to SDL into a file: a lone
// voice sums to its own samples, so the start sound must appear there byte
// for byte, at the top of a buffer, in a stream otherwise silent.
TEST(MixerDevice, TheOutputStreamCarriesTheStartSoundExactly) {
    std::string path = testing::TempDir() + "orbostrak_mixer_" + std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(audio_init(), 0);
    play_sound(2, SND_START);
    // The first buffer is silence, the sound fills the next two, then silence.
    const long bytes =
        over_sdl2() ? long(5 * MIX_SAMPLES * 44100 / AUDIO_RATE * 4) : 5 * MIX_SAMPLES;
    await_file_size(path, bytes);
    audio_shutdown();
    SDL_Quit();
    std::ifstream file(path, std::ios::binary);
    std::vector<uint8_t> stream{std::istreambuf_iterator<char>(file), {}};
    remove(path.c_str());
    if (over_sdl2()) {
        expect_resampled_start_sound(stream);
        return;
    }
    const uint8_t* sound = sound_blocks[SND_START - 1];
    const int n = played_length(SND_START), size = int(stream.size());
    int at = int(std::search(stream.begin(), stream.end(), sound, sound + n) - stream.begin());
    ASSERT_LE(at + 2 * MIX_SAMPLES, size) << size << " bytes captured";
    EXPECT_EQ(at % MIX_SAMPLES, 0);
    EXPECT_EQ(count_not(stream.data(), 0, at, 128) + count_not(stream.data(), at + n, size, 128),
              0);
}
