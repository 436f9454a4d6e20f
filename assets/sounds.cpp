// The twelve sounds, synthesised while the game compiles. Each is a short
// recipe: a pitch sweep, a noise burst, a tune. The builder runs it over the
// samples the mixer plays, scales it to the sound's loudness (its largest
// distance from 128), and closes most blocks with a RIFF INFO chunk naming
// the sound. The march is named once, on its first note; the other three
// notes end in 50 bytes of silence instead.
#include "assets/sounds.h"

namespace {

constexpr double RATE = 8000.0;
constexpr double PI = 3.14159265358979323846;

template <int32_t N>
struct SoundBlock {
    uint8_t samples[N];
};

// What the mixer plays of a block: its tail is never heard.
constexpr int32_t played_samples(int32_t nominal) {
    return (nominal - 52) & 0x7FFFFFFC;
}

// ---- arithmetic the compiler can run ----

constexpr double whole_part(double x) {
    auto whole = double(int64_t(x));
    return whole > x ? whole - 1 : whole;
}

constexpr double fraction(double x) {
    return x - whole_part(x);
}

constexpr double magnitude(double x) {
    return x < 0 ? -x : x;
}

constexpr double at_most(double x, double limit) {
    return x < limit ? x : limit;
}

// 2 to the power x: the whole octaves by doubling, the rest by the series of e^y.
constexpr double two_to(double x) {
    double whole = whole_part(x);
    double y = (x - whole) * 0.69314718055994531;
    double term = 1;
    double sum = 1;
    for (int k = 1; k < 14; k++) {
        term *= y / k;
        sum += term;
    }
    for (; whole > 0; whole -= 1)
        sum *= 2;
    for (; whole < 0; whole += 1)
        sum /= 2;
    return sum;
}

// ---- wave shapes, by phase in turns ----

constexpr double sine(double turns) {
    double x = fraction(turns);
    if (x >= 0.5)
        x -= 1;
    // Fold onto the quarter turn around 0, where the series is short.
    if (x > 0.25)
        x = 0.5 - x;
    else if (x < -0.25)
        x = -0.5 - x;
    double r = 2 * PI * x;
    double r2 = r * r;
    return r * (1 - r2 / 6 * (1 - r2 / 20 * (1 - r2 / 42 * (1 - r2 / 72 * (1 - r2 / 110)))));
}

constexpr double square(double turns, double duty = 0.5) {
    return fraction(turns) < duty ? 1 : -1;
}

constexpr double triangle(double turns) {
    return 4 * magnitude(fraction(turns) - 0.5) - 1;
}

// A phase that follows a changing pitch without jumps.
struct Phase {
    double turns = 0;
    constexpr double advance(double hz) {
        turns = fraction(turns + hz / RATE);
        return turns;
    }
};

// White noise from a linear congruential generator, -1 to 1.
struct Noise {
    uint32_t state;
    constexpr double next() {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1 << 23) - 1;
    }
};

// Noise that holds each value for a while: the longer the hold, the lower
// the roar.
struct HeldNoise {
    Noise noise;
    double value = 0;
    double held = 0;
    constexpr double next(double hold_samples) {
        held -= 1;
        if (held <= 0) {
            value = noise.next();
            held += hold_samples;
        }
        return value;
    }
};

// ---- envelopes, by seconds since the start and seconds left ----

constexpr double rise(double since, double seconds) {
    return at_most(since / seconds, 1);
}

constexpr double decay(double since, double half_life) {
    return two_to(-since / half_life);
}

// ---- tunes ----

// A tune is a row of notes ("C5", "F#4", "Bb3") and rests (".") of one beat
// each; a "-" holds the note before it one beat longer. The beats share the
// tune's length evenly.
struct Note {
    double hz; // 0 for a rest
    double begin;
    double end; // seconds
};

struct Tune {
    Note notes[24];
    int32_t count;
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
    int beats[24] = {};
    int total = 0;
    for (const char* p = score; *p;) {
        if (*p == ' ') {
            p++;
            continue;
        }
        if (*p == '-') {
            beats[t.count - 1] += 1;
        } else {
            if (t.count == 24)
                throw "tune too long";
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

constexpr const Note& note_at(const Tune& t, double when) {
    int i = 0;
    while (i + 1 < t.count && when >= t.notes[i + 1].begin)
        i++;
    return t.notes[i];
}

// A struck note: a quick rise, a fall towards a held level, and a short
// lift at the end so that neighbouring notes stay apart.
constexpr double pluck(const Note& note, double when, double held) {
    double since = when - note.begin;
    return rise(since, 0.004) * (held + (1 - held) * decay(since, 0.05)) *
           rise(note.end - when, 0.012);
}

// ---- the builder ----

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
            throw "sound name too long for its chunk";
        at[20 + i] = uint8_t(name[i]);
    }
    for (; i < 30; i++)
        at[20 + i] = 0;
}

// Runs the recipe twice over the played samples: once to find its peak, once
// to write it scaled so that the peak lands at `loudness` from 128. A null
// name leaves the tail silent.
template <int32_t Nominal, typename Recipe>
constexpr SoundBlock<Nominal> synthesise(int32_t loudness, const char* name, Recipe recipe) {
    constexpr int32_t played = played_samples(Nominal);
    static_assert(played <= Nominal - 50, "the tail must stay clear of the samples");
    SoundBlock<Nominal> block{};
    for (uint8_t& s : block.samples)
        s = 128;
    Recipe probe = recipe;
    double peak = 0;
    for (int32_t i = 0; i < played; i++) {
        double level = magnitude(probe(i / RATE));
        peak = level > peak ? level : peak;
    }
    for (int32_t i = 0; i < played; i++) {
        double level = recipe(i / RATE) * loudness / peak;
        auto s = int32_t(128 + level + 0.5);
        block.samples[i] = uint8_t(s < 0 ? 0 : s > 255 ? 255 : s);
    }
    if (name)
        write_info(block.samples + Nominal - 50, name);
    return block;
}

// ---- the sounds, by id ----

// 1: three steps down and a long last note that sags and wavers.
constexpr Tune game_over_tune = tune("G4 F#4 F4 E4 - - -", 1.252);
constexpr auto game_over =
    synthesise<sound_lengths[0]>(128, "game over", [phase = Phase{}](double t) mutable {
        const Note& note = note_at(game_over_tune, t);
        double since = t - note.begin;
        bool last = &note == &game_over_tune.notes[game_over_tune.count - 1];
        double sag = last ? 0.6 * since + 0.25 * sine(6 * since) * rise(since, 0.2) : 1.5 * since;
        double hz = note.hz * two_to(-sag / 12);
        double level = rise(since, 0.005) * rise(note.end - t, last ? 0.35 : 0.02);
        return level * square(phase.advance(hz));
    });

// 2: a crunch of coarse noise over a falling blip, gone in a twentieth of a second.
constexpr auto invader_hit = synthesise<sound_lengths[1]>(
    88, "invader hit", [noise = HeldNoise{{0x1234567}}, phase = Phase{}](double t) mutable {
        double left = 0.0525 - t;
        double body = square(phase.advance(420 * two_to(-t * 30)));
        return (noise.next(3) + 0.5 * body) * rise(t, 0.002) * (left / 0.0525) * (left / 0.0525);
    });

// 3: the cannon blows up: a roar that deepens as it dies away.
constexpr auto cannon_destroyed = synthesise<sound_lengths[2]>(
    99, "cannon destroyed", [noise = HeldNoise{{0xC0FFEE}}](double t) mutable {
        double hold = 1 + 14 * t; // from full hiss down to a rumble
        return noise.next(hold) * rise(t, 0.003) * decay(t, 0.15) * rise(0.4945 - t, 0.06);
    });

// 4: the mystery ship's hum, a soft tone wobbling up and down, shaped to
// repeat seamlessly every 25 frames.
constexpr auto ship_flying =
    synthesise<sound_lengths[3]>(18, "mystery ship", [phase = Phase{}](double t) mutable {
        double hz = 560 + 160 * sine(9 * t);
        return triangle(phase.advance(hz)) * rise(t, 0.02) * rise(0.3415 - t, 0.03);
    });

// 5: the ship hit: a bright warble tumbling from high to low.
constexpr auto ship_hit =
    synthesise<sound_lengths[4]>(90, "mystery ship hit", [phase = Phase{}](double t) mutable {
        double hz = 1500 * two_to(-t * 9) * (1 + 0.2 * square(28 * t));
        return square(phase.advance(hz)) * rise(t, 0.002) * (1 - t / 0.2955);
    });

// 6: the start chime: four bells rising, each ringing on under the next.
constexpr Tune chime_bells = tune("C5 E5 G5 C6 - - - -", 0.3295);
constexpr auto start = synthesise<sound_lengths[5]>(126, "start", [](double t) {
    double sum = 0;
    for (int i = 0; i < chime_bells.count; i++) {
        const Note& bell = chime_bells.notes[i];
        double since = t - bell.begin;
        if (since < 0)
            break;
        double turns = bell.hz * since;
        double ring = sine(turns) + 0.4 * sine(2 * turns) + 0.15 * sine(3 * turns);
        sum += ring * rise(since, 0.002) * decay(since, 0.07);
    }
    return sum * rise(0.3295 - t, 0.08);
});

// 7: the shot: a zap falling from a whistle to a buzz.
constexpr auto shot = synthesise<sound_lengths[6]>(74, "shot", [phase = Phase{}](double t) mutable {
    double hz = 1800 * two_to(-t * 28);
    return square(phase.advance(hz), 0.3) * rise(t, 0.001) * (1 - t / 0.0985);
});

// 8: the new-game tune, a bright run up and a cadence home over a bass.
constexpr Tune fanfare = tune("C5 E5 G5 C6 B5 G5 E5 - F5 A5 C6 D6 C6 - - -", 2.185);
constexpr Tune fanfare_bass = tune("C3 - E3 - G2 - C3 - F3 - G2 - C3 - - -", 2.185);
constexpr auto game_start = synthesise<sound_lengths[7]>(
    126, "game start", [melody = Phase{}, bass = Phase{}](double t) mutable {
        const Note& high = note_at(fanfare, t);
        const Note& low = note_at(fanfare_bass, t);
        double top = square(melody.advance(high.hz), 0.25) * pluck(high, t, 0.45);
        double bottom = triangle(bass.advance(low.hz)) * pluck(low, t, 0.6);
        return top + 0.8 * bottom;
    });

// 9 to 12: the march, four low thumps stepping down. Each starts a little
// sharp and drops onto its note as it dies.
constexpr auto thump(double hz, double seconds) {
    return [hz, seconds, phase = Phase{}](double t) mutable {
        double fall = 1 + 0.5 * decay(t, 0.006);
        double left = 1 - t / seconds;
        return square(phase.advance(hz * fall)) * rise(t, 0.001) * left * left;
    };
}
constexpr auto march_1 = synthesise<sound_lengths[8]>(35, "march", thump(note_hz("A2"), 0.1245));
constexpr auto march_2 = synthesise<sound_lengths[9]>(24, nullptr, thump(note_hz("G2"), 0.1065));
constexpr auto march_3 = synthesise<sound_lengths[10]>(30, nullptr, thump(note_hz("F2"), 0.1195));
constexpr auto march_4 = synthesise<sound_lengths[11]>(31, nullptr, thump(note_hz("E2"), 0.1135));

} // namespace

const uint8_t* const sound_blocks[SOUND_COUNT] = {
    game_over.samples,   invader_hit.samples, cannon_destroyed.samples,
    ship_flying.samples, ship_hit.samples,    start.samples,
    shot.samples,        game_start.samples,  march_1.samples,
    march_2.samples,     march_3.samples,     march_4.samples,
};
