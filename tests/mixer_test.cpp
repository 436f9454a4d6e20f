// The four-voice mixer: how voices add up, how sounds start, stop and cut
// each other off, the A/B buffer rhythm of the callback, and what actually
// reaches SDL's output stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "sound/mixer.h"

namespace {

void silence_voices() {
    for (Voice& v : voices)
        v = Voice{nullptr, 0, 0};
}

void start_voice(int32_t voice, const uint8_t* data, int32_t length) {
    voices[voice] = Voice{data, length, length};
}

// The buffer the next mix_into_buffer fills.
uint8_t* buffer_being_mixed() {
    return mix_buffers[mix_toggle == 0 ? 1 : 0];
}

const uint8_t* mix_next() {
    uint8_t* out = buffer_being_mixed();
    mix_into_buffer();
    return out;
}

int count_not(const uint8_t* bytes, int from, int to, uint8_t value) {
    return int(std::count_if(bytes + from, bytes + to, [value](uint8_t b) { return b != value; }));
}

// SDL sets the stream to silence before every callback; bytes past `len`
// hold a marker that the callback must leave alone.
constexpr uint8_t MARKER = 0x55;
struct Stream {
    uint8_t bytes[3000];
};

Stream run_callback(int len) {
    Stream s;
    memset(s.bytes, MARKER, sizeof s.bytes);
    memset(s.bytes, 128, size_t(len));
    audio_callback(nullptr, s.bytes, len);
    return s;
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
        locked = true;
        mix_start();
    }
    void TearDown() override {
        if (locked)
            SDL_UnlockAudio();
        audio_shutdown();
        SDL_Quit();
    }
    bool locked = false;
};

} // namespace

// ---- summing ----

TEST(MixerSum, NoVoicePlayingGivesTwoThousandBytesOfSilence) {
    silence_voices();
    for (uint32_t toggle : {0u, 1u}) {
        memset(mix_buffers, 7, sizeof mix_buffers);
        mix_toggle = toggle;
        EXPECT_EQ(count_not(mix_next(), 0, MIX_SAMPLES, 128), 0);
    }
}

TEST(MixerSum, VoicesAddAroundTheMiddleAndClampAtBothEnds) {
    static uint8_t loud[4][MIX_SAMPLES];
    for (int v = 0; v < 4; v++)
        for (int i = 0; i < MIX_SAMPLES; i++)
            loud[v][i] = i < 500 ? 255 : i < 1000 ? 0 : uint8_t(v == 0 ? 200 : v == 1 ? 100 : 128);
    silence_voices();
    start_voice(0, loud[0], MIX_SAMPLES);
    start_voice(1, loud[1], MIX_SAMPLES);
    mix_toggle = 0;
    const uint8_t* out = mix_next();
    EXPECT_EQ(count_not(out, 0, 500, 255), 0);     // +254 clamps to 255
    EXPECT_EQ(count_not(out, 500, 1000, 0), 0);    // -256 + 128 clamps to 0
    EXPECT_EQ(count_not(out, 1000, 2000, 172), 0); // +72 - 28 + 128

    // Four voices at once: two more full-scale pairs cannot wrap round.
    start_voice(0, loud[0], MIX_SAMPLES);
    start_voice(1, loud[1], MIX_SAMPLES);
    start_voice(2, loud[2], MIX_SAMPLES);
    start_voice(3, loud[3], MIX_SAMPLES);
    out = mix_next();
    EXPECT_EQ(count_not(out, 0, 500, 255), 0);
    EXPECT_EQ(count_not(out, 500, 1000, 0), 0);
    EXPECT_EQ(count_not(out, 1000, 2000, 172), 0);
}

TEST(MixerSum, ASoundEndingMidBufferLeavesOnlyTheOtherVoices) {
    static uint8_t short_sound[500];
    static uint8_t long_sound[3000];
    memset(short_sound, 200, sizeof short_sound);
    memset(long_sound, 140, sizeof long_sound);
    silence_voices();
    start_voice(0, short_sound, 500);
    start_voice(3, long_sound, 3000);
    mix_toggle = 0;
    const uint8_t* out = mix_next();
    EXPECT_EQ(count_not(out, 0, 500, 212), 0);
    EXPECT_EQ(count_not(out, 500, 2000, 140), 0);
    EXPECT_EQ(voices[0].remaining, 0);
    EXPECT_EQ(voices[3].remaining, 1000);

    mix_toggle = 1;
    out = mix_next();
    EXPECT_EQ(count_not(out, 0, 1000, 140), 0);
    EXPECT_EQ(count_not(out, 1000, 2000, 128), 0);
    EXPECT_EQ(voices[0].remaining, 0);
    EXPECT_EQ(voices[3].remaining, 0);
}

TEST(MixerSum, ALongSoundGoesOnWhereTheLastBufferStopped) {
    static uint8_t ramp[2500];
    for (int i = 0; i < 2500; i++)
        ramp[i] = uint8_t(i % 251);
    silence_voices();
    start_voice(1, ramp, 2500);
    mix_toggle = 0;
    EXPECT_EQ(memcmp(mix_next(), ramp, MIX_SAMPLES), 0);
    mix_toggle = 1;
    const uint8_t* out = mix_next();
    EXPECT_EQ(memcmp(out, ramp + 2000, 500), 0);
    EXPECT_EQ(count_not(out, 500, 2000, 128), 0);
}

// ---- starting and stopping sounds ----

TEST_F(OpenMixer, AudioInitFillsTheSoundTable) {
    for (int id = 1; id <= SOUND_COUNT; id++)
        EXPECT_EQ(sound_table[id - 1], sound_blocks[id - 1]);
    EXPECT_EQ(count_not(mix_buffers[0], 0, 2 * MIX_SAMPLES, 128), 0);
}

TEST_F(OpenMixer, PlaySoundStartsTheSoundFromItsFirstSample) {
    play_sound(2, SND_START);
    EXPECT_EQ(voices[2].data, sound_table[SND_START - 1]);
    EXPECT_EQ(voices[2].length, 2636);
    EXPECT_EQ(voices[2].remaining, 2636);
    EXPECT_EQ(memcmp(mix_next(), sound_blocks[SND_START - 1], MIX_SAMPLES), 0);
}

TEST_F(OpenMixer, ANewSoundCutsOffTheOldOneOnTheSameVoiceOnly) {
    const uint8_t* tune = sound_blocks[SND_GAME_START - 1];
    play_sound(1, SND_GAME_START);
    play_sound(3, SND_SHIP_FLYING);
    mix_next();
    EXPECT_EQ(voices[1].remaining, 17480 - 2000);
    EXPECT_EQ(voices[3].remaining, 2732 - 2000);

    // Restarted: the next buffer begins the tune again; the ship hums on.
    play_sound(1, SND_GAME_START);
    play_sound(3, 0);
    EXPECT_EQ(voices[1].remaining, 17480);
    EXPECT_EQ(memcmp(mix_next(), tune, MIX_SAMPLES), 0);

    // The cannon's destruction replaces a shot still waiting to sound.
    play_sound(1, 0);
    play_sound(0, SND_SHOT);
    play_sound(0, SND_CANNON_DESTROYED);
    EXPECT_EQ(voices[0].length, 3956);
    EXPECT_EQ(memcmp(mix_next(), sound_blocks[SND_CANNON_DESTROYED - 1], MIX_SAMPLES), 0);
}

TEST_F(OpenMixer, IdZeroStopsAVoiceAndStrayIdsChangeNothing) {
    play_sound(2, SND_MARCH_1);
    Voice before = voices[2];
    for (int32_t id : {13, -1, 100})
        play_sound(2, id);
    EXPECT_EQ(voices[2].data, before.data);
    EXPECT_EQ(voices[2].remaining, before.remaining);
    EXPECT_EQ(voices[2].length, before.length);

    // A voice that does not exist is never written.
    Voice all[VOICES];
    memcpy(all, voices, sizeof all);
    play_sound(4, SND_SHOT);
    play_sound(-1, SND_SHOT);
    EXPECT_EQ(memcmp(all, voices, sizeof all), 0);

    play_sound(2, 0);
    play_sound(3, 0); // already silent
    EXPECT_EQ(voices[2].remaining, 0);
    EXPECT_LE(voices[3].remaining, 0);
    EXPECT_EQ(count_not(mix_next(), 0, MIX_SAMPLES, 128), 0);
}

// ---- the callback ----

TEST_F(OpenMixer, TheFirstCallbackPlaysBufferBThenTheyAlternate) {
    memset(mix_buffers[0], 60, MIX_SAMPLES);
    memset(mix_buffers[1], 200, MIX_SAMPLES);
    Stream s = run_callback(MIX_SAMPLES);
    EXPECT_EQ(count_not(s.bytes, 0, MIX_SAMPLES, 200), 0);
    EXPECT_EQ(mix_toggle, 1u);
    // A was refilled behind it, with silence since no voice plays.
    EXPECT_EQ(count_not(mix_buffers[0], 0, MIX_SAMPLES, 128), 0);

    // A sound started now is mixed into B by the next callback and heard in
    // the one after: one buffer behind.
    play_sound(0, SND_SHOT);
    s = run_callback(MIX_SAMPLES);
    EXPECT_EQ(mix_toggle, 0u);
    EXPECT_EQ(count_not(s.bytes, 0, MIX_SAMPLES, 128), 0);
    s = run_callback(MIX_SAMPLES);
    EXPECT_EQ(mix_toggle, 1u);
    EXPECT_EQ(memcmp(s.bytes, sound_blocks[SND_SHOT - 1], 788), 0);
    EXPECT_EQ(count_not(s.bytes, 788, MIX_SAMPLES, 128), 0);
}

TEST_F(OpenMixer, TheCallbackNeverWritesPastTheLengthSdlAsksFor) {
    memset(mix_buffers[1], 200, MIX_SAMPLES);
    Stream s = run_callback(500);
    EXPECT_EQ(count_not(s.bytes, 0, 500, 200), 0);
    EXPECT_EQ(count_not(s.bytes, 500, 3000, MARKER), 0);

    // Asked for more than a buffer: one buffer's worth, the rest untouched.
    memset(mix_buffers[0], 60, MIX_SAMPLES);
    s = run_callback(2600);
    EXPECT_EQ(count_not(s.bytes, 0, MIX_SAMPLES, 60), 0);
    EXPECT_EQ(count_not(s.bytes, MIX_SAMPLES, 2600, 128), 0);
    EXPECT_EQ(count_not(s.bytes, 2600, 3000, MARKER), 0);

    s = run_callback(0);
    EXPECT_EQ(count_not(s.bytes, 0, 3000, MARKER), 0);
}

// ---- devices ----

TEST(MixerDevice, ShutdownSilencesEveryVoice) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(audio_init(), 0);
    for (int v = 0; v < VOICES; v++)
        play_sound(v, SND_GAME_START);
    EXPECT_EQ(audio_shutdown(), 0);
    for (const Voice& v : voices)
        EXPECT_EQ(v.remaining, 0);
    SDL_Quit();
}

TEST(MixerDevice, WithoutADeviceTheGameRunsSilent) {
    for (const uint8_t*& entry : sound_table)
        entry = nullptr;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SDL_Init(SDL_INIT_AUDIO);
    EXPECT_EQ(audio_init(), 1);
    for (const uint8_t* entry : sound_table)
        EXPECT_EQ(entry, nullptr);
    play_sound(0, SND_SHOT);
    play_sound(2, 0);
    EXPECT_EQ(audio_shutdown(), 0);
    for (const Voice& v : voices)
        EXPECT_EQ(v.remaining, 0);
    SDL_Quit();
}

// The disk driver writes every buffer the callback hands SDL to a file: a
// lone voice sums to its own samples, so the start sound must appear there
// byte for byte, at the top of a buffer, in a stream otherwise silent.
TEST(MixerDevice, TheOutputStreamCarriesTheStartSoundExactly) {
    std::string path = testing::TempDir() + "orbostrak_mixer_" + std::to_string(getpid()) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", path.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "250", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0);
    ASSERT_EQ(audio_init(), 0);
    play_sound(2, SND_START);
    SDL_Delay(1500);
    audio_shutdown();
    SDL_Quit();

    std::vector<uint8_t> stream;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        uint8_t chunk[4096];
        size_t got;
        while ((got = fread(chunk, 1, sizeof chunk, f)) > 0)
            stream.insert(stream.end(), chunk, chunk + got);
        fclose(f);
    }
    remove(path.c_str());

    const uint8_t* sound = sound_blocks[SND_START - 1];
    const int32_t n = played_length(SND_START);
    auto found = std::search(stream.begin(), stream.end(), sound, sound + n);
    ASSERT_NE(found, stream.end()) << stream.size() << " bytes captured";
    size_t at = size_t(found - stream.begin());
    EXPECT_EQ(at % MIX_SAMPLES, 0u);
    ASSERT_GE(stream.size(), at + 2 * MIX_SAMPLES);
    EXPECT_EQ(count_not(stream.data(), 0, int(at), 128), 0);
    EXPECT_EQ(count_not(stream.data(), int(at) + n, int(stream.size()), 128), 0);
}
