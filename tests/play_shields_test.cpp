// The shields: which point finds which block, and how a hole wears its
// neighbours.
#include "support/play_rig.h"

namespace {

const uint8_t* const TOP = sprite_shield_worn_top.pixels;
const uint8_t* const BOTTOM = sprite_shield_worn_bottom.pixels;
const uint8_t* const RIGHT = sprite_shield_worn_right.pixels;
const uint8_t* const LEFT = sprite_shield_worn_left.pixels;

void fresh_shields() {
    quiet_field();
    shields_build();
    empty_queue();
}

// One 4 x 8 command at x, y; null pixels: the black hole.
struct Block {
    const uint8_t* pixels;
    int x, y;
};

// Exactly these commands since the queue was last emptied.
bool queued_exactly(std::initializer_list<Block> want) {
    int i = 0;
    for (const Block& b : want) {
        const DrawCommand& c = draw_queue[i++];
        if (c.pixels != b.pixels || c.x != b.x || c.y != b.y || c.w != 4 || c.h != 8 || c.gray)
            return false;
    }
    return queue_count == i;
}

int dead_blocks() {
    int dead = 0;
    for (const ShieldBlock& b : shield_blocks)
        dead += b.alive == 0;
    return dead;
}

} // namespace

TEST(Shields, PointsFindABlockOneRowBelowItsPictureAndFourColumnsAcross) {
    // x, y and the block found there, -1 none: block 0 at 24, 923, block 5 at
    // 44, the next shield from 80, block 191 at 1780 and 192 below block 0
    const int probes[][3] = {{24, 923, -1},   {24, 924, 0},     {24, 931, 0},     {24, 932, 192},
                             {24, 938, 192},  {24, 939, -1},    {23, 926, -1},    {27, 926, 0},
                             {28, 926, 1},    {47, 926, 5},     {48, 926, -1},    {80, 926, 6},
                             {939, 926, 100}, {1780, 924, 191}, {1783, 935, 383}, {1784, 926, -1}};
    for (auto [x, y, block] : probes) {
        fresh_shields();
        EXPECT_TRUE(shields_hit_test(x, y) == (block >= 0) && dead_blocks() == (block >= 0))
            << x << "," << y;
        EXPECT_TRUE(block < 0 || (shield_blocks[block].alive == 0 && shields_hit_test(x, y) == 0))
            << "a hole holds nothing: " << x << "," << y;
    }
}

TEST(Shields, AHoleWearsOnlyTheStandingNeighboursOfItsOwnShield) {
    const struct {
        int block;
        std::initializer_list<int> gone_before;
        std::initializer_list<Block> commands;
    } cases[] = {{7, {}, {{0, 84, 923}, {TOP, 84, 931}, {RIGHT, 80, 923}, {LEFT, 88, 923}}},
                 {199, {}, {{0, 84, 931}, {BOTTOM, 84, 923}, {RIGHT, 80, 931}, {LEFT, 88, 931}}},
                 // the outer blocks of a shield do not reach across the gap
                 {6, {}, {{0, 80, 923}, {TOP, 80, 931}, {LEFT, 84, 923}}},
                 {5, {}, {{0, 44, 923}, {TOP, 44, 931}, {RIGHT, 40, 923}}},
                 {383, {}, {{0, 1780, 931}, {BOTTOM, 1780, 923}, {RIGHT, 1776, 931}}},
                 {8, {7, 200}, {{0, 88, 923}, {LEFT, 92, 923}}}}; // holes are not worn again
    for (const auto& c : cases) {
        fresh_shields();
        for (int i : c.gone_before)
            shield_block_destroy(i);
        empty_queue();
        shield_block_destroy(c.block);
        EXPECT_TRUE(shield_blocks[c.block].alive == 0 && queued_exactly(c.commands)) << c.block;
    }
}
