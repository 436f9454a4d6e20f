// The 8x8 font: one pointer per character code, to 64 gray bytes or null.
#pragma once

#include <cstdint>

constexpr int GLYPH_CODES = 128;
extern const uint8_t* const glyph_table[GLYPH_CODES];
