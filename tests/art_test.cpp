// The compiled-in art keeps the shapes the game relies on: where the shot
// leaves the cannon, which rows of an invader walk, which edge of a shield
// block is eaten, the font's cells, and a title made of the game's sprites.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/font.h"
#include "assets/pictures.h"
#include "assets/sprites.h"

namespace {

// The two frames of a kind differ in the antennae and legs only; the width
// is the one the formation's spacing and hit boxes are laid out for.
template <int W>
bool walks(const Picture<W, 8>& a, const Picture<W, 8>& b) {
    return memcmp(a.pixels, b.pixels, W * 8) != 0 &&
           memcmp(a.pixels + 2 * W, b.pixels + 2 * W, 3 * W) == 0;
}

TEST(Sprites, InvadersWalkOnTheirLegs) {
    EXPECT_TRUE(walks<12>(sprite_invader1_a, sprite_invader1_b));
    EXPECT_TRUE(walks<10>(sprite_invader2_a, sprite_invader2_b));
    EXPECT_TRUE(walks<8>(sprite_invader3_a, sprite_invader3_b));
}

// The shot leaves from the turret tip, column 6.
TEST(Sprites, TheCannonsTurretTipIsItsOnlyTopPixel) {
    for (int x = 0; x < 13; x++)
        EXPECT_EQ(sprite_cannon.pixels[x], x == 6 ? 255 : 0) << "column " << x;
}

TEST(Sprites, EachWornShieldBlockIsEatenFromItsOwnEdge) {
    const Picture<4, 8>* blocks[] = {&sprite_shield_block, &sprite_shield_worn_top,
                                     &sprite_shield_worn_bottom, &sprite_shield_worn_right,
                                     &sprite_shield_worn_left};
    for (int p = 0; p < 32; p++) {
        int x = p % 4, y = p / 4;
        const bool eaten[] = {false, (y < 3), (y > 4), (x > 1), (x < 2)};
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(blocks[i]->pixels[p], eaten[i] ? 0 : 255) << i << " at " << x << "," << y;
    }
}

// Small letters borrow the capitals; everything else without a glyph of its
// own is null (drawn black). Column 7 stays black so characters 8 px apart
// never touch; only the tails of , and ; reach row 7.
TEST(Font, OwnGlyphsAreDistinctKeepToTheirCellsAndSmallLettersShareCapitals) {
    auto own = [](int code) { return code > 32 && code < 96 && code != '@'; };
    for (int code = 0; code < GLYPH_CODES; code++) {
        const uint8_t* g = glyph_table[code];
        bool small = code >= 'a' && code <= 'z';
        if (!own(code)) {
            EXPECT_EQ(g, small ? glyph_table[code - 32] : nullptr) << code;
            continue;
        }
        ASSERT_NE(g, nullptr) << code;
        for (int other = code + 1; other < 96; other++)
            EXPECT_TRUE(!own(other) || memcmp(g, glyph_table[other], 64))
                << char(code) << char(other);
        int lit = 0, row_7 = 0;
        for (int p = 0; p < 64; p++) {
            lit += g[p] != 0;
            row_7 += p >= 56 && g[p] != 0;
            EXPECT_FALSE(p % 8 == 7 && g[p] != 0) << char(code) << " row " << p / 8;
        }
        EXPECT_TRUE(lit > 0 && (row_7 > 0) == (code == ',' || code == ';')) << char(code);
    }
}

// Whether the title holds the picture at double size somewhere, every
// pixel of it, black ones included.
bool title_shows(const uint8_t* pixels, int w, int h) {
    const int W = 320, H = 240, S = 2;
    for (int y = 0; y + h * S <= H; y++)
        for (int x = 0; x + w * S <= W; x++) {
            bool same = true;
            for (int p = 0; same && p < w * h * S * S; p++) {
                int px = p % (w * S), py = p / (w * S);
                same = title_picture.pixels[(y + py) * W + x + px] == pixels[py / S * w + px / S];
            }
            if (same)
                return true;
        }
    return false;
}

// The title shows the very sprites the game draws, its shields the game's
// blocks six by two, and stays black where its prompt is written.
TEST(Pictures, TheTitleShowsTheGamesOwnCastAndRoomForItsPrompt) {
    auto shows = [](const auto& s) { return title_shows(s.pixels, int(sizeof s.pixels) / 8, 8); };
    EXPECT_TRUE(shows(sprite_invader1_a) && shows(sprite_invader2_a) && shows(sprite_invader3_a));
    EXPECT_TRUE(shows(sprite_cannon) && shows(sprite_ship_a) && shows(sprite_explosion));
    EXPECT_TRUE(shows(sprite_shot) && shows(sprite_bomb_zigzag));
    uint8_t shield[24 * 16];
    for (int p = 0; p < 24 * 16; p++)
        shield[p] = sprite_shield_block.pixels[p / 24 % 8 * 4 + p % 4];
    EXPECT_TRUE(title_shows(shield, 24, 16));
    for (int y = 220; y <= 227; y++)
        for (int x = 116; x <= 203; x++)
            ASSERT_EQ(title_picture.pixels[y * 320 + x], 0) << x << "," << y;
}

} // namespace
