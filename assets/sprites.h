// The twenty game sprites, all 8 rows high.
#pragma once

#include "assets/art.h"

extern const Picture<16, 8> sprite_ship_a;
extern const Picture<16, 8> sprite_ship_b;
extern const Picture<8, 8> sprite_explosion;
extern const Picture<12, 8> sprite_invader1_a;
extern const Picture<12, 8> sprite_invader1_b;
extern const Picture<10, 8> sprite_invader2_a;
extern const Picture<10, 8> sprite_invader2_b;
extern const Picture<8, 8> sprite_invader3_a;
extern const Picture<8, 8> sprite_invader3_b;
extern const Picture<13, 8> sprite_cannon;
extern const Picture<13, 8> sprite_cannon_blast_a;
extern const Picture<13, 8> sprite_cannon_blast_b;
extern const Picture<3, 8> sprite_shot;
extern const Picture<3, 8> sprite_bomb_cross;
extern const Picture<3, 8> sprite_bomb_zigzag;
extern const Picture<4, 8> sprite_shield_block;
extern const Picture<4, 8> sprite_shield_worn_top;
extern const Picture<4, 8> sprite_shield_worn_bottom;
extern const Picture<4, 8> sprite_shield_worn_right;
extern const Picture<4, 8> sprite_shield_worn_left;
