// The twelve sounds, synthesised while the game compiles. Each is a short
// recipe, called for every sample with the time and the sound's played
// length in seconds: a pitch sweep, a noise burst, a tune. Squares are built
// from their harmonics below the band edge, so nothing folds back into a
// grit under the notes. Most blocks close with a RIFF INFO chunk naming the
// sound; the march is named once, on its first note, and the other three
// notes end in 50 bytes of silence instead.
#include "assets/sounds.h"

#include "assets/sound_builder.h"
#include "assets/synth.h"
#include "assets/tunes.h"

namespace {

using namespace synth;

// 1: three steps down and a long last note that sags and wavers, in a
// rounded square that rings out instead of buzzing at full scale.
constexpr Tune game_over_tune = tune("G4 F#4 F4 E4 - - -", played_seconds(1));
constexpr auto game_over =
    synthesise<1>(128, "game over",
                  [player = Player(game_over_tune, 0.3, 0.1, 1800), sag = Decay(0.5),
                   index = 0](double t, double seconds) mutable {
                      double strength = player.strike(t) * rise(seconds - t, 0.3);
                      bool last = player.index == game_over_tune.count - 1;
                      if (player.index != index) {
                          index = player.index;
                          sag = Decay(last ? 1.2 : 0.5); // seconds to sag half the way to 6% flat
                      }
                      double since = t - player.begin;
                      double waver =
                          last ? 0.012 * sine(fraction(6 * since)) * rise(since, 0.2) : 0;
                      double hz = player.hz * (0.94 + 0.06 * sag.next()) * (1 + waver);
                      return strength * player.square_wave(hz);
                  });

// 2: a kill: a crunch of coarse noise over a thud falling away, hard from
// its first sample and gone in a twentieth of a second.
constexpr auto invader_hit =
    synthesise<2>(88, "invader hit",
                  [noise = Noise{0x1234567}, phase = Phase{}, body = Square{},
                   drop = Decay(0.012)](double t, double seconds) mutable {
                      double hz = 110 + 400 * drop.next();
                      body.tune(hz, 2400);
                      return (noise.next(2) + 0.9 * body.at(phase.advance(hz))) * rise(t, 0.001) *
                             (1 - 0.4 * t / seconds) * rise(seconds - t, 0.006);
                  });

// 3: the cannon blows up: a roar that deepens as it dies away.
constexpr auto cannon_destroyed = synthesise<3>(
    99, "cannon destroyed",
    [noise = Noise{0xC0FFEE}, fade = Decay(0.15)](double t, double seconds) mutable {
        double hold = 1 + 14 * t; // from full hiss down to a rumble
        return noise.next(hold) * rise(t, 0.003) * fade.next() * rise(seconds - t, 0.06);
    });

// 4: the mystery ship's hum, a soft tone wobbling up and down. The ship
// starts it every 25 steps and the mixer starts it on a buffer boundary, so
// often it begins again after exactly one buffer: its tone and its wobble
// repeat whole every 2000 samples and it keeps its strength all that time,
// so the new start carries on the old one without a seam. After that
// buffer it fades out.
constexpr double HUM_BUFFER_SECONDS = 2000 / RATE;
constexpr double HUM_HZ = 560;          // 140 turns a buffer
constexpr double WOBBLE_HZ = 8;         // two wobbles a buffer
constexpr double WOBBLE_SWING_HZ = 120; // how far the pitch swings either way
constexpr auto ship_flying = synthesise<4>(18, "mystery ship", [](double t, double seconds) {
    double turns = fraction(HUM_HZ * t +
                            WOBBLE_SWING_HZ / (2 * PI * WOBBLE_HZ) * sine(fraction(WOBBLE_HZ * t)));
    double s = sine(turns);
    double tone = s + 0.3 * third_harmonic(s);
    double fade = clamp01((seconds - t) / (seconds - HUM_BUFFER_SECONDS));
    return tone * fade * fade;
});

// 5: the ship hit: a bright warble tumbling from high to low.
constexpr auto ship_hit = synthesise<5>(
    90, "mystery ship hit",
    [phase = Phase{}, square = Square{}, drop = Decay(0.11)](double t, double seconds) mutable {
        double warble = fraction(28 * t) < 0.5 ? 1.2 : 0.8;
        double hz = 1500 * drop.next() * warble;
        square.tune(hz);
        return square.at(phase.advance(hz)) * rise(t, 0.002) * (1 - t / seconds);
    });

// 6: the start chime: four bells rising, each ringing on under the next.
constexpr int BELLS = 4;
constexpr Tune chime_bells = tune("C5 E5 G5 C6 - - - -", played_seconds(6));
static_assert(chime_bells.count == BELLS);
struct Bell {
    Phase phase;
    Decay ring{0.07};
};
struct Chime {
    Bell bells[BELLS];
};
constexpr auto start =
    synthesise<6>(126, "start", [chime = Chime{}](double t, double seconds) mutable {
        double sum = 0;
        for (int i = 0; i < BELLS && t >= chime_bells.notes[i].begin; i++) {
            Bell& bell = chime.bells[i];
            double turns = bell.phase.advance(chime_bells.notes[i].hz);
            double s = sine(turns), c = cosine(turns);
            double ring = s + 0.4 * second_harmonic(s, c) + 0.15 * third_harmonic(s);
            sum += ring * rise(t - chime_bells.notes[i].begin, 0.002) * bell.ring.next();
        }
        return sum * rise(seconds - t, 0.08);
    });

// 7: the shot: a zap falling from a whistle to a buzz, thinner than a kill.
constexpr auto shot = synthesise<7>(
    74, "shot",
    [phase = Phase{}, square = Square{}, drop = Decay(0.025)](double t, double seconds) mutable {
        double hz = 1800 * drop.next();
        double left = 1 - t / seconds;
        square.tune(hz);
        return square.at(phase.advance(hz)) * rise(t, 0.001) * left * left;
    });

// 8: the new-game tune, a bright run up and a cadence home over a bass.
constexpr Tune fanfare = tune("C5 E5 G5 C6 B5 G5 E5 - F5 A5 C6 D6 C6 - - -", played_seconds(8));
constexpr Tune fanfare_bass = tune("C3 - E3 - G2 - C3 - F3 - G2 - C3 - - -", played_seconds(8));
constexpr auto game_start =
    synthesise<8>(126, "game start",
                  [melody = Player(fanfare, 0.45, 0.035, 3000),
                   bass = Player(fanfare_bass, 0.6, 0.035)](double t, double) mutable {
                      double high = melody.strike(t), low = bass.strike(t);
                      double top = melody.square_wave();
                      double turns = bass.phase.advance(bass.hz);
                      double s = sine(turns);
                      double bottom = s - third_harmonic(s) / 9;
                      return top * high + 0.9 * bottom * low;
                  });

// 9 to 12: the march, four low thumps stepping down. Each starts a little
// sharp and drops onto its note as it dies.
constexpr auto thump(const char* note) {
    return [hz = note_hz(note), phase = Phase{}, square = Square{},
            sharp = Decay(0.004)](double t, double seconds) mutable {
        double now = hz * (1 + 0.5 * sharp.next());
        double left = 1 - t / seconds;
        square.tune(now, 1200);
        return square.at(phase.advance(now)) * rise(t, 0.001) * left * left;
    };
}
constexpr auto march_1 = synthesise<9>(35, "march", thump("A2"));
constexpr auto march_2 = synthesise<10>(24, nullptr, thump("G2"));
constexpr auto march_3 = synthesise<11>(30, nullptr, thump("F2"));
constexpr auto march_4 = synthesise<12>(31, nullptr, thump("E2"));

} // namespace

const uint8_t* const sound_blocks[SOUND_COUNT] = {
    game_over.samples,   invader_hit.samples, cannon_destroyed.samples,
    ship_flying.samples, ship_hit.samples,    start.samples,
    shot.samples,        game_start.samples,  march_1.samples,
    march_2.samples,     march_3.samples,     march_4.samples,
};
