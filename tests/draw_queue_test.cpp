// The draw queue and the frame presenter, against the real dummy surface.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "assets/font.h"
#include "display/draw_queue.h"
#include "support/harness.h"

namespace {

class DrawQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        start_video();
        paint_surface(gray_pixel(77));
        presenter_enabled = 1;
    }
};

constexpr uint8_t checker[6] = {10, 20, 30, 40, 50, 60}; // 3 x 2

TEST(Window, OpensAt1900x980InMediumBlueWithThePresenterOff) {
    start_video();
    ASSERT_NE(screen_surface, nullptr);
    EXPECT_EQ(screen_surface->w, 1900);
    EXPECT_EQ(screen_surface->h, 980);
    EXPECT_EQ(screen_surface->format->BitsPerPixel, 32);
    EXPECT_EQ(pixel_word(0, 0), 0xFF0000C0u);
    EXPECT_EQ(pixel_word(1899, 979), 0xFF0000C0u);
    EXPECT_EQ(presenter_enabled, 0u);
    EXPECT_EQ(present_frame(), 2);
}

TEST_F(DrawQueue, HoldsAtMost3071CommandsAndDropsTheRest) {
    for (int i = 0; i < 3071; i++)
        ASSERT_EQ(queue_fill(0, 0, 1, 1, 1), 0) << i;
    EXPECT_EQ(queue_count, 3071);
    EXPECT_EQ(queue_fill(5, 5, 1, 1, 200), 4);
    EXPECT_EQ(queue_sprite(5, 5, 3, 2, checker), 4);
    EXPECT_EQ(queue_glyph(5, 5, 65), 4);
    EXPECT_EQ(queue_glyph(5, 5, 128), 1); // the code is judged first
    EXPECT_EQ(queue_count, 3071);
    flush_queue();
    EXPECT_EQ(queue_count, 0);
    EXPECT_EQ(pixel_gray(5, 5), 77) << "a dropped command must never be drawn";
    EXPECT_EQ(pixel_gray(0, 0), 1);
}

TEST_F(DrawQueue, RingWrapsAroundKeepingOrder) {
    for (int round = 0; round < 5; round++) {
        for (int i = 0; i < 1000; i++)
            queue_fill(int16_t(i), 0, 1, 1, uint8_t(round * 10 + i % 7));
        flush_queue();
        EXPECT_EQ(queue_count, 0);
        EXPECT_EQ(queue_read, queue_write);
        EXPECT_EQ(pixel_gray(999, 0), round * 10 + 999 % 7);
    }
}

TEST_F(DrawQueue, DrainsInOrderSoTheLaterCommandWinsAndSpritesAreOpaque) {
    queue_sprite(100, 100, 3, 2, checker);
    queue_fill(101, 100, 1, 1, 255);
    queue_sprite(200, 200, 3, 2, nullptr); // no pixels: a black rectangle
    flush_queue();
    EXPECT_EQ(pixel_gray(100, 100), 10);
    EXPECT_EQ(pixel_gray(101, 100), 255);
    EXPECT_EQ(pixel_gray(102, 100), 30);
    EXPECT_EQ(pixel_gray(100, 101), 40);
    EXPECT_EQ(pixel_gray(102, 101), 60);
    EXPECT_EQ(pixel_gray(103, 100), 77);
    EXPECT_EQ(pixel_word(101, 101), 0xFF323232u) << "gray g is 0xFF000000 | g<<16 | g<<8 | g";
    EXPECT_EQ(pixel_gray(200, 200), 0);
    EXPECT_EQ(pixel_gray(202, 201), 0);
    EXPECT_EQ(pixel_gray(203, 201), 77);
}

TEST_F(DrawQueue, EmptyCommandsAreConsumedWithoutDrawing) {
    queue_fill(10, 10, 0, 5, 255);
    queue_fill(10, 10, 5, 0, 255);
    queue_fill(10, 10, -3, 5, 255);
    flush_queue();
    EXPECT_EQ(queue_count, 0);
    EXPECT_EQ(pixel_gray(10, 10), 77);
    EXPECT_EQ(pixel_gray(9, 9), 77);
}

TEST_F(DrawQueue, CommandsReachingOutsideAreClippedAtAllFourEdges) {
    // 4 x 3 sprite with distinct bytes: row-major 1..12
    static constexpr uint8_t ramp[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    queue_sprite(-2, 500, 4, 3, ramp);      // left: columns 2, 3 show
    queue_sprite(1898, 600, 4, 3, ramp);    // right: columns 0, 1 show
    queue_sprite(700, -2, 4, 3, ramp);      // top: row 2 shows
    queue_sprite(800, 978, 4, 3, ramp);     // bottom: rows 0, 1 show
    queue_fill(-5000, -5000, 10000, 10, 9); // far outside on three sides
    queue_fill(-300, 300, 1300, 1, 8);
    queue_fill(-30000, 301, 32000, 1, 7); // wider than the window both ways
    queue_fill(1890, 300, 32000, 1, 8);
    queue_fill(32000, 32000, 32000, 32000, 8); // nothing of it is inside
    flush_queue();
    EXPECT_EQ(pixel_gray(0, 500), 3);
    EXPECT_EQ(pixel_gray(1, 500), 4);
    EXPECT_EQ(pixel_gray(0, 502), 11);
    EXPECT_EQ(pixel_gray(2, 500), 77);
    EXPECT_EQ(pixel_gray(1899, 499), 77) << "nothing wraps onto the row above";
    EXPECT_EQ(pixel_gray(1898, 600), 1);
    EXPECT_EQ(pixel_gray(1899, 602), 10);
    EXPECT_EQ(pixel_gray(0, 601), 77) << "nothing wraps onto the next row";
    EXPECT_EQ(pixel_gray(700, 0), 9);
    EXPECT_EQ(pixel_gray(703, 10), 77);
    EXPECT_EQ(pixel_gray(800, 978), 1);
    EXPECT_EQ(pixel_gray(803, 979), 8);
    EXPECT_EQ(pixel_gray(0, 300), 8);
    EXPECT_EQ(pixel_gray(999, 300), 8);
    EXPECT_EQ(pixel_gray(1000, 300), 77);
    EXPECT_EQ(pixel_gray(1899, 300), 8);
    EXPECT_EQ(pixel_gray(1889, 300), 77);
    EXPECT_EQ(pixel_gray(0, 301), 7);
    EXPECT_EQ(pixel_gray(1899, 301), 7);
    EXPECT_EQ(pixel_gray(0, 302), 77);
}

TEST_F(DrawQueue, GlyphCodesAbove127QueueNothingAndNullGlyphsAreBlackSquares) {
    EXPECT_EQ(queue_glyph(10, 10, 128), 1);
    EXPECT_EQ(queue_glyph(10, 10, 0xFFFFFFFFu), 1);
    EXPECT_EQ(queue_count, 0);
    ASSERT_EQ(glyph_table[' '], nullptr);
    EXPECT_EQ(queue_glyph(10, 10, ' '), 0);
    EXPECT_EQ(queue_glyph(30, 10, 'A'), 0);
    EXPECT_EQ(draw_queue[queue_write - 1].pixels, glyph_table['A']);
    EXPECT_EQ(draw_queue[queue_write - 1].w, 8);
    flush_queue();
    for (int y = 10; y < 18; y++)
        for (int x = 10; x < 18; x++)
            ASSERT_EQ(pixel_gray(x, y), 0);
    EXPECT_EQ(pixel_gray(18, 10), 77);
}

TEST_F(DrawQueue, TextAdvancesEightPixelsPerCharacterAndSkipsHighBytes) {
    EXPECT_EQ(draw_text(100, 100, ""), 0);
    EXPECT_EQ(queue_count, 0);
    draw_text(100, 100,
              "AB\xC8"
              "C");
    ASSERT_EQ(queue_count, 3);
    EXPECT_EQ(draw_queue[0].x, 100);
    EXPECT_EQ(draw_queue[1].x, 108);
    EXPECT_EQ(draw_queue[2].x, 124) << "the high byte leaves a gap";
    EXPECT_EQ(draw_queue[2].pixels, glyph_table['C']);
    flush_queue();
    EXPECT_EQ(pixel_gray(116, 100), 77) << "the old picture stays in the gap";
}

TEST_F(DrawQueue, TextWrapsToColumnZeroAndStopsBelowRow972) {
    draw_text(1888, 100, "AB");
    ASSERT_EQ(queue_count, 2);
    EXPECT_EQ(draw_queue[0].x, 1888);
    EXPECT_EQ(draw_queue[1].x, 0);
    EXPECT_EQ(draw_queue[1].y, 108);
    flush_queue();

    draw_text(1880, 972, "ABCD");
    EXPECT_EQ(queue_count, 2) << "a wrap from row 972 ends the text";
    flush_queue();

    draw_text(1892, 960, "ABCD"); // 1892 fits; the wrap goes on at row 968
    EXPECT_EQ(queue_count, 4);
    EXPECT_EQ(draw_queue[queue_write - 1].y, 968);
}

TEST_F(DrawQueue, TextDrawsAtMost1000Characters) {
    std::string long_text(1001, 'A');
    draw_text(0, 0, long_text.c_str());
    EXPECT_EQ(queue_count, 1000);
    queue_drain();
    std::string gaps(1500, '\xC8');
    draw_text(0, 0, gaps.c_str());
    EXPECT_EQ(queue_count, 0);
}

TEST_F(DrawQueue, ResetDiscardsTheQueueAndBlacksTheWholeWindowOut) {
    queue_fill(0, 0, 10, 10, 255);
    int updates = update_rect_calls;
    queue_reset();
    EXPECT_EQ(presenter_enabled, 0u);
    EXPECT_EQ(queue_read, 1);
    EXPECT_EQ(queue_write, 1);
    EXPECT_EQ(queue_count, 0);
    EXPECT_EQ(update_rect_calls, updates + 1);
    EXPECT_EQ(pixel_gray(5, 5), 0);
    EXPECT_EQ(pixel_word(1899, 979), 0xFF000000u);
}

class Presenter : public DrawQueue {
  protected:
    void SetUp() override {
        DrawQueue::SetUp();
        fake_clock_reset(1000);
        last_frame_ticks = 1000;
    }
};

TEST_F(Presenter, OffDoesNothingAndKeepsTheQueue) {
    presenter_enabled = 0;
    queue_fill(0, 0, 4, 4, 200);
    int updates = update_rect_calls;
    fake_ticks = 1003;
    EXPECT_EQ(present_frame(), 2);
    EXPECT_EQ(fake_delay_calls, 0);
    EXPECT_EQ(update_rect_calls, updates);
    EXPECT_EQ(queue_count, 1);
    EXPECT_EQ(last_frame_ticks, 1000u);
    EXPECT_EQ(pixel_gray(0, 0), 77);
}

TEST_F(Presenter, DrawsTheQueueAndUpdatesTheWindowEvenWhenEmpty) {
    int updates = update_rect_calls;
    fake_ticks = 1020;
    EXPECT_EQ(present_frame(), 0);
    EXPECT_EQ(update_rect_calls, updates + 1);
    queue_fill(0, 0, 4, 4, 200);
    fake_ticks = 1040;
    present_frame();
    EXPECT_EQ(pixel_gray(3, 3), 200);
    EXPECT_EQ(queue_count, 0);
}

TEST_F(Presenter, StretchesEveryFrameShorterThan16ms) {
    struct Case {
        uint32_t elapsed, wait;
    } cases[] = {{0, 16}, {1, 15}, {8, 8}, {15, 1}, {16, 0}, {17, 0}, {500, 0}};
    for (const Case& c : cases) {
        fake_clock_reset(5000);
        last_frame_ticks = 5000 - c.elapsed;
        present_frame();
        EXPECT_EQ(fake_delay_total, c.wait) << "elapsed " << c.elapsed;
        EXPECT_EQ(fake_delay_calls, c.wait ? 1 : 0) << "elapsed " << c.elapsed;
        EXPECT_EQ(last_frame_ticks, 5000 + c.wait) << "taken after the wait";
    }
}

TEST_F(Presenter, ElapsedTimeSurvivesTheTickCounterWrapping) {
    fake_clock_reset(3); // 2^32 - 7 + 10 wraps to 3
    last_frame_ticks = 0xFFFFFFF9u;
    present_frame();
    EXPECT_EQ(fake_last_delay, 6u);
    fake_clock_reset(20);
    last_frame_ticks = 0xFFFFFFF0u; // 36 ms ago
    present_frame();
    EXPECT_EQ(fake_delay_calls, 0);
}

TEST_F(Presenter, DrawingTimeCountsTowardTheNextFrame) {
    // every clock reading moves time 5 ms on: the drawing after the
    // reading is part of the next frame
    fake_clock_reset(100);
    last_frame_ticks = 100;
    fake_ticks_per_call = 5;
    present_frame(); // reads 100 (elapsed 0) -> waits 16 -> reads 121
    EXPECT_EQ(fake_last_delay, 16u);
    EXPECT_EQ(last_frame_ticks, 121u);
    fake_ticks = 130; // 9 ms later
    present_frame();
    EXPECT_EQ(fake_last_delay, 7u);
}

TEST(Program, ReportsAnSdlStartFailureAndExitsWith255) {
    std::string command = std::string("SDL_VIDEODRIVER=bogus ") + ORBOSTRAK_BINARY + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char output[256] = {};
    size_t n = fread(output, 1, sizeof output - 1, pipe);
    int status = pclose(pipe);
    EXPECT_EQ(std::string(output, n), "SDL initialize error.\n");
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 255);
}

} // namespace
