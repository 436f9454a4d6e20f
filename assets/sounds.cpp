#include "assets/sounds.h"
static const uint8_t placeholder[17532] = {};
const uint8_t* const sound_blocks[SOUND_COUNT] = {placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder};
