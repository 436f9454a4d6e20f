// The shields: where the blocks stand, which point finds which block, and
// how a hole wears its neighbours.
#include <gtest/gtest.h>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/shields.h"
#include "support/harness.h"

namespace {

struct Want {
    const uint8_t* pixels; // null: a black fill
    int x, y, w, h;
};

void empty_queue() {
    queue_read = queue_write = queue_count = 0;
}

// Exactly these commands, oldest first, since the queue was last emptied.
void expect_queue(std::initializer_list<Want> want) {
    ASSERT_EQ(queue_count, int(want.size()));
    int i = 0;
    for (const Want& w : want) {
        const DrawCommand& c = draw_queue[(queue_read + i++) % DRAW_QUEUE_SLOTS];
        EXPECT_TRUE(c.pixels == w.pixels && c.x == w.x && c.y == w.y && c.w == w.w && c.h == w.h &&
                    c.gray == 0)
            << "command " << i - 1 << " at " << c.x << "," << c.y;
    }
}

void fresh_shields() {
    start_video();
    shields_build();
    empty_queue();
}

int dead_blocks() {
    int n = 0;
    for (const ShieldBlock& b : shield_blocks)
        n += b.alive == 0;
    return n;
}

const uint8_t* const TOP = sprite_shield_worn_top.pixels;
const uint8_t* const BOTTOM = sprite_shield_worn_bottom.pixels;
const uint8_t* const RIGHT = sprite_shield_worn_right.pixels;
const uint8_t* const LEFT = sprite_shield_worn_left.pixels;

} // namespace

TEST(ShieldsBuild, ThirtyTwoShieldsOfTwelveBlocksDrawnIntactEveryWave) {
    fresh_shields();
    for (int x = 24; x < 1784; x += 3)
        shields_hit_test(x, 930);
    ASSERT_EQ(dead_blocks(), 192);
    empty_queue();
    shields_build();
    EXPECT_EQ(dead_blocks(), 0);
    ASSERT_EQ(queue_count, SHIELD_BLOCKS);
    for (int i = 0; i < SHIELD_BLOCKS; i++) {
        int x = 24 + 56 * (i % 192 / 6) + 4 * (i % 6), y = 923 + 8 * (i / 192);
        EXPECT_EQ(shield_blocks[i].x, x) << "block " << i;
        EXPECT_EQ(shield_blocks[i].y, y) << "block " << i;
        const DrawCommand& c = draw_queue[i];
        EXPECT_TRUE(c.pixels == sprite_shield_block.pixels && c.x == x && c.y == y && c.w == 4 &&
                    c.h == 8)
            << "block " << i;
    }
    struct Place {
        int i, x, y;
    };
    for (Place p : {Place{0, 24, 923},
                    {5, 44, 923},
                    {6, 80, 923},
                    {191, 1780, 923},
                    {192, 24, 931},
                    {383, 1780, 931}})
        EXPECT_TRUE(shield_blocks[p.i].x == p.x && shield_blocks[p.i].y == p.y) << p.i;
}

TEST(ShieldsHitTest, BandsOneRowBelowThePicturesAndFourColumnsABlock) {
    struct Probe {
        int x, y, block; // -1: nothing there
    };
    for (Probe p : {Probe{24, 922, -1},
                    {24, 923, -1},
                    {24, 924, 0},
                    {24, 931, 0},
                    {24, 932, 192},
                    {24, 938, 192},
                    {24, 939, -1},
                    {23, 926, -1},
                    {27, 926, 0},
                    {28, 926, 1},
                    {47, 926, 5},
                    {48, 926, -1},
                    {79, 926, -1},
                    {80, 926, 6},
                    {1783, 935, 383},
                    {1784, 926, -1}}) {
        fresh_shields();
        EXPECT_EQ(shields_hit_test(p.x, p.y), p.block >= 0) << p.x << "," << p.y;
        EXPECT_EQ(dead_blocks(), p.block >= 0) << p.x << "," << p.y;
        if (p.block >= 0) {
            EXPECT_EQ(shield_blocks[p.block].alive, 0) << p.x << "," << p.y;
            EXPECT_EQ(shields_hit_test(p.x, p.y), 0) << "a hole holds nothing";
        } else {
            EXPECT_EQ(queue_count, 0);
        }
    }
}

TEST(ShieldBlockDestroy, HoleThenVerticalLeftRightWearOnlyWithinTheShield) {
    struct Case {
        int block;
        std::initializer_list<Want> commands;
    };
    const Case cases[] = {
        {7,
         {{nullptr, 84, 923, 4, 8},
          {TOP, 84, 931, 4, 8},
          {RIGHT, 80, 923, 4, 8},
          {LEFT, 88, 923, 4, 8}}},
        {199,
         {{nullptr, 84, 931, 4, 8},
          {BOTTOM, 84, 923, 4, 8},
          {RIGHT, 80, 931, 4, 8},
          {LEFT, 88, 931, 4, 8}}},
        // first and last blocks of a shield do not reach into the next shield
        {6, {{nullptr, 80, 923, 4, 8}, {TOP, 80, 931, 4, 8}, {LEFT, 84, 923, 4, 8}}},
        {5, {{nullptr, 44, 923, 4, 8}, {TOP, 44, 931, 4, 8}, {RIGHT, 40, 923, 4, 8}}},
        {192, {{nullptr, 24, 931, 4, 8}, {BOTTOM, 24, 923, 4, 8}, {LEFT, 28, 931, 4, 8}}},
        {191, {{nullptr, 1780, 923, 4, 8}, {TOP, 1780, 931, 4, 8}, {RIGHT, 1776, 923, 4, 8}}},
        {383, {{nullptr, 1780, 931, 4, 8}, {BOTTOM, 1780, 923, 4, 8}, {RIGHT, 1776, 931, 4, 8}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.block);
        fresh_shields();
        shield_block_destroy(c.block);
        EXPECT_EQ(shield_blocks[c.block].alive, 0);
        expect_queue(c.commands);
    }
    // holes are not worn again; a worn block stays solid and shows its latest wear
    fresh_shields();
    shield_block_destroy(7);
    shield_block_destroy(200);
    empty_queue();
    shield_block_destroy(8);
    expect_queue({{nullptr, 88, 923, 4, 8}, {LEFT, 92, 923, 4, 8}});
    empty_queue();
    shield_block_destroy(10);
    EXPECT_EQ(draw_queue[2].pixels, RIGHT) << "block 9, worn on the left before";
    EXPECT_EQ(draw_queue[2].x, 92);
    EXPECT_EQ(shields_hit_test(93, 925), 1);
}

TEST(ShieldsHitTest, ShotsTakeTheBottomRowFirstAndBombsTheTopRow) {
    // the shot is tested every 4 rows from 943 up, a bomb's y + 8 every 3 rows down
    fresh_shields();
    auto fly = [] {
        for (int y = 943; y >= 7; y -= 4)
            if (shields_hit_test(90, y))
                return y;
        return 0;
    };
    EXPECT_EQ(fly(), 935);
    EXPECT_TRUE(shield_blocks[200].alive == 0 && shield_blocks[8].alive == 1);
    EXPECT_EQ(fly(), 931);
    EXPECT_EQ(fly(), 0);
    struct Fall {
        int start, top, bottom; // the probes that find each row
    };
    for (Fall f : {Fall{900, 924, 933}, {901, 925, 934}, {902, 926, 932}}) {
        fresh_shields();
        auto fall = [&f] {
            for (int probe = f.start; probe <= 963; probe += 3)
                if (shields_hit_test(25, probe))
                    return probe;
            return 0;
        };
        EXPECT_EQ(fall(), f.top) << f.start;
        EXPECT_TRUE(shield_blocks[0].alive == 0 && shield_blocks[192].alive == 1);
        EXPECT_EQ(fall(), f.bottom) << f.start;
        EXPECT_EQ(fall(), 0);
    }
}
