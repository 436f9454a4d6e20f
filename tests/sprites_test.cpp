// The sprites keep to the shapes the game relies on: where the shot leaves
// the cannon, which rows of an invader walk, which edge of a block is eaten.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/sprites.h"

namespace {

template <int W, int H>
int at(const Picture<W, H>& p, int x, int y) {
    return p.pixels[y * W + x];
}

template <int W, int H>
int count_of(const Picture<W, H>& p, int gray) {
    int n = 0;
    for (uint8_t g : p.pixels)
        n += g == gray;
    return n;
}

template <int W, int H>
void expect_two_grays(const Picture<W, H>& p, const char* name) {
    EXPECT_EQ(count_of(p, 0) + count_of(p, 255), W * H) << name;
    EXPECT_GT(count_of(p, 255), 0) << name;
}

// The two frames of a kind differ in the antennae and legs only.
template <int W>
void expect_walks(const Picture<W, 8>& a, const Picture<W, 8>& b, const char* name) {
    bool moved = false;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < W; x++) {
            bool differs = at(a, x, y) != at(b, x, y);
            if (y >= 2 && y <= 4) {
                EXPECT_FALSE(differs) << name << " body row " << y;
            }
            moved |= differs;
        }
    EXPECT_TRUE(moved) << name;
}

TEST(Sprites, InvadersWalkOnTheirLegsAndAntennaeOnly) {
    expect_walks(sprite_invader1_a, sprite_invader1_b, "kind 1");
    expect_walks(sprite_invader2_a, sprite_invader2_b, "kind 2");
    expect_walks(sprite_invader3_a, sprite_invader3_b, "kind 3");
    expect_two_grays(sprite_invader1_a, "invader1_a");
    expect_two_grays(sprite_invader1_b, "invader1_b");
    expect_two_grays(sprite_invader2_a, "invader2_a");
    expect_two_grays(sprite_invader2_b, "invader2_b");
    expect_two_grays(sprite_invader3_a, "invader3_a");
    expect_two_grays(sprite_invader3_b, "invader3_b");
    expect_two_grays(sprite_explosion, "explosion");
}

TEST(Sprites, TheCannonAndItsBlastStandOnTheSameBase) {
    for (int x = 0; x < 13; x++) {
        EXPECT_EQ(at(sprite_cannon, x, 0), x == 6 ? 255 : 0) << "turret tip, column " << x;
        int base = x >= 1 && x <= 11 ? 255 : 0;
        EXPECT_EQ(at(sprite_cannon, x, 7), base) << x;
        EXPECT_EQ(at(sprite_cannon_blast_a, x, 7), base) << x;
        EXPECT_EQ(at(sprite_cannon_blast_b, x, 7), base) << x;
    }
    expect_two_grays(sprite_cannon, "cannon");
    for (const auto* blast : {&sprite_cannon_blast_a, &sprite_cannon_blast_b}) {
        EXPECT_EQ(count_of(*blast, 0) + count_of(*blast, 128) + count_of(*blast, 255), 13 * 8);
        EXPECT_GT(count_of(*blast, 128), 0);
    }
    EXPECT_NE(0, memcmp(sprite_cannon_blast_a.pixels, sprite_cannon_blast_b.pixels, 13 * 8));
}

TEST(Sprites, ShipFramesFlicker) {
    expect_two_grays(sprite_ship_a, "ship_a");
    expect_two_grays(sprite_ship_b, "ship_b");
    EXPECT_NE(0, memcmp(sprite_ship_a.pixels, sprite_ship_b.pixels, 16 * 8));
}

TEST(Sprites, ShotAndBombsAreThinLines) {
    for (int y = 0; y < 8; y++) {
        bool bar = y == 0 || y == 7;
        EXPECT_EQ(at(sprite_shot, 0, y), bar ? 255 : 0) << y;
        EXPECT_EQ(at(sprite_shot, 1, y), 255) << y;
        EXPECT_EQ(at(sprite_shot, 2, y), bar ? 255 : 0) << y;
    }
    // The zigzag touches both sides twice, passing through the middle.
    int left = 0, right = 0;
    for (int y = 0; y < 8; y++) {
        left += at(sprite_bomb_zigzag, 0, y) == 255;
        right += at(sprite_bomb_zigzag, 2, y) == 255;
    }
    EXPECT_EQ(left, 2);
    EXPECT_EQ(right, 2);
    expect_two_grays(sprite_bomb_cross, "cross");
    expect_two_grays(sprite_bomb_zigzag, "zigzag");
}

TEST(Sprites, WornBlocksLoseTheNamedEdge) {
    struct {
        const Picture<4, 8>* block;
        bool (*eaten)(int x, int y);
    } worn[] = {
        {&sprite_shield_block, [](int, int) { return false; }},
        {&sprite_shield_worn_top, [](int, int y) { return y < 3; }},
        {&sprite_shield_worn_bottom, [](int, int y) { return y > 4; }},
        {&sprite_shield_worn_right, [](int x, int) { return x > 1; }},
        {&sprite_shield_worn_left, [](int x, int) { return x < 2; }},
    };
    for (int i = 0; i < 5; i++)
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 4; x++)
                EXPECT_EQ(at(*worn[i].block, x, y), worn[i].eaten(x, y) ? 0 : 255)
                    << "block " << i << " at " << x << "," << y;
}

} // namespace
