// The draw queue and the frame presenter, against the real dummy surface.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "assets/font.h"
#include "display/draw_queue.h"
#include "support/harness.h"

namespace {

constexpr int OLD = 77; // the window's gray before the test draws

struct Pixel {
    int x, y, gray;
};

template <size_t N>
void expect_pixels(const Pixel (&pixels)[N]) {
    for (const Pixel& p : pixels)
        EXPECT_EQ(pixel_gray(p.x, p.y), p.gray) << "at " << p.x << "," << p.y;
}

class DrawQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        start_video();
        paint_surface(gray_pixel(OLD));
        presenter_enabled = 1;
        fake_clock_reset(1000);
        last_frame_ticks = 1000;
    }
};

// The second round runs across the end of the ring and on from slot 0.
TEST_F(DrawQueue, HoldsAtMost3071CommandsInOrderAndDropsTheRest) {
    for (int round = 0; round < 2; round++) {
        for (int i = 0; i < 3071; i++)
            ASSERT_EQ(queue_fill(int16_t(i % 1900), int16_t(round), 1, 1, i < 1900 ? 10 : 200), 0);
        EXPECT_EQ(queue_fill(5, 5, 1, 1, 255), 4);
        EXPECT_EQ(queue_glyph(5, 5, 'A'), 4);
        EXPECT_EQ(queue_glyph(5, 5, 128), 1) << "the code is judged before the room";
        flush_queue();
        const Pixel drawn[] = {{0, round, 200}, {1170, round, 200}, {1171, round, 10}, {5, 5, OLD}};
        expect_pixels(drawn);
    }
}

TEST_F(DrawQueue, DrainsInOrderSoTheLaterCommandWinsAndSpritesAreOpaque) {
    static constexpr uint8_t sprite[6] = {10, 0, 30, 40, 50, 60}; // 3 x 2
    queue_sprite(100, 100, 3, 2, sprite);
    queue_fill(101, 101, 1, 1, 255);
    queue_sprite(200, 200, 3, 2, nullptr); // no pixels: a black rectangle
    flush_queue();
    const Pixel drawn[] = {{100, 100, 10},  {101, 100, 0},  {102, 100, 30},  {100, 101, 40},
                           {101, 101, 255}, {102, 101, 60}, {103, 100, OLD}, {100, 102, OLD},
                           {200, 200, 0},   {202, 201, 0},  {203, 201, OLD}};
    expect_pixels(drawn);
    EXPECT_EQ(pixel_word(100, 101), 0xFF282828u) << "a gray sets all three colour bytes";
}

// Upper invader rows march past the side edges; no write may leave the
// surface or wrap onto a neighbouring row.
TEST_F(DrawQueue, CommandsAreClippedAtAllFourEdgesAndEmptyOnesDrawNothing) {
    static constexpr uint8_t ramp[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}; // 4 x 3
    queue_sprite(-2, 500, 4, 3, ramp);   // left: columns 2, 3 show
    queue_sprite(1898, 600, 4, 3, ramp); // right: columns 0, 1 show
    queue_sprite(700, -2, 4, 3, ramp);   // top: row 2 shows
    queue_sprite(800, 978, 4, 3, ramp);  // bottom: rows 0, 1 show
    queue_fill(-300, 300, 1300, 1, 8);
    queue_fill(-30000, 301, 32000, 1, 7); // wider than the window both ways
    queue_fill(1890, 302, 32000, 1, 8);
    queue_fill(32000, 32000, 32000, 32000, 8);
    for (int16_t w : {0, 5, -3})
        queue_fill(10, 10, w, w == 5 ? 0 : 5, 255);
    flush_queue();
    EXPECT_EQ(queue_count, 0);
    const Pixel drawn[] = {{0, 500, 3},      {1, 500, 4},    {0, 502, 11},     {2, 500, OLD},
                           {1899, 499, OLD}, {1898, 600, 1}, {1899, 602, 10},  {0, 601, OLD},
                           {700, 0, 9},      {703, 10, OLD}, {800, 978, 1},    {803, 979, 8},
                           {0, 300, 8},      {999, 300, 8},  {1000, 300, OLD}, {0, 301, 7},
                           {1899, 301, 7},   {1899, 302, 8}, {1889, 302, OLD}, {0, 303, OLD},
                           {10, 10, OLD}};
    expect_pixels(drawn);
}

TEST_F(DrawQueue, GlyphCodesAbove127QueueNothingAndMissingGlyphsAreBlackSquares) {
    EXPECT_EQ(queue_glyph(10, 10, 128), 1);
    EXPECT_EQ(queue_glyph(10, 10, 0xFFFFFFFFu), 1);
    EXPECT_EQ(queue_count, 0);
    EXPECT_EQ(queue_glyph(10, 10, ' '), 0);
    flush_queue();
    const Pixel drawn[] = {{10, 10, 0}, {17, 17, 0}, {18, 10, OLD}, {10, 18, OLD}};
    expect_pixels(drawn);
}

// Every character, drawn or skipped, moves the pen and uses up the budget.
TEST_F(DrawQueue, TextAdvancesEightPixelsPerCharacterUpTo1000Characters) {
    EXPECT_EQ(draw_text(100, 100, ""), 0);
    draw_text(100, 100, "AB\310C");
    ASSERT_EQ(queue_count, 3);
    EXPECT_EQ(draw_queue[1].x, 108);
    EXPECT_EQ(draw_queue[2].x, 124);
    flush_queue();
    EXPECT_EQ(pixel_gray(116, 100), OLD) << "the old picture stays in the gap";
    draw_text(0, 0, std::string(1001, 'A').c_str());
    EXPECT_EQ(queue_count, 1000);
    queue_drain();
    draw_text(0, 0, (std::string(999, '\310') + "A").c_str());
    draw_text(0, 0, (std::string(1000, '\310') + "A").c_str());
    EXPECT_EQ(queue_count, 1);
}

TEST_F(DrawQueue, TextWrapsToColumnZeroAndBeginsNoGlyphBelowRow972) {
    struct Case {
        int32_t x, y, glyphs;
        int16_t last_x, last_y;
    } cases[] = {{1888, 100, 4, 16, 108},   // the second glyph goes to column 0, not to x
                 {1880, 972, 2, 1888, 972}, // a wrap from row 972 ends the text
                 {1892, 960, 4, 16, 968}};  // 1892 still fits
    for (const Case& c : cases) {
        queue_read = queue_write = queue_count = 0;
        draw_text(c.x, c.y, "ABCD");
        ASSERT_EQ(queue_count, c.glyphs) << c.x << "," << c.y;
        EXPECT_EQ(draw_queue[c.glyphs - 1].x, c.last_x);
        EXPECT_EQ(draw_queue[c.glyphs - 1].y, c.last_y);
    }
}

TEST_F(DrawQueue, ResetDiscardsTheQueueAndShowsAWholeBlackWindowAtOnce) {
    queue_fill(0, 0, 10, 10, 255);
    int updates = update_rect_calls;
    queue_reset();
    EXPECT_EQ(presenter_enabled, 0u);
    EXPECT_EQ((std::array{queue_read, queue_write, queue_count}), (std::array{1, 1, 0}));
    EXPECT_EQ(update_rect_calls, updates + 1);
    EXPECT_EQ(pixel_word(5, 5), 0xFF000000u);
    EXPECT_EQ(pixel_word(1899, 979), 0xFF000000u);
}

TEST_F(DrawQueue, PresenterOffDoesNothingAndOnDrawsAndUpdatesTheWholeWindow) {
    presenter_enabled = 0;
    queue_fill(0, 0, 4, 4, 200);
    int updates = update_rect_calls;
    fake_ticks = 1003;
    EXPECT_EQ(present_frame(), 2);
    EXPECT_EQ(fake_delay_calls + update_rect_calls - updates, 0) << "no wait, no update";
    EXPECT_EQ(queue_count, 1);
    EXPECT_EQ(last_frame_ticks, 1000u);
    EXPECT_EQ(pixel_gray(0, 0), OLD);
    presenter_enabled = 1;
    EXPECT_EQ(present_frame(), 0);
    EXPECT_EQ(pixel_gray(3, 3), 200);
    EXPECT_EQ(present_frame(), 0);
    EXPECT_EQ(update_rect_calls, updates + 2) << "an empty queue still updates the window";
}

// A frame that took under a millisecond is stretched too: otherwise half
// the frames would run unpaced.
TEST_F(DrawQueue, PresenterStretchesEveryFrameShorterThan16ms) {
    struct Case {
        uint32_t last, now, wait;
    } cases[] = {{5000, 5000, 16},    {4999, 5000, 15}, {4992, 5000, 8}, {4985, 5000, 1},
                 {4984, 5000, 0},     {4983, 5000, 0},  {4500, 5000, 0}, {0xFFFFFFF9u, 3, 6},
                 {0xFFFFFFF0u, 20, 0}}; // across the wrap: 10 and 36 ms
    for (const Case& c : cases) {
        fake_clock_reset(c.now);
        last_frame_ticks = c.last;
        present_frame();
        EXPECT_EQ(fake_delay_total, c.wait) << uint32_t(c.now - c.last) << " ms";
        EXPECT_EQ(fake_delay_calls, c.wait ? 1 : 0);
        EXPECT_EQ(last_frame_ticks, c.now + c.wait);
    }
    // Every reading moves the clock 5 ms on: the drawing after the fresh
    // reading counts toward the next frame.
    fake_clock_reset(100);
    fake_ticks_per_call = 5;
    last_frame_ticks = 100;
    present_frame(); // reads 100, waits 16, reads 121
    EXPECT_EQ(last_frame_ticks, 121u);
}

TEST(Program, ReportsAnSdlStartFailureAndExitsWith255) {
    std::string command = std::string("SDL_VIDEODRIVER=bogus ") + ORBOSTRAK_BINARY + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char output[256] = {};
    size_t n = fread(output, 1, sizeof output - 1, pipe);
    int status = pclose(pipe);
    EXPECT_EQ(std::string(output, n), "SDL initialize error.\n");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 255) << "status " << status;
}

} // namespace
