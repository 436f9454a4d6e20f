// The compiled-in art keeps the shapes and grays the game relies on: where
// the shot leaves the cannon, which rows of an invader walk, which edge of a
// shield block is eaten, the font's cells, and the screen pictures.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/font.h"
#include "assets/pictures.h"
#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "screens/screens.h"
#include "support/harness.h"

namespace {

template <int W, int H>
int gray_count(const Picture<W, H>& p, int gray) {
    int n = 0;
    for (uint8_t g : p.pixels)
        n += g == gray;
    return n;
}

template <int W, int H>
bool black_and_white(const Picture<W, H>& p) {
    return gray_count(p, 0) + gray_count(p, 255) == W * H && gray_count(p, 255) > 0;
}

// The two frames of a kind differ in the antennae and legs only.
template <int W>
bool walks(const Picture<W, 8>& a, const Picture<W, 8>& b) {
    return black_and_white(a) && black_and_white(b) && memcmp(a.pixels, b.pixels, W * 8) != 0 &&
           memcmp(a.pixels + 2 * W, b.pixels + 2 * W, 3 * W) == 0;
}

TEST(Sprites, InvadersWalkOnTheirLegsAndTheShipFlickers) {
    EXPECT_TRUE(walks(sprite_invader1_a, sprite_invader1_b));
    EXPECT_TRUE(walks(sprite_invader2_a, sprite_invader2_b));
    EXPECT_TRUE(walks(sprite_invader3_a, sprite_invader3_b));
    EXPECT_TRUE(black_and_white(sprite_ship_a) && black_and_white(sprite_ship_b));
    EXPECT_NE(memcmp(sprite_ship_a.pixels, sprite_ship_b.pixels, 16 * 8), 0);
    EXPECT_TRUE(black_and_white(sprite_explosion));
}

TEST(Sprites, TheCannonAndItsWreckStandOnTheSameBase) {
    for (int x = 0; x < 13; x++) {
        EXPECT_EQ(sprite_cannon.pixels[x], x == 6 ? 255 : 0) << "turret tip, column " << x;
        int base = x >= 1 && x <= 11 ? 255 : 0;
        EXPECT_EQ(sprite_cannon.pixels[7 * 13 + x], base) << x;
        EXPECT_EQ(sprite_cannon_blast_a.pixels[7 * 13 + x], base) << x;
        EXPECT_EQ(sprite_cannon_blast_b.pixels[7 * 13 + x], base) << x;
    }
    for (const auto* blast : {&sprite_cannon_blast_a, &sprite_cannon_blast_b}) {
        EXPECT_GT(gray_count(*blast, 128), 0);
        EXPECT_EQ(gray_count(*blast, 0) + gray_count(*blast, 128) + gray_count(*blast, 255),
                  13 * 8);
    }
    EXPECT_NE(memcmp(sprite_cannon_blast_a.pixels, sprite_cannon_blast_b.pixels, 13 * 8), 0);
}

TEST(Sprites, ShotBombsAndShieldBlocks) {
    for (int y = 0; y < 8; y++) {
        int bar = y == 0 || y == 7 ? 255 : 0;
        EXPECT_EQ(sprite_shot.pixels[y * 3] + sprite_shot.pixels[y * 3 + 2], 2 * bar) << y;
        EXPECT_EQ(sprite_shot.pixels[y * 3 + 1], 255) << y;
    }
    EXPECT_TRUE(black_and_white(sprite_bomb_cross) && black_and_white(sprite_bomb_zigzag));
    struct {
        const Picture<4, 8>* block;
        bool (*eaten)(int x, int y);
    } blocks[] = {
        {&sprite_shield_block, [](int, int) { return false; }},
        {&sprite_shield_worn_top, [](int, int y) { return y < 3; }},
        {&sprite_shield_worn_bottom, [](int, int y) { return y > 4; }},
        {&sprite_shield_worn_right, [](int x, int) { return x > 1; }},
        {&sprite_shield_worn_left, [](int x, int) { return x < 2; }},
    };
    for (int i = 0; i < 5; i++)
        for (int p = 0; p < 32; p++)
            EXPECT_EQ(blocks[i].block->pixels[p], blocks[i].eaten(p % 4, p / 4) ? 0 : 255)
                << "block " << i << " at " << p % 4 << "," << p / 4;
}

bool own_glyph(int code) {
    return (code >= 33 && code <= 63) || (code >= 65 && code <= 95);
}

TEST(Font, GlyphsOfTheirOwnSharedByTheSmallLettersTheRestNull) {
    for (int code = 0; code < GLYPH_CODES; code++) {
        if (own_glyph(code))
            EXPECT_NE(glyph_table[code], nullptr) << code;
        else if (code >= 97 && code <= 122)
            EXPECT_EQ(glyph_table[code], glyph_table[code - 32]) << code;
        else
            EXPECT_EQ(glyph_table[code], nullptr) << code;
    }
    for (int a = 33; a < 96; a++)
        for (int b = a + 1; b < 96; b++)
            if (own_glyph(a) && own_glyph(b)) {
                EXPECT_NE(memcmp(glyph_table[a], glyph_table[b], 64), 0) << char(a) << char(b);
            }
}

// Column 7 stays black so characters 8 px apart never touch; only a few
// signs reach the outer columns, only the tails of , and ; row 7.
TEST(Font, EveryGlyphKeepsToItsCell) {
    for (int code = 33; code < 96; code++) {
        if (!own_glyph(code))
            continue;
        const uint8_t* g = glyph_table[code];
        int lit = 0, row_7 = 0;
        for (int p = 0; p < 64; p++) {
            int row = p / 8, col = p % 8;
            ASSERT_TRUE(g[p] == 0 || g[p] == 255) << char(code);
            if (g[p] == 0)
                continue;
            lit++;
            row_7 += row == 7;
            EXPECT_NE(col, 7) << char(code);
            EXPECT_TRUE(col != 0 || strchr("D#$%&+-/\\_", code)) << char(code);
            EXPECT_TRUE(col != 6 || strchr("#$%&+-/\\_", code)) << char(code);
        }
        EXPECT_GT(lit, 0) << char(code);
        EXPECT_EQ(row_7 > 0, code == ',' || code == ';') << char(code);
    }
}

TEST(Font, SmallLettersShowAsCapitalsAndSignsWithoutGlyphsAsBlack) {
    start_video();
    paint_surface(gray_pixel(77));
    draw_text(100, 100, "abc");
    draw_text(100, 140, "@`{");
    flush_queue();
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 24; x++) {
            ASSERT_EQ(pixel_gray(100 + x, 100 + y), glyph_table['A' + x / 8][y * 8 + x % 8]);
            ASSERT_EQ(pixel_word(100 + x, 140 + y), 0xFF000000u);
        }
    EXPECT_EQ(pixel_gray(124, 100), 77); // nothing past the third letter
}

template <int W, int H>
void expect_three_grays(const Picture<W, H>& p, int mid) {
    EXPECT_EQ(gray_count(p, 0) + gray_count(p, mid) + gray_count(p, 255), W * H);
    EXPECT_GT(gray_count(p, 255), W * H / 20);
    EXPECT_GT(gray_count(p, mid), W * H / 50);
}

TEST(Pictures, ThreeGraysEachAndBlackUnderTheTitlesPrompt) {
    expect_three_grays(splash_picture, 150);
    expect_three_grays(title_picture, 153);
    for (int y = 220; y <= 227; y++)
        for (int x = 116; x <= 203; x++)
            ASSERT_EQ(title_picture.pixels[y * 320 + x], 0) << x << "," << y;
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

template <int W, int H>
bool title_shows(const Picture<W, H>& sprite) {
    return title_shows(sprite.pixels, W, H);
}

// The title is the game's attract screen: it shows the very sprites the game
// draws, and its shields are the game's blocks, six by two.
TEST(Pictures, TheTitleShowsTheGamesOwnCast) {
    EXPECT_TRUE(title_shows(sprite_invader1_a));
    EXPECT_TRUE(title_shows(sprite_invader2_a));
    EXPECT_TRUE(title_shows(sprite_invader3_a));
    EXPECT_TRUE(title_shows(sprite_cannon));
    EXPECT_TRUE(title_shows(sprite_ship_a));
    EXPECT_TRUE(title_shows(sprite_explosion));
    EXPECT_TRUE(title_shows(sprite_shot));
    EXPECT_TRUE(title_shows(sprite_bomb_zigzag));
    uint8_t shield[24 * 16];
    for (int p = 0; p < 24 * 16; p++)
        shield[p] = sprite_shield_block.pixels[p / 24 % 8 * 4 + p % 4];
    EXPECT_TRUE(title_shows(shield, 24, 16));
}

TEST(Pictures, TheSplashLandsPixelExactOnABlackWindow) {
    start_video();
    paint_surface(WINDOW_BLUE);
    splash_show();
    for (int y = -1; y <= 58; y++)
        for (int x = -1; x <= 162; x++) {
            bool inside = x >= 0 && x < 162 && y >= 0 && y < 58;
            ASSERT_EQ(pixel_word(870 + x, 462 + y),
                      gray_pixel(inside ? splash_picture.pixels[y * 162 + x] : 0))
                << x << "," << y;
        }
    EXPECT_EQ(pixel_word(0, 0), gray_pixel(0));
    EXPECT_EQ(pixel_word(1899, 979), gray_pixel(0));
}

} // namespace
