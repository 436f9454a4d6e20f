// Pickers: a small picture code becomes one draw command, a sprite or a
// black rectangle that erases.
#pragma once

#include <cstdint>

void pick_bomb_sprite(int16_t x, int16_t y, int32_t code);
void pick_invader_sprite(int16_t x, int16_t y, int32_t code);
void pick_ship_sprite(int16_t x, int32_t code); // at row ship_y
