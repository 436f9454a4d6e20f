// The sound bank as a player hears it: every sound as long and as loud as
// tabled, centred on silence, clean of folded-back harmonics; the game-over
// tune off the rails, a kill louder than a shot, and the ship's hum carrying
// on seamlessly when the mixer starts it again on a buffer boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "assets/synth.h"
#include "sound/mixer.h"

namespace {

// Sound ids 1 to 12 in order.
struct SoundFacts {
    int32_t nominal, played, peak;
};
const SoundFacts bank[SOUND_COUNT] = {{10071, 10016, 128}, {472, 420, 88},      {4008, 3956, 99},
                                      {2784, 2732, 18},    {2418, 2364, 90},    {2690, 2636, 126},
                                      {842, 788, 74},      {17532, 17480, 126}, {1048, 996, 35},
                                      {906, 852, 24},      {1008, 956, 30},     {962, 908, 31}};
constexpr int32_t CHUNKED = 9;

uint32_t read_u32(const uint8_t* at) {
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

const uint8_t* samples_of(int32_t id) {
    return sound_blocks[id - 1];
}

double rms_of(const uint8_t* s, int from, int to) {
    double squares = 0;
    for (int i = from; i < to; i++)
        squares += double(s[i] - 128) * (s[i] - 128);
    return std::sqrt(squares / (to - from));
}

// Magnitudes of a stretch of samples, bin k at k * 8000 / n Hz. The
// Blackman-Harris window keeps a line's leakage 90 dB down beyond 4 bins.
std::vector<double> spectrum(const std::vector<double>& x) {
    const int n = int(x.size());
    std::vector<double> windowed(n), magnitude(n / 2);
    for (int i = 0; i < n; i++) {
        double a = 2 * M_PI * i / n;
        windowed[i] = x[i] * (0.35875 - 0.48829 * std::cos(a) + 0.14128 * std::cos(2 * a) -
                              0.01168 * std::cos(3 * a));
    }
    std::vector<double> cosine(n), sine(n);
    for (int i = 0; i < n; i++) {
        cosine[i] = std::cos(2 * M_PI * i / n);
        sine[i] = std::sin(2 * M_PI * i / n);
    }
    for (int k = 0; k < n / 2; k++) {
        double re = 0, im = 0;
        for (int i = 0, turn = 0; i < n; i++, turn = (turn + k) % n) {
            re += windowed[i] * cosine[turn];
            im -= windowed[i] * sine[turn];
        }
        magnitude[k] = std::hypot(re, im);
    }
    return magnitude;
}

// The loudest bin that lies more than `spread` bins from every multiple of
// `hz`, in dB below the loudest bin of all.
double off_harmonic_db(const std::vector<double>& x, double hz, int spread) {
    std::vector<double> m = spectrum(x);
    const double bin_hz = 8000.0 / double(x.size());
    double top = *std::max_element(m.begin(), m.end()), stray = 1e-12;
    for (size_t k = 1; k < m.size(); k++) {
        double f = double(k) * bin_hz;
        double harmonic = std::round(f / hz) * hz;
        if (std::abs(f - harmonic) > spread * bin_hz)
            stray = std::max(stray, m[k]);
    }
    return 20 * std::log10(top / stray);
}

} // namespace

// Nothing past the played samples is heard, so it must be silence or, in
// the first nine, a LIST/INFO chunk of word-aligned tags that fill its 50
// bytes exactly, each text terminated. What is heard starts and ends at
// silence and sways around it evenly.
TEST(SoundBank, EverySoundHasItsLengthsAndPeakIsCentredAndSilentOrTaggedPastItsPlayedPart) {
    for (int32_t id = 1; id <= SOUND_COUNT; id++) {
        SCOPED_TRACE(id);
        const SoundFacts& s = bank[id - 1];
        const uint8_t* block = samples_of(id);
        EXPECT_EQ(sound_lengths[id - 1], s.nominal);
        EXPECT_EQ(played_length(id), s.played);
        int32_t peak = 0;
        double sum = 0;
        for (int32_t i = 0; i < s.played; i++) {
            peak = std::max(peak, std::abs(block[i] - 128));
            sum += block[i];
        }
        // 128 is reachable only downwards: 255 is 127 above the middle.
        EXPECT_TRUE(peak == s.peak || (s.peak == 128 && peak == 127)) << peak;
        EXPECT_NEAR(sum / s.played, 128, 1);
        EXPECT_NEAR(block[0], 128, 2);
        EXPECT_NEAR(block[s.played - 1], 128, 2);
        for (int32_t i = s.played; i < s.nominal - (id <= CHUNKED ? 50 : 0); i++)
            ASSERT_EQ(block[i], 128) << "byte " << i;
        if (id > CHUNKED)
            continue;
        const uint8_t* tail = block + s.nominal - 50;
        ASSERT_EQ(memcmp(tail, "LIST", 4), 0);
        ASSERT_EQ(read_u32(tail + 4), 42u);
        ASSERT_EQ(memcmp(tail + 8, "INFOINAM", 8), 0);
        uint32_t at = 12;
        for (uint32_t size; at < 50; at += 8 + size + size % 2) {
            size = read_u32(tail + at + 4);
            ASSERT_TRUE(size >= 2 && at + 8 + size <= 50) << "tag at " << at;
            EXPECT_TRUE(tail[at + 8] != 0 && tail[at + 8 + size - 1] == 0) << "tag at " << at;
        }
        EXPECT_EQ(at, 50u);
    }
}

// The game-over tune keeps its full-scale peak without sitting on the rails,
// and a kill lands harder than the shot that made it.
TEST(SoundBank, TheGameOverTuneStaysOffTheRailsAndAKillIsLouderThanAShot) {
    const uint8_t* tune = samples_of(SND_GAME_OVER);
    const int n = played_length(SND_GAME_OVER);
    int rails = int(std::count(tune, tune + n, 0) + std::count(tune, tune + n, 255));
    EXPECT_GT(rails, 0) << "the peak of 128 reaches a rail";
    EXPECT_LE(rails, n / 50) << "at most 2% of the tune at 0 or 255";
    double hit = rms_of(samples_of(SND_INVADER_HIT), 0, played_length(SND_INVADER_HIT));
    double shot = rms_of(samples_of(SND_SHOT), 0, played_length(SND_SHOT));
    EXPECT_GT(20 * std::log10(hit / shot), 2.0) << hit << " against " << shot;
}

// The ship starts its hum every 25 steps and the mixer starts a sound at the
// top of a buffer, so the hum is often restarted after exactly one buffer.
// Then the stream must go on as the hum itself would have gone on, with no
// step across the seam steeper than its own, and its strength must hold
// level through the buffer.
TEST(SoundBank, TheShipsHumRestartedOnABufferBoundaryCarriesOnWithoutASeam) {
    for (int i = 0; i < SOUND_COUNT; i++)
        sound_table[i] = sound_blocks[i];
    mix_toggle = 0;
    play_sound(3, SND_SHIP_FLYING);
    mix_into_buffer();
    std::vector<uint8_t> first(mix_buffers[1], mix_buffers[1] + MIX_SAMPLES);
    play_sound(3, SND_SHIP_FLYING);
    mix_toggle = 0;
    mix_into_buffer();
    const uint8_t* second = mix_buffers[1];
    const uint8_t* hum = samples_of(SND_SHIP_FLYING);
    for (int i = 0; i < 20; i++)
        EXPECT_NEAR(second[i], hum[MIX_SAMPLES + i], 1) << i;
    int steepest = 0;
    for (int i = 1; i < MIX_SAMPLES; i++)
        steepest = std::max(steepest, std::abs(first[i] - first[i - 1]));
    EXPECT_LE(std::abs(second[0] - first[MIX_SAMPLES - 1]), steepest);
    const int WINDOW = 250;
    double whole = rms_of(first.data(), 0, MIX_SAMPLES);
    for (int from = 0; from < MIX_SAMPLES; from += WINDOW)
        EXPECT_NEAR(rms_of(first.data(), from, from + WINDOW), whole, whole / 10) << from;
    play_sound(3, 0);
}

// A square built from its harmonics has nothing between them, at any pitch,
// where a naive square folds its upper harmonics back all over the band.
TEST(SoundBank, SquaresAreBandLimited) {
    const int N = 1024;
    for (double hz : {110.0, 261.6, 440.5, 1234.5, 1800.0}) {
        SCOPED_TRACE(hz);
        synth::Square square;
        square.tune(hz);
        synth::Phase clean, naive;
        std::vector<double> built(N), folded(N);
        for (int i = 0; i < N; i++) {
            built[i] = square.at(clean.advance(hz));
            folded[i] = naive.advance(hz) < 0.5 ? 1 : -1;
        }
        EXPECT_GT(off_harmonic_db(built, hz, 5), 60);
        EXPECT_LT(off_harmonic_db(folded, hz, 5), 45) << "the measure must see folding";
    }
}

// The new-game tune ends on a held C: the melody's C6 and the bass's C3 and
// their harmonics are all multiples of C3, and nothing else may sound. A
// folded harmonic of C6 would land 21 Hz off a multiple of C3, so the
// stretch is long enough for 2 Hz bins.
TEST(SoundBank, TheGameStartTunesLastChordHoldsOnlyItsHarmonics) {
    const double C3 = 130.81;
    const int N = 4096, FROM = int(1.645 * 8000);
    const uint8_t* tune = samples_of(SND_GAME_START);
    std::vector<double> x(N);
    for (int i = 0; i < N; i++)
        x[i] = tune[FROM + i] - 128.0;
    EXPECT_GT(off_harmonic_db(x, C3, 5), 45);
}
