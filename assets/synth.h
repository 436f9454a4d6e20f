// The tools the sound recipes are made of, all run by the compiler: phases,
// a sine table, band-limited squares, noise, envelopes and tunes. The
// compiler is a slow calculator, so everything per sample is a table look-up
// or a multiplication; powers and the sine series run once per note or once
// per table entry.
#pragma once

#include <cstdint>

#include "assets/sounds.h"

namespace synth {

constexpr double RATE = 8000; // samples a second, as the mixer plays them
constexpr double PI = 3.14159265358979323846;

// Harmonics fade out over the top sixth of the band below this edge, so
// that nothing reaches half the sample rate and folds back, and a sweeping
// note gains or loses its upper harmonics smoothly instead of with a click.
constexpr double BAND_EDGE_HZ = 3900;
constexpr double BAND_FADE_SHARE = 1.0 / 6;

constexpr double played_seconds(int32_t id) {
    return played_length(id) / RATE;
}

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

// ---- tunes ----

// A tune is a row of notes ("C5", "F#4", "Bb3") and rests (".") of one beat
// each; a "-" holds the note before it one beat longer. The beats share the
// tune's length evenly.
struct Note {
    double hz; // 0 for a rest
    double begin;
    double end; // seconds
};

constexpr int TUNE_NOTES = 24;

struct Tune {
    Note notes[TUNE_NOTES];
    int count;
};

constexpr double note_hz(const char* name) {
    constexpr int steps[7] = {9, 11, 0, 2, 4, 5, 7}; // A to G above C
    int semitone = steps[name[0] - 'A'];
    int at = 1;
    if (name[at] == '#' || name[at] == 'b') {
        semitone += name[at] == '#' ? 1 : -1;
        at++;
    }
    int midi = 12 * (name[at] - '0' + 1) + semitone;
    return 440 * two_to((midi - 69) / 12.0);
}

constexpr Tune tune(const char* score, double seconds) {
    Tune t{};
    int beats[TUNE_NOTES] = {};
    int total = 0;
    for (const char* p = score; *p;) {
        if (*p == ' ') {
            p++;
            continue;
        }
        if (*p == '-') {
            beats[t.count - 1] += 1;
        } else {
            if (t.count == TUNE_NOTES)
                throw "tune too long"; // stops the build
            t.notes[t.count].hz = *p == '.' ? 0 : note_hz(p);
            beats[t.count] = 1;
            t.count += 1;
        }
        total += 1;
        while (*p && *p != ' ')
            p++;
    }
    int beat = 0;
    for (int i = 0; i < t.count; i++) {
        t.notes[i].begin = seconds * beat / total;
        beat += beats[i];
        t.notes[i].end = seconds * beat / total;
    }
    return t;
}

// Walks a tune sample by sample. Each note is struck: a quick rise, a fall
// towards `held` of its strength, and a short lift at its end so that
// neighbouring notes stay apart. The note in hand is copied out of the tune,
// since the compiler reads a member far faster than a table.
struct Player {
    static constexpr double ATTACK_SECONDS = 0.004;
    static constexpr double RELEASE_SECONDS = 0.012;
    const Tune* tune;
    double held;
    Decay fall;
    int index = 0;
    double hz = 0;
    double begin = 0;
    double end = 0;
    double next_begin = 0;
    double attack_end = 0;
    double release_begin = 0;
    double fading;
    double top_hz;
    Phase phase{};
    Square square{};
    constexpr Player(const Tune& t, double held_level, double half_life, double top = BAND_EDGE_HZ)
        : tune(&t), held(held_level), fall(half_life), fading(1 - held_level), top_hz(top) {
        take(0);
    }

    constexpr void take(int i) {
        index = i;
        hz = tune->notes[i].hz;
        begin = tune->notes[i].begin;
        end = tune->notes[i].end;
        attack_end = begin + ATTACK_SECONDS;
        release_begin = end - RELEASE_SECONDS;
        next_begin = i + 1 < tune->count ? tune->notes[i + 1].begin : end;
        fall.level = 1;
        square.tune(hz, top_hz);
    }
    // Moves on to the note sounding at t and gives its strength. Most
    // samples lie between the rise and the lift and cost two operations.
    constexpr double strike(double t) {
        if (t >= next_begin && index + 1 < tune->count)
            take(index + 1);
        double strength = held + fading * fall.next();
        if (t < attack_end)
            strength *= (t - begin) / ATTACK_SECONDS;
        if (t > release_begin)
            strength *= (end - t) / RELEASE_SECONDS;
        return strength;
    }
    // The note as a band-limited square, at its own pitch or a bent one.
    constexpr double square_wave() {
        return square.at(phase.advance(hz));
    }
    constexpr double square_wave(double bent_hz) {
        return square.at(phase.advance(bent_hz));
    }
};

} // namespace synth

// ---- the builder ----

namespace synth {

template <int32_t Nominal>
struct SoundBlock {
    uint8_t samples[Nominal];
};

// The INFO chunk: "LIST", its size, "INFO" and one name tag whose text is
// padded with zeros to fill the 50 bytes exactly.
constexpr void write_u32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; i++)
        at[i] = uint8_t(value >> (8 * i));
}

constexpr void write_info(uint8_t* at, const char* name) {
    const char head[] = "LIST....INFOINAM....";
    for (int i = 0; i < 20; i++)
        at[i] = uint8_t(head[i]);
    write_u32(at + 4, 42);
    write_u32(at + 16, 30);
    int i = 0;
    for (; name[i]; i++) {
        if (i >= 29)
            throw "sound name too long for its chunk"; // stops the build
        at[20 + i] = uint8_t(name[i]);
    }
    for (; i < 30; i++)
        at[20 + i] = 0;
}

// Runs the recipe once over the samples the mixer plays of sound `Id`,
// handing it the time and the played length in seconds. The result is
// centred on 128 (any offset is taken out in proportion to the sound's own
// strength, so that its silences stay silent) and scaled so that its peak
// lands at `loudness` from 128. A null name leaves the tail silent.
template <int32_t Id, typename Recipe>
constexpr SoundBlock<sound_lengths[Id - 1]> synthesise(int32_t loudness, const char* name,
                                                       Recipe recipe) {
    constexpr int32_t nominal = sound_lengths[Id - 1];
    constexpr int32_t played = played_length(Id);
    constexpr double seconds = played_seconds(Id);
    static_assert(played <= nominal - 50, "the tail must stay clear of the samples");
    SoundBlock<nominal> block{};
    // The compiler keeps every number it works out, so the loops are lean:
    // time steps on by addition, the offset and the scale become one factor
    // for each sign.
    double level[played];
    double t = 0, above = 0, below = 0, highest = 0, lowest = 0;
    for (int32_t i = 0; i < played; i++, t += 1 / RATE) {
        double v = recipe(t, seconds);
        level[i] = v;
        if (v > 0) {
            above += v;
            highest = v > highest ? v : highest;
        } else {
            below -= v;
            lowest = v < lowest ? v : lowest;
        }
    }
    double offset = (above - below) / (above + below);
    double up = 1 - offset, down = 1 + offset;
    double peak = highest * up > -lowest * down ? highest * up : -lowest * down;
    up *= loudness / peak;
    down *= loudness / peak;
    for (int32_t i = 0; i < played; i++) {
        double v = level[i];
        auto s = int32_t(128.5 + v * (v > 0 ? up : down));
        block.samples[i] = uint8_t(s < 0 ? 0 : s > 255 ? 255 : s);
    }
    for (int32_t i = played; i < nominal; i++)
        block.samples[i] = 128;
    if (name)
        write_info(block.samples + nominal - 50, name);
    return block;
}

} // namespace synth
