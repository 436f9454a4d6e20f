// Pickers: a small picture code becomes one draw command, a sprite or a
// black rectangle that erases.
#pragma once

#include <cstdint>

// A falling cross is drawn with BOMB_CROSS_A + frame, a zigzag with
// BOMB_ZIGZAG_A + frame; the cross looks the same in both.
enum BombPicture : int32_t {
    BOMB_ERASE = 0,
    BOMB_SHOT_PICTURE = 1,
    BOMB_CROSS_A = 2,
    BOMB_CROSS_B = 3,
    BOMB_ZIGZAG_A = 4,
    BOMB_ZIGZAG_B = 5,
};

// Each kind has its own erase and two frames, in that order.
enum InvaderPicture : int32_t {
    INVADER1_ERASE = 0,
    INVADER1_A = 1,
    INVADER1_B = 2,
    INVADER2_ERASE = 3,
    INVADER2_A = 4,
    INVADER2_B = 5,
    INVADER3_ERASE = 6,
    INVADER3_A = 7,
    INVADER3_B = 8,
    INVADER_EXPLOSION_ERASE = 9,
    INVADER_EXPLOSION = 10,
};

// The explosion, of an invader or of the ship, is 8 pixels wide and drawn
// centred on where it was hit.
constexpr int16_t EXPLOSION_HALF_WIDTH = 4;

enum ShipPicture : int32_t {
    SHIP_ERASE = 0,
    SHIP_A = 1,
    SHIP_B = 2,
    SHIP_EXPLOSION_ERASE = 3,
    SHIP_EXPLOSION = 4,
};

void pick_bomb_sprite(int16_t x, int16_t y, int32_t code);
void pick_invader_sprite(int16_t x, int16_t y, int32_t code);
void pick_ship_sprite(int16_t x, int32_t code); // at row ship_y
