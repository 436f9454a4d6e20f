// The font: which codes have glyphs, the shape rules every glyph keeps, and
// small letters on the real surface.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/font.h"
#include "display/draw_queue.h"
#include "support/harness.h"

namespace {

bool own_glyph(int code) {
    return (code >= 33 && code <= 63) || (code >= 65 && code <= 95);
}

// Glyphs allowed to reach past columns 1 to 5 or below row 6.
bool in(int code, const char* set) {
    return std::strchr(set, code) != nullptr;
}
constexpr const char* COLUMN_0 = "D#$%&+-/\\_";
constexpr const char* COLUMN_6 = "#$%&+-/\\_";
constexpr const char* ROW_7 = ",;";

TEST(Font, PunctuationDigitsAndCapitalsHaveGlyphsSmallLettersShareThemTheRestAreNull) {
    for (int code = 0; code < GLYPH_CODES; code++) {
        if (own_glyph(code))
            EXPECT_NE(glyph_table[code], nullptr) << code;
        else if (code >= 97 && code <= 122)
            EXPECT_EQ(glyph_table[code], glyph_table[code - 32]) << code;
        else
            EXPECT_EQ(glyph_table[code], nullptr) << code;
    }
}

TEST(Font, EveryGlyphIsWhiteOnBlackInsideItsCell) {
    for (int code = 0; code < GLYPH_CODES; code++) {
        if (!own_glyph(code))
            continue;
        const uint8_t* g = glyph_table[code];
        int lit = 0;
        for (int row = 0; row < 8; row++)
            for (int col = 0; col < 8; col++) {
                uint8_t v = g[row * 8 + col];
                ASSERT_TRUE(v == 0 || v == 255) << char(code) << " " << row << "," << col;
                if (v == 0)
                    continue;
                lit++;
                EXPECT_NE(col, 7) << char(code) << " row " << row;
                EXPECT_TRUE(col != 0 || in(code, COLUMN_0)) << char(code) << " row " << row;
                EXPECT_TRUE(col != 6 || in(code, COLUMN_6)) << char(code) << " row " << row;
                EXPECT_TRUE(row != 7 || in(code, ROW_7)) << char(code) << " col " << col;
            }
        EXPECT_GT(lit, 0) << char(code);
    }
}

TEST(Font, CommaAndSemicolonHangTheirTailsIntoRow7) {
    for (int code : {',', ';'}) {
        int lit = 0;
        for (int col = 0; col < 8; col++)
            lit += glyph_table[code][7 * 8 + col] != 0;
        EXPECT_GT(lit, 0) << char(code);
    }
}

TEST(Font, NoTwoGlyphsLookAlike) {
    for (int a = 0; a < GLYPH_CODES; a++)
        for (int b = a + 1; b < GLYPH_CODES; b++)
            if (own_glyph(a) && own_glyph(b)) {
                EXPECT_NE(std::memcmp(glyph_table[a], glyph_table[b], 64), 0)
                    << char(a) << " and " << char(b);
            }
}

TEST(Font, SmallLettersAppearOnScreenAsCapitalsAndSignsWithoutGlyphsAsBlack) {
    start_video();
    paint_surface(gray_pixel(77));
    draw_text(100, 100, "abc");
    draw_text(100, 120, "ABC");
    draw_text(100, 140, "@`{");
    flush_queue();
    int white = 0;
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 24; x++) {
            uint8_t capital = glyph_table['A' + x / 8][y * 8 + x % 8];
            ASSERT_EQ(pixel_gray(100 + x, 120 + y), capital) << x << "," << y;
            ASSERT_EQ(pixel_gray(100 + x, 100 + y), capital) << x << "," << y;
            EXPECT_EQ(pixel_word(100 + x, 140 + y), 0xFF000000u) << x << "," << y;
            white += capital == 255;
        }
    EXPECT_GT(white, 20);
    EXPECT_EQ(pixel_gray(124, 100), 77); // nothing past the third letter
}

} // namespace
