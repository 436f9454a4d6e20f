// The shields: which point finds which block, how a hole wears its
// neighbours, and what the shot, a bomb and a marching invader take.
#include <gtest/gtest.h>

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

// A 4 x 8 command at x, y; null pixels: the black hole.
Want at(const uint8_t* pixels, int x, int y) {
    return Want{pixels, x, y, 4, 8};
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
    const int probes[][3] = {{24, 923, -1},  {24, 924, 0},    {24, 931, 0},     {24, 932, 192},
                             {24, 938, 192}, {24, 939, -1},   {23, 926, -1},    {27, 926, 0},
                             {28, 926, 1},   {47, 926, 5},    {48, 926, -1},    {79, 926, -1},
                             {80, 926, 6},   {939, 926, 100}, {1780, 924, 191}, {1783, 935, 383},
                             {1784, 926, -1}};
    for (auto [x, y, block] : probes) {
        fresh_shields();
        EXPECT_EQ(shields_hit_test(x, y), block >= 0) << x << "," << y;
        EXPECT_EQ(dead_blocks(), block >= 0) << x << "," << y;
        EXPECT_TRUE(block < 0 || (shield_blocks[block].alive == 0 && shields_hit_test(x, y) == 0))
            << "a hole holds nothing: " << x << "," << y;
    }
}

TEST(Shields, AHoleWearsOnlyTheStandingNeighboursOfItsOwnShield) {
    struct Case {
        int block;
        std::initializer_list<int> gone_before;
        std::initializer_list<Want> commands;
    };
    const Case cases[] = {
        {7, {}, {at(0, 84, 923), at(TOP, 84, 931), at(RIGHT, 80, 923), at(LEFT, 88, 923)}},
        {199, {}, {at(0, 84, 931), at(BOTTOM, 84, 923), at(RIGHT, 80, 931), at(LEFT, 88, 931)}},
        // the outer blocks of a shield do not reach across the gap
        {6, {}, {at(0, 80, 923), at(TOP, 80, 931), at(LEFT, 84, 923)}},
        {5, {}, {at(0, 44, 923), at(TOP, 44, 931), at(RIGHT, 40, 923)}},
        {383, {}, {at(0, 1780, 931), at(BOTTOM, 1780, 923), at(RIGHT, 1776, 931)}},
        {8, {7, 200}, {at(0, 88, 923), at(LEFT, 92, 923)}}}; // holes are not worn again
    for (const Case& c : cases) {
        fresh_shields();
        for (int i : c.gone_before)
            shield_block_destroy(i);
        empty_queue();
        shield_block_destroy(c.block);
        EXPECT_TRUE(shield_blocks[c.block].alive == 0 && queued_exactly(c.commands)) << c.block;
    }
}

TEST(Shields, ShotsTakeTheBottomBlockFirstAndBombsTheTopBlock) {
    fresh_shields();
    for (int end : {935, 931, 0}) {
        for (player_shot = PlayerShot{90, 947, 1}; player_shot.active && player_shot.y > 900;)
            EXPECT_EQ(shots_update(), 0);
        EXPECT_EQ(player_shot.active ? 0 : player_shot.y, end) << "the third passes";
    }
    EXPECT_TRUE(shield_blocks[200].alive == 0 && shield_blocks[8].alive == 0 && !shot_cooldown);
    for (int16_t end : {916, 925, 958}) {
        bombs[0] = Bomb{25, 880, 1, 0};
        while (bombs[0].kind != 0)
            bomb_step();
        EXPECT_EQ(bombs[0].y, end) << "tested at its y + 8: 924, 933, then the ground";
    }
    EXPECT_TRUE(shield_blocks[0].alive == 0 && shield_blocks[192].alive == 0);
}

TEST(Shields, AnInvaderSteppingDownBitesTheThreeColumnsBelowItsFeet) {
    fresh_shields();
    formation_reset();
    for (Invader& v : formation)
        v.kind = 0;
    formation[0] = Invader{36, 908, 1};
    march_direction = MARCH_DESCEND;
    formation_step(); // down to 916: its feet at 924 reach the top row
    EXPECT_TRUE(dead_blocks() == 3 && !shield_blocks[2].alive && !shield_blocks[3].alive &&
                !shield_blocks[4].alive);
}
