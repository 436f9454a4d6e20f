// The tools the sound recipes are made of, all run by the compiler: phases,
// a sine table, band-limited squares, noise and envelopes. Tunes are strung
// from them in assets/tunes.h, and a recipe becomes a sound block in
// assets/sound_builder.h. The compiler is a slow calculator, so everything
// per sample is a table look-up or a multiplication; powers and the sine
// series run once per note or once per table entry.
#pragma once

#include <cstdint>

namespace synth {

constexpr double RATE = 8000; // samples a second, as the mixer plays them
constexpr double PI = 3.14159265358979323846;

// Harmonics fade out over the top sixth of the band below this edge, so
// that nothing reaches half the sample rate and folds back, and a sweeping
// note gains or loses its upper harmonics smoothly instead of with a click.
constexpr double BAND_EDGE_HZ = 3900;
constexpr double BAND_FADE_SHARE = 1.0 / 6;

// ---- arithmetic ----

constexpr double fraction(double x) {
    double whole = double(int64_t(x));
    return whole > x ? x - whole + 1 : x - whole;
}

constexpr double at_most(double x, double limit) {
    return x < limit ? x : limit;
}

constexpr double clamp01(double x) {
    return x < 0 ? 0 : x > 1 ? 1 : x;
}

// 2 to the power x: whole octaves by doubling, the rest by the series of e^y.
constexpr double two_to(double x) {
    double whole = double(int64_t(x));
    if (whole > x)
        whole -= 1;
    double y = (x - whole) * 0.69314718055994531;
    double term = 1;
    double sum = 1;
    for (int k = 1; k < 12; k++) {
        term *= y / k;
        sum += term;
    }
    for (; whole > 0; whole -= 1)
        sum *= 2;
    for (; whole < 0; whole += 1)
        sum /= 2;
    return sum;
}

// ---- the sine ----

// One turn in 4096 steps: rounding the phase to a step costs less than the
// 8-bit samples lose anyway.
constexpr int SINE_STEPS = 4096;

struct SineTable {
    double at[SINE_STEPS];
};

constexpr SineTable make_sine_table() {
    SineTable table{};
    for (int i = 0; i < SINE_STEPS; i++) {
        // Folded onto the quarter turn around 0, where the series is short.
        double x = double(i) / SINE_STEPS;
        if (x >= 0.5)
            x -= 1;
        if (x > 0.25)
            x = 0.5 - x;
        else if (x < -0.25)
            x = -0.5 - x;
        double r = 2 * PI * x;
        double r2 = r * r;
        table.at[i] =
            r * (1 - r2 / 6 * (1 - r2 / 20 * (1 - r2 / 42 * (1 - r2 / 72 * (1 - r2 / 110)))));
    }
    return table;
}

inline constexpr SineTable sine_table = make_sine_table();

// By phase in turns, 0 to 1.
constexpr double sine(double turns) {
    return sine_table.at[int(turns * SINE_STEPS + 0.5) & (SINE_STEPS - 1)];
}

constexpr double cosine(double turns) {
    return sine_table.at[int(turns * SINE_STEPS + 0.5 + SINE_STEPS / 4) & (SINE_STEPS - 1)];
}

// The second and third harmonics of a sine, from the sine s = sin x and
// the cosine c = cos x: sin 2x = 2sc, sin 3x = s(3 - 4s^2).
constexpr double second_harmonic(double s, double c) {
    return 2 * s * c;
}

constexpr double third_harmonic(double s) {
    return s * (3 - 4 * s * s);
}

// A phase that follows a changing pitch without jumps, in turns.
struct Phase {
    double turns = 0;
    constexpr double advance(double hz) {
        turns += hz / RATE;
        if (turns >= 1)
            turns -= 1;
        return turns;
    }
};

// A square wave as the sum of its odd harmonics up to the band edge, or up
// to `top_hz` for a duller tone. `tune` weighs the harmonics for a pitch,
// once per note for a tune, every sample for a sweep; `at` sums them, all
// from one sine by the recurrence sin((k+2)x) = 2cos(2x)sin(kx) - sin((k-2)x).
constexpr int SQUARE_HARMONICS = 24;

struct Square {
    double weight[SQUARE_HARMONICS]{};
    int count = 0;

    constexpr void tune(double hz, double top_hz = BAND_EDGE_HZ) {
        double edge = at_most(top_hz, BAND_EDGE_HZ);
        double fade = edge * BAND_FADE_SHARE;
        count = 0;
        for (double k = 1, f = hz; f < edge && count < SQUARE_HARMONICS; k += 2, f += 2 * hz) {
            double gain = (edge - f) / fade;
            weight[count++] = 4 / PI * (gain < 1 ? gain : 1) / k;
        }
    }
    constexpr double at(double turns) const {
        double s = sine(turns);
        double twice_cos_2x = 2 - 4 * s * s;
        double below = -s;
        double sum = 0;
        for (int h = 0; h < count; h++) {
            sum += weight[h] * s;
            double next = twice_cos_2x * s - below;
            below = s;
            s = next;
        }
        return sum;
    }
};

// ---- noise ----

// White noise, -1 to 1, held for `hold` samples at a time: the longer the
// hold, the lower the roar.
struct Noise {
    uint32_t state;
    double value = 0;
    double held = 0;
    constexpr double next(double hold = 1) {
        held -= 1;
        if (held <= 0) {
            state = state * 1664525u + 1013904223u;
            value = double(state >> 8) / double(1 << 23) - 1;
            held += hold;
        }
        return value;
    }
};

// ---- envelopes ----

// From 0 to 1 over `seconds`, then 1.
constexpr double rise(double since, double seconds) {
    return at_most(since / seconds, 1);
}

// Halves every `half_life` seconds, one multiplication a sample.
struct Decay {
    double factor;
    double level = 1;
    constexpr explicit Decay(double half_life) : factor(two_to(-1 / (half_life * RATE))) {}
    constexpr double next() {
        double now = level;
        level *= factor;
        return now;
    }
};

} // namespace synth
