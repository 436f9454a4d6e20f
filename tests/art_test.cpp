// The compiled-in art as the window shows it: the font's small letters as
// capitals, and the splash picture landing pixel for pixel.
#include <gtest/gtest.h>

#include "assets/font.h"
#include "assets/pictures.h"
#include "display/draw_queue.h"
#include "screens/screens.h"
#include "support/harness.h"

namespace {

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
