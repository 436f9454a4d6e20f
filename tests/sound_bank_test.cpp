// The sound bank as a player hears it: every sound as long and as loud as
// it should be, centred on silence, clean of folded-back harmonics; the
// game-over tune off the rails, a kill louder than a shot, and the ship's hum
// carrying on seamlessly when the mixer starts it again on a buffer boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "assets/synth.h"
#include "sound/mixer.h"

// What is heard of each sound, ids 1 to 12, starts and ends at silence,
// sways around it evenly and peaks as far from 128 as tabled (128 only
// downwards, at the rail); what follows, up to the last 50 bytes that may name
// the sound, is silence. The game-over tune keeps its peak without sitting
// on the rails, and a kill lands 2 dB harder than the shot that made it.
TEST(SoundBank, EverySoundIsAsLongAndLoudAsTabledCentredAndSilentPastItsEnd) {
    const int32_t peaks[] = {128, 88, 99, 18, 90, 126, 74, 126, 35, 24, 30, 31};
    double energy[SOUND_COUNT + 1] = {};
    for (int32_t id = 1; id <= SOUND_COUNT; id++) {
        const uint8_t* s = sound_blocks[id - 1];
        const int n = played_length(id), tail = sound_lengths[id - 1] - 50;
        int peak = 0, sum = 0;
        for (int i = 0; i < n; i++)
            peak = std::max(peak, abs(s[i] - 128)), sum += s[i],
            energy[id] += (s[i] - 128) * (s[i] - 128) / double(n);
        EXPECT_EQ(peak, peaks[id - 1]) << id;
        EXPECT_NEAR(double(sum) / n, 128, 1) << id;
        EXPECT_TRUE(abs(s[0] - 128) <= 2 && abs(s[n - 1] - 128) <= 2) << id;
        EXPECT_EQ(std::count(s + n, s + tail, 128), tail - n) << id << " is heard past its end";
    }
    const uint8_t* tune = sound_blocks[SND_GAME_OVER - 1];
    const int n = played_length(SND_GAME_OVER);
    EXPECT_LE(std::count(tune, tune + n, 0) + std::count(tune, tune + n, 255), n / 50);
    EXPECT_GT(energy[SND_INVADER_HIT], 1.585 * energy[SND_SHOT]);
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
        steepest = std::max(steepest, abs(hum[i] - hum[i - 1]));
    EXPECT_LE(abs(hum[0] - hum[MIX_SAMPLES - 1]), steepest);
    for (int i = 0; i < 20; i++)
        EXPECT_NEAR(hum[i], hum[MIX_SAMPLES + i], 1) << i;
}

// A square built from its harmonics has nothing between them, at any pitch,
// where one drawn sample by sample folds its upper harmonics back all over
// the band.
// Each pitch is a whole number m of the spectrum's bins (1024 samples, bin k
// at k * 8000 / 1024 Hz), so every harmonic lies on a bin that m divides.
TEST(SoundBank, SquaresAreBandLimited) {
    for (int m : {14, 33, 57, 158, 230}) {
        synth::Square square;
        synth::Phase phase;
        square.tune(m * 8000.0 / 1024);
        std::vector<double> x(1024);
        for (double& v : x)
            v = square.at(phase.advance(m * 8000.0 / 1024));
        double top = 0, stray = 0;
        for (int k = 1; k < 512; k++) {
            std::complex<double> sum;
            for (int i = 0; i < 1024; i++)
                sum += x[i] * std::polar(1.0, -2 * std::numbers::pi * (i * k % 1024) / 1024);
            (k % m ? stray : top) = std::max(k % m ? stray : top, std::abs(sum));
        }
        EXPECT_LT(stray, top / 1000) << m << " bins: the loudest stray is not 60 dB down";
    }
}
