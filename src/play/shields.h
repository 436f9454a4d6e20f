// The 32 shields, 6 x 2 blocks of 4 x 8 pixels each.
#pragma once

#include <cstdint>

struct ShieldBlock {
    int16_t x; // left column
    int16_t y; // top row
    uint8_t alive;
};

constexpr int SHIELD_BLOCKS = 384;
constexpr int SHIELD_ROW_BLOCKS = 192;

extern ShieldBlock shield_blocks[SHIELD_BLOCKS];

void shields_build();
int shields_hit_test(int32_t x, int32_t y);
void shield_block_destroy(int32_t i);
