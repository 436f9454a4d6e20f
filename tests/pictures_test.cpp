// The splash and title pictures: their three grays, the black bed of the
// title's prompt, and the splash as it lands on the window.
#include <gtest/gtest.h>

#include "assets/pictures.h"
#include "display/draw_queue.h"
#include "screens/screens.h"
#include "support/harness.h"

namespace {

struct GrayCounts {
    int black = 0, mid = 0, white = 0, other = 0;
};

template <int W, int H>
GrayCounts count_grays(const Picture<W, H>& picture, uint8_t mid) {
    GrayCounts n;
    for (uint8_t g : picture.pixels) {
        if (g == 0)
            n.black++;
        else if (g == mid)
            n.mid++;
        else if (g == 255)
            n.white++;
        else
            n.other++;
    }
    return n;
}

TEST(Pictures, EachIsDrawnInItsOwnThreeGraysAndIsNotBlank) {
    GrayCounts splash = count_grays(splash_picture, 150);
    EXPECT_EQ(splash.other, 0);
    EXPECT_GT(splash.white, 162 * 58 / 20);
    EXPECT_GT(splash.mid, 162 * 58 / 50);
    EXPECT_GT(splash.black, 162 * 58 / 2);

    GrayCounts title = count_grays(title_picture, 153);
    EXPECT_EQ(title.other, 0);
    EXPECT_GT(title.white, 320 * 240 / 20);
    EXPECT_GT(title.mid, 320 * 240 / 50);
    EXPECT_GT(title.black, 320 * 240 / 2);
}

TEST(Pictures, TitleIsBlackUnderThePrompt) {
    for (int y = 220; y <= 227; y++)
        for (int x = 116; x <= 203; x++)
            ASSERT_EQ(int(title_picture.pixels[y * 320 + x]), 0) << x << "," << y;
}

TEST(Pictures, SplashLandsPixelExactOnABlackWindow) {
    start_video();
    paint_surface(WINDOW_BLUE);
    int updates = update_rect_calls;
    splash_show(); // blacks out, draws and flushes to the window at once
    EXPECT_GT(update_rect_calls, updates);
    for (int y = 0; y < 58; y++)
        for (int x = 0; x < 162; x++)
            ASSERT_EQ(pixel_word(870 + x, 462 + y), gray_pixel(splash_picture.pixels[y * 162 + x]))
                << x << "," << y;
    // The frame of pixels just outside the picture, and the window's corners.
    for (int x = 869; x <= 1032; x++) {
        EXPECT_EQ(pixel_word(x, 461), gray_pixel(0)) << x;
        EXPECT_EQ(pixel_word(x, 520), gray_pixel(0)) << x;
    }
    for (int y = 461; y <= 520; y++) {
        EXPECT_EQ(pixel_word(869, y), gray_pixel(0)) << y;
        EXPECT_EQ(pixel_word(1032, y), gray_pixel(0)) << y;
    }
    EXPECT_EQ(pixel_word(0, 0), gray_pixel(0));
    EXPECT_EQ(pixel_word(1899, 979), gray_pixel(0));
}

} // namespace
