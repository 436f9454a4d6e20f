// The compiled-in art keeps the shapes the game relies on: where the shot
// leaves the cannon, which rows of an invader walk, which edge of a shield
// block is eaten, the font's cells, and the title's cannon and prompt.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "assets/font.h"
#include "assets/pictures.h"
#include "assets/sprites.h"

namespace {

// The two frames of an invader differ in the antennae and legs only; the
// shot leaves from the turret tip, the only pixel of the cannon's top row;
// each worn shield block is eaten from its own edge.
TEST(Sprites, InvadersWalkOnTheirLegsTheTurretTipsTheCannonAndShieldsWearFromAnEdge) {
    auto walks = [](const auto& a, const auto& b) {
        const int w = int(sizeof a.pixels) / 8;
        return memcmp(a.pixels, b.pixels, 8 * w) &&
               !memcmp(a.pixels + 2 * w, b.pixels + 2 * w, 3 * w);
    };
    EXPECT_TRUE(walks(sprite_invader1_a, sprite_invader1_b) &&
                walks(sprite_invader2_a, sprite_invader2_b) &&
                walks(sprite_invader3_a, sprite_invader3_b));
    EXPECT_TRUE(sprite_cannon.pixels[6] == 255 &&
                std::count(sprite_cannon.pixels, sprite_cannon.pixels + 13, 0) == 12);
    const Picture<4, 8>* blocks[] = {&sprite_shield_block, &sprite_shield_worn_top,
                                     &sprite_shield_worn_bottom, &sprite_shield_worn_right,
                                     &sprite_shield_worn_left};
    for (int p = 0; p < 32; p++) {
        int x = p % 4, y = p / 4;
        const bool eaten[] = {false, y <= 2, y >= 5, x >= 2, x <= 1};
        for (int i = 0; i < 5; i++)
            EXPECT_EQ(blocks[i]->pixels[p], eaten[i] ? 0 : 255) << i << " at " << x << "," << y;
    }
}

// Small letters borrow the capitals; everything else without a glyph of its
// own is null (drawn black). Column 7 stays black so characters 8 px apart
// never touch; only the tails of , and ; reach row 7.
TEST(Font, OwnGlyphsAreDistinctKeepToTheirCellsAndSmallLettersShareCapitals) {
    auto own = [](int code) { return code > 32 && code < 96 && code != '@'; };
    std::set<std::string> drawn;
    for (int code = 0; code < GLYPH_CODES; code++) {
        const uint8_t* g = glyph_table[code];
        if (!own(code)) {
            EXPECT_EQ(g, code >= 'a' && code <= 'z' ? glyph_table[code - 32] : nullptr) << code;
            continue;
        }
        EXPECT_TRUE(drawn.insert(std::string(g, g + 64)).second) << char(code) << " is drawn twice";
        for (int y = 0; y < 8; y++)
            EXPECT_EQ(g[8 * y + 7], 0) << char(code) << " row " << y;
        EXPECT_NE(std::count(g, g + 64, 0), 64) << char(code);
        EXPECT_EQ(std::count(g + 56, g + 64, 0) < 8, code == ',' || code == ';') << char(code);
    }
}

// The title's cannon, at (147, 194), is the game's own at double size, and
// the title stays black where its prompt is written.
TEST(Pictures, TheTitleShowsTheGamesCannonAndLeavesRoomForItsPrompt) {
    for (int p = 0; p < 26 * 16; p++)
        ASSERT_EQ(title_picture.pixels[(194 + p / 26) * 320 + 147 + p % 26] != 0,
                  sprite_cannon.pixels[p / 52 * 13 + p % 26 / 2] != 0)
            << p;
    for (int y = 220; y <= 227; y++)
        for (int x = 116; x <= 203; x++)
            ASSERT_EQ(title_picture.pixels[y * 320 + x], 0) << x << "," << y;
}

} // namespace
