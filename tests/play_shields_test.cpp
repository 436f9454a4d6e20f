// The shields: which point finds which block, what bites them, and how a
// hole wears its neighbours.
#include "support/play_rig.h"

static void fresh_shields() {
    quiet_field();
    shields_build();
    empty_queue();
}

static std::string dead_blocks() {
    std::string dead;
    for (int i = 0; i < SHIELD_BLOCKS; i++)
        dead += shield_blocks[i].alive ? "" : std::to_string(i) + " ";
    return dead;
}

TEST(Shields, PointsFindABlockOneRowBelowItsPictureAndFourColumnsAcross) {
    // x, y and the block found there, -1 none: block 0 at 24, 923, block 5 at
    // 44, the next shield from 80, block 191 at 1780 and 192 below block 0
    const int probes[][3] = {{24, 923, -1},   {24, 924, 0},     {24, 931, 0},     {24, 932, 192},
                             {24, 938, 192},  {24, 939, -1},    {23, 926, -1},    {27, 926, 0},
                             {28, 926, 1},    {47, 926, 5},     {48, 926, -1},    {80, 926, 6},
                             {939, 926, 100}, {1780, 924, 191}, {1783, 935, 383}, {1784, 926, -1}};
    for (const auto& [x, y, block] : probes) {
        fresh_shields();
        // and the hole holds nothing
        EXPECT_TRUE(shields_hit_test(x, y) == (block >= 0) && shields_hit_test(x, y) == 0 &&
                    dead_blocks() == (block >= 0 ? std::to_string(block) + " " : ""))
            << x << "," << y;
    }
}

TEST(Shields, ABombBitesAtTheRowBelowItAndAnInvaderWithThreeFeet) {
    fresh_shields();
    bombs[0] = Bomb{29, 913, 1, 0}; // falls to 916: its point at 924 in block 1
    bomb_step();
    formation[0] = Invader{140, 916, 1}; // marches to 144, feet at 140, 144, 148
    march_cursor = 0;
    formation_step();
    EXPECT_TRUE(dead_blocks() == "1 13 14 15 " && bombs[0].kind == 0) << dead_blocks();
}

// Holes made one after another on the same shields: a hole (H) wears only the
// neighbours that still stand, and never across the gap to the next shield;
// their worn top, bottom, right or left edge is T, B, R or L.
TEST(Shields, AHoleWearsOnlyTheStandingNeighboursOfItsOwnShield) {
    const std::pair<int, const char*> holes[] = {{7, "H84,923 T84,931 R80,923 L88,923 "},
                                                 {199, "H84,931 R80,931 L88,931 "},
                                                 {200, "H88,931 B88,923 L92,931 "},
                                                 {8, "H88,923 L92,923 "},
                                                 {6, "H80,923 T80,931 "},
                                                 {11, "H100,923 T100,931 R96,923 "}};
    fresh_shields();
    for (const auto& [block, commands] : holes) {
        empty_queue();
        shield_block_destroy(block);
        EXPECT_EQ(queued({nullptr, sprite_shield_worn_top.pixels, sprite_shield_worn_bottom.pixels,
                          sprite_shield_worn_right.pixels, sprite_shield_worn_left.pixels},
                         "HTBRL?", true),
                  commands)
            << block;
    }
}
