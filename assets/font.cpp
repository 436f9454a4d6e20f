#include "assets/font.h"
const uint8_t* const glyph_table[GLYPH_CODES] = {};
