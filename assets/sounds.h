// The twelve sound blocks, unsigned 8-bit mono at 8000 Hz, 128 silence.
#pragma once

#include <cstdint>

constexpr int SOUND_COUNT = 12;

// Nominal length of each block, for sound ids 1 to 12 (index id - 1).
inline constexpr int32_t sound_lengths[SOUND_COUNT] = {10071, 472,   4008, 2784, 2418, 2690,
                                                       842,   17532, 1048, 906,  1008, 962};

// The samples of sound id 1 to 12 that the mixer plays: the tail of a block
// is a RIFF LIST chunk or padding, never heard.
constexpr int32_t played_length(int32_t id) {
    return (sound_lengths[id - 1] - 52) & 0x7FFFFFFC;
}

// The blocks themselves, each sound_lengths[id - 1] bytes long.
extern const uint8_t* const sound_blocks[SOUND_COUNT];
