// The sound bank: lengths, loudness, the tail of each block, and whether the
// sounds have the shape of what they mark.
#include <gtest/gtest.h>

#include <cstring>

#include "sound/mixer.h"

namespace {

struct SoundFacts {
    int32_t id;
    int32_t nominal;
    int32_t played;
    int32_t peak;
    bool chunk; // the last 50 bytes are a LIST/INFO chunk
};

const SoundFacts bank[SOUND_COUNT] = {
    {SND_GAME_OVER, 10071, 10016, 128, true},
    {SND_INVADER_HIT, 472, 420, 88, true},
    {SND_CANNON_DESTROYED, 4008, 3956, 99, true},
    {SND_SHIP_FLYING, 2784, 2732, 18, true},
    {SND_SHIP_HIT, 2418, 2364, 90, true},
    {SND_START, 2690, 2636, 126, true},
    {SND_SHOT, 842, 788, 74, true},
    {SND_GAME_START, 17532, 17480, 126, true},
    {SND_MARCH_1, 1048, 996, 35, true},
    {SND_MARCH_2, 906, 852, 24, false},
    {SND_MARCH_3, 1008, 956, 30, false},
    {SND_MARCH_4, 962, 908, 31, false},
};

const uint8_t* block(int32_t id) {
    return sound_blocks[id - 1];
}

uint32_t read_u32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

// Pitch from the sign changes around 128 between two sample positions.
double pitch_hz(int32_t id, int32_t from, int32_t to) {
    const uint8_t* s = block(id);
    int32_t first = -1;
    int32_t last = -1;
    int32_t changes = 0;
    for (int32_t i = from + 1; i < to; i++) {
        if ((s[i - 1] >= 128) != (s[i] >= 128)) {
            if (first < 0)
                first = i;
            last = i;
            changes++;
        }
    }
    return changes < 3 ? 0 : (changes - 1) / 2.0 * AUDIO_RATE / (last - first);
}

double loudness(int32_t id, int32_t from, int32_t to) {
    double sum = 0;
    for (int32_t i = from; i < to; i++)
        sum += (block(id)[i] - 128) * (block(id)[i] - 128);
    return sum / (to - from);
}

} // namespace

TEST(SoundBank, EveryBlockHasTheLengthsOfTheTable) {
    for (const SoundFacts& s : bank) {
        SCOPED_TRACE(s.id);
        EXPECT_EQ(sound_lengths[s.id - 1], s.nominal);
        EXPECT_EQ(played_length(s.id), s.played);
        EXPECT_EQ(played_length(s.id) % 4, 0);
    }
}

TEST(SoundBank, EachSoundIsAsLoudAsTheTableSays) {
    for (const SoundFacts& s : bank) {
        SCOPED_TRACE(s.id);
        int32_t peak = 0;
        for (int32_t i = 0; i < s.played; i++) {
            int32_t distance = block(s.id)[i] - 128;
            peak = std::max(peak, distance < 0 ? -distance : distance);
        }
        // 128 is reachable only downwards: the game-over tune touches 0 or 255.
        EXPECT_NEAR(peak, s.peak, s.peak == 128 ? 1 : 3);
    }
}

TEST(SoundBank, EverySoundStartsAndEndsInSilence) {
    for (const SoundFacts& s : bank) {
        SCOPED_TRACE(s.id);
        EXPECT_NEAR(block(s.id)[0], 128, 2);
        EXPECT_NEAR(block(s.id)[s.played - 1], 128, 2);
    }
}

TEST(SoundBank, NothingPastThePlayedSamplesButSilenceAndTheChunk) {
    for (const SoundFacts& s : bank) {
        SCOPED_TRACE(s.id);
        int32_t quiet_end = s.chunk ? s.nominal - 50 : s.nominal;
        ASSERT_LE(s.played, s.nominal - 50);
        for (int32_t i = s.played; i < quiet_end; i++)
            ASSERT_EQ(block(s.id)[i], 128) << "byte " << i;
    }
}

TEST(SoundBank, NineBlocksCloseWithAnInfoChunkOfFiftyBytes) {
    int chunks = 0;
    for (const SoundFacts& s : bank) {
        if (!s.chunk)
            continue;
        SCOPED_TRACE(s.id);
        chunks++;
        const uint8_t* tail = block(s.id) + s.nominal - 50;
        ASSERT_EQ(memcmp(tail, "LIST", 4), 0);
        ASSERT_EQ(read_u32(tail + 4), 42u);
        ASSERT_EQ(memcmp(tail + 8, "INFO", 4), 0);
        // Text tags, each word-aligned, must end exactly at the chunk's end
        // and hold a terminated text.
        int32_t at = 12;
        int tags = 0;
        while (at < 50) {
            ASSERT_LE(at + 8, 50);
            for (int k = 0; k < 4; k++)
                EXPECT_TRUE(tail[at + k] >= 'A' && tail[at + k] <= 'Z');
            uint32_t size = read_u32(tail + at + 4);
            ASSERT_GE(size, 2u);
            ASSERT_LE(at + 8 + int32_t(size), 50);
            EXPECT_NE(tail[at + 8], 0) << "empty text";
            EXPECT_EQ(tail[at + 8 + size - 1], 0) << "text not terminated";
            at += 8 + int32_t(size + (size & 1));
            tags++;
        }
        EXPECT_EQ(at, 50);
        EXPECT_GE(tags, 1);
        EXPECT_EQ(memcmp(tail + 12, "INAM", 4), 0);
    }
    EXPECT_EQ(chunks, 9);
}

TEST(SoundCharacter, TheShotAndTheShipHitFallInPitch) {
    for (int32_t id : {SND_SHOT, SND_SHIP_HIT}) {
        SCOPED_TRACE(id);
        int32_t quarter = played_length(id) / 4;
        EXPECT_GT(pitch_hz(id, 0, quarter), 2 * pitch_hz(id, 3 * quarter, 4 * quarter));
    }
}

TEST(SoundCharacter, TheCannonsExplosionDiesAway) {
    int32_t quarter = played_length(SND_CANNON_DESTROYED) / 4;
    EXPECT_GT(loudness(SND_CANNON_DESTROYED, 0, quarter),
              8 * loudness(SND_CANNON_DESTROYED, 3 * quarter, 4 * quarter));
}

TEST(SoundCharacter, TheMarchStepsDownFourLowNotes) {
    double previous = 1000;
    for (int32_t id = SND_MARCH_1; id <= SND_MARCH_4; id++) {
        SCOPED_TRACE(id);
        // Past the first 20 ms each thump has settled on its note.
        double hz = pitch_hz(id, 160, 560);
        EXPECT_GT(hz, 60);
        EXPECT_LT(hz, 150);
        EXPECT_LT(hz, previous);
        previous = hz;
    }
}

TEST(SoundCharacter, TheTunesPlayToTheirEnd) {
    for (int32_t id : {SND_GAME_START, SND_GAME_OVER}) {
        SCOPED_TRACE(id);
        // Still clearly sounding in the last tenth before the fade.
        int32_t n = played_length(id);
        EXPECT_GT(loudness(id, n * 8 / 10, n * 9 / 10), 20 * 20);
    }
}
