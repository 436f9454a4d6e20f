// Tunes for the sound recipes: notes named as on a score, a tune as a row
// of them sharing its length, and a player that strikes each note in turn
// and sounds it as a band-limited square.
#pragma once

#include "assets/synth.h"

namespace synth {

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
