// The sound bank as a player hears it: every sound as long and as loud as
// it should be, centred on silence, clean of folded-back harmonics; the
// game-over tune off the rails, a kill louder than a shot, and the ship's hum
// carrying on seamlessly when the mixer starts it again on a buffer boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numeric>
#include <vector>

#include "assets/synth.h"
#include "sound/mixer.h"

namespace {

double rms_of(const uint8_t* s, int from, int to) {
    double squares = 0;
    for (int i = from; i < to; i++)
        squares += double(s[i] - 128) * (s[i] - 128);
    return std::sqrt(squares / (to - from));
}

// The loudest bin of a stretch's spectrum (bin k at k * 8000 / n Hz) lying
// more than 5 bins from every multiple of `hz`, in dB below the loudest bin
// of all. The Blackman-Harris window keeps a line's leakage 90 dB down
// beyond 4 bins.
double off_harmonic_db(const std::vector<double>& x, double hz) {
    const int n = int(x.size());
    const double bin_hz = 8000.0 / n;
    std::vector<std::complex<double>> turn(n), windowed(n);
    for (int i = 0; i < n; i++) {
        double a = 2 * M_PI * i / n;
        turn[i] = std::polar(1.0, -a);
        windowed[i] = x[i] * (0.35875 - 0.48829 * std::cos(a) + 0.14128 * std::cos(2 * a) -
                              0.01168 * std::cos(3 * a));
    }
    double top = 0, stray = 1e-12;
    for (int k = 1; k < n / 2; k++) {
        std::complex<double> sum;
        for (int i = 0; i < n; i++)
            sum += windowed[i] * turn[i * k % n];
        top = std::max(top, std::abs(sum));
        if (std::abs(k * bin_hz - std::round(k * bin_hz / hz) * hz) > 5 * bin_hz)
            stray = std::max(stray, std::abs(sum));
    }
    return 20 * std::log10(top / stray);
}

} // namespace

// What is heard of each sound, ids 1 to 12, starts and ends at silence,
// sways around it evenly and peaks as far from 128 as tabled. What follows,
// up to the last 50 bytes that may name the sound, is silence.
TEST(SoundBank, EverySoundIsAsLongAndLoudAsTabledCentredAndSilentPastItsEnd) {
    const int32_t played[] = {10016, 420, 3956, 2732, 2364, 2636, 788, 17480, 996, 852, 956, 908};
    const int32_t peaks[] = {128, 88, 99, 18, 90, 126, 74, 126, 35, 24, 30, 31};
    for (int32_t id = 1; id <= SOUND_COUNT; id++) {
        SCOPED_TRACE(id);
        const uint8_t* s = sound_blocks[id - 1];
        const int n = played[id - 1], tail = sound_lengths[id - 1] - 50, peak = peaks[id - 1];
        ASSERT_EQ(played_length(id), n);
        int loudest = 0;
        for (int i = 0; i < n; i++)
            loudest = std::max(loudest, std::abs(s[i] - 128));
        // 128 is reachable only downwards: 255 is 127 above the middle.
        EXPECT_TRUE(loudest == peak || (peak == 128 && loudest == 127)) << loudest;
        EXPECT_NEAR(std::accumulate(s, s + n, 0.0) / n, 128, 1);
        EXPECT_TRUE(std::abs(s[0] - 128) <= 2 && std::abs(s[n - 1] - 128) <= 2);
        EXPECT_EQ(std::count(s + n, s + tail, 128), tail - n) << "heard past its end";
    }
}

// The game-over tune keeps its full-scale peak without sitting on the rails,
// and a kill lands harder than the shot that made it.
TEST(SoundBank, TheGameOverTuneStaysOffTheRailsAndAKillIsLouderThanAShot) {
    const uint8_t* tune = sound_blocks[SND_GAME_OVER - 1];
    const int n = played_length(SND_GAME_OVER);
    int rails = int(std::count(tune, tune + n, 0) + std::count(tune, tune + n, 255));
    EXPECT_GT(rails, 0) << "the peak of 128 reaches a rail";
    EXPECT_LE(rails, n / 50) << "at most 2% of the tune at 0 or 255";
    double hit = rms_of(sound_blocks[SND_INVADER_HIT - 1], 0, played_length(SND_INVADER_HIT));
    double shot = rms_of(sound_blocks[SND_SHOT - 1], 0, played_length(SND_SHOT));
    EXPECT_GT(20 * std::log10(hit / shot), 2.0) << hit << " against " << shot;
}

// The ship starts its hum every 25 steps and the mixer starts a sound at the
// top of a buffer, so the hum is often restarted after exactly one buffer.
// Its first buffer must then lead into its own start with no step steeper
// than its own, and its second buffer begin as the first did: a restart
// sounds like going on, at full strength.
TEST(SoundBank, TheShipsHumRestartedAfterOneBufferCarriesOnWithoutASeam) {
    const uint8_t* hum = sound_blocks[SND_SHIP_FLYING - 1];
    int steepest = 0;
    for (int i = 1; i < MIX_SAMPLES; i++)
        steepest = std::max(steepest, std::abs(hum[i] - hum[i - 1]));
    EXPECT_LE(std::abs(hum[0] - hum[MIX_SAMPLES - 1]), steepest);
    for (int i = 0; i < 20; i++)
        EXPECT_NEAR(hum[i], hum[MIX_SAMPLES + i], 1) << i;
}

// A square built from its harmonics has nothing between them, at any pitch,
// where a naive square folds its upper harmonics back all over the band.
TEST(SoundBank, SquaresAreBandLimited) {
    for (double hz : {110.0, 261.6, 440.5, 1234.5, 1800.0}) {
        synth::Square square;
        square.tune(hz);
        synth::Phase clean, naive;
        std::vector<double> built(1024), folded(1024);
        for (int i = 0; i < 1024; i++) {
            built[i] = square.at(clean.advance(hz));
            folded[i] = naive.advance(hz) < 0.5 ? 1 : -1;
        }
        EXPECT_GT(off_harmonic_db(built, hz), 60) << hz;
        EXPECT_LT(off_harmonic_db(folded, hz), 45) << hz << ": the measure must see folding";
    }
}
