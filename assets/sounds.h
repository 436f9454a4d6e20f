// The twelve sound blocks, unsigned 8-bit mono at 8000 Hz, 128 silence.
#pragma once

#include <cstdint>

constexpr int SOUND_COUNT = 12;

// Nominal length of each block, for sound ids 1 to 12 (index id - 1). The
// mixer plays (length - 52) & ~3 of it: the tail is a RIFF LIST chunk or
// padding, never heard.
inline constexpr int32_t sound_lengths[SOUND_COUNT] = {10071, 472,   4008, 2784, 2418, 2690,
                                                       842,   17532, 1048, 906,  1008, 962};

// The blocks themselves, each sound_lengths[id - 1] bytes long.
extern const uint8_t* const sound_blocks[SOUND_COUNT];
