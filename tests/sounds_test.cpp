// The sound bank: lengths, loudness, the tail of each block, and whether the
// sounds have the shape of what they mark.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "sound/mixer.h"

namespace {

// Sound ids 1 to 12 in order; in the first nine the last 50 bytes are a
// LIST/INFO chunk.
struct SoundFacts {
    int32_t nominal, played, peak;
};
const SoundFacts bank[SOUND_COUNT] = {{10071, 10016, 128}, {472, 420, 88},      {4008, 3956, 99},
                                      {2784, 2732, 18},    {2418, 2364, 90},    {2690, 2636, 126},
                                      {842, 788, 74},      {17532, 17480, 126}, {1048, 996, 35},
                                      {906, 852, 24},      {1008, 956, 30},     {962, 908, 31}};
constexpr int32_t CHUNKED = 9;

const uint8_t* block(int32_t id) {
    return sound_blocks[id - 1];
}

uint32_t read_u32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

// Pitch from the crossings of 128 between two sample positions.
double pitch_hz(int32_t id, int32_t from, int32_t to) {
    const uint8_t* s = block(id);
    int32_t first = -1, last = -1, crossings = 0;
    for (int32_t i = from + 1; i < to; i++)
        if ((s[i - 1] >= 128) != (s[i] >= 128)) {
            first = first < 0 ? i : first;
            last = i;
            crossings++;
        }
    return crossings < 3 ? 0 : (crossings - 1) / 2.0 * AUDIO_RATE / (last - first);
}

double loudness(int32_t id, int32_t from, int32_t to) {
    double sum = 0;
    for (int32_t i = from; i < to; i++)
        sum += (block(id)[i] - 128) * (block(id)[i] - 128);
    return sum / (to - from);
}

} // namespace

// Nothing past the played samples is heard, so it must be silence or the chunk.
TEST(SoundBank, EverySoundHasItsLengthsAndPeakAndIsSilentOutsideItsPlayedPart) {
    for (int32_t id = 1; id <= SOUND_COUNT; id++) {
        SCOPED_TRACE(id);
        const SoundFacts& s = bank[id - 1];
        EXPECT_EQ(sound_lengths[id - 1], s.nominal);
        EXPECT_EQ(played_length(id), s.played);
        int32_t peak = 0;
        for (int32_t i = 0; i < s.played; i++)
            peak = std::max(peak, std::abs(block(id)[i] - 128));
        // 128 is reachable only downwards: the game-over tune touches 0 or 255.
        EXPECT_NEAR(peak, s.peak, s.peak == 128 ? 1 : 3);
        EXPECT_NEAR(block(id)[0], 128, 2);
        EXPECT_NEAR(block(id)[s.played - 1], 128, 2);
        ASSERT_LE(s.played, s.nominal - 50);
        for (int32_t i = s.played; i < s.nominal - (id <= CHUNKED ? 50 : 0); i++)
            ASSERT_EQ(block(id)[i], 128) << "byte " << i;
    }
}

// Word-aligned text tags that fill the chunk exactly, each a terminated text.
TEST(SoundBank, TheFirstNineBlocksCloseWithAFiftyByteInfoChunk) {
    for (int32_t id = 1; id <= CHUNKED; id++) {
        SCOPED_TRACE(id);
        const uint8_t* tail = block(id) + sound_lengths[id - 1] - 50;
        ASSERT_EQ(memcmp(tail, "LIST", 4), 0);
        ASSERT_EQ(read_u32(tail + 4), 42u);
        ASSERT_EQ(memcmp(tail + 8, "INFOINAM", 8), 0);
        uint32_t at = 12;
        for (uint32_t size; at < 50; at += 8 + size + size % 2) {
            size = read_u32(tail + at + 4);
            ASSERT_TRUE(size >= 2 && at + 8 + size <= 50) << "tag at " << at;
            EXPECT_TRUE(std::all_of(tail + at, tail + at + 4, ::isupper)) << "tag name";
            EXPECT_NE(tail[at + 8], 0) << "empty text";
            EXPECT_EQ(tail[at + 8 + size - 1], 0) << "text not terminated";
        }
        EXPECT_EQ(at, 50u);
    }
}

// The shot and the ship's hit fall in pitch, the march steps down four low
// notes, the cannon's explosion dies away and the tunes sound to their end.
TEST(SoundCharacter, EachSoundHasTheShapeOfWhatItMarks) {
    for (int32_t id : {SND_SHOT, SND_SHIP_HIT}) {
        int32_t quarter = played_length(id) / 4;
        EXPECT_GT(pitch_hz(id, 0, quarter), 2 * pitch_hz(id, 3 * quarter, 4 * quarter)) << id;
    }
    double previous = 150;
    for (int32_t id = SND_MARCH_1; id <= SND_MARCH_4; id++) {
        double hz = pitch_hz(id, 160, 560); // past the first 20 ms the thump has settled
        EXPECT_TRUE(hz > 60 && hz < previous) << id << ": " << hz << " Hz";
        previous = hz;
    }
    int32_t quarter = played_length(SND_CANNON_DESTROYED) / 4;
    EXPECT_GT(loudness(SND_CANNON_DESTROYED, 0, quarter),
              8 * loudness(SND_CANNON_DESTROYED, 3 * quarter, 4 * quarter));
    for (int32_t id : {SND_GAME_START, SND_GAME_OVER}) {
        int32_t n = played_length(id); // the last tenth before the fade
        EXPECT_GT(loudness(id, n * 8 / 10, n * 9 / 10), 20 * 20) << id;
    }
}
