// The builder: runs a recipe over the samples the mixer plays of one sound
// and packs them, centred and scaled to their loudness, into a block of the
// sound bank, closed by a RIFF INFO chunk naming the sound.
#pragma once

#include <cstdint>

#include "assets/sounds.h"
#include "assets/synth.h"

namespace synth {

constexpr double played_seconds(int32_t id) {
    return played_length(id) / RATE;
}

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
