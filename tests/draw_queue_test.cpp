// The draw queue, the frame presenter and the picture pickers, against the
// real dummy surface.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "display/pickers.h"
#include "display/window.h"
#include "frame/input.h"
#include "frame/screen_sequence.h"
#include "play/ship.h"
#include "support/harness.h"

constexpr int OLD = 77; // the window's gray before the test draws

class DrawQueue : public ::testing::Test {
  protected:
    void SetUp() override {
        start_video();
        SDL_FillRect(screen_surface, nullptr, gray_pixel(OLD));
    }
};

static void expect_grays(std::initializer_list<std::array<int, 3>> pixels) {
    for (auto [x, y, gray] : pixels)
        EXPECT_EQ(pixel_gray(x, y), gray) << "at " << x << "," << y;
}

// The second round runs across the end of the ring and on from slot 0.
TEST_F(DrawQueue, HoldsAtMost3071CommandsInOrderAndDropsTheRest) {
    for (int round = 0; round < 2; round++) {
        for (int i = 0; i < 3071; i++)
            ASSERT_EQ(queue_fill(int16_t(i % 1900), int16_t(round), 1, 1, i < 1900 ? 10 : 200), 0);
        EXPECT_EQ(queue_fill(5, 5, 1, 1, 255) + queue_glyph(5, 5, 'A'), 8);
        flush_queue();
        expect_grays({{0, round, 200}, {1170, round, 200}, {1171, round, 10}, {5, 5, OLD}});
    }
}

// Later commands win, sprites are opaque, a missing glyph is black, and a
// gray sets all three colour bytes. Upper invader rows march past the side
// edges: no write may leave the surface or wrap onto a neighbouring row.
TEST_F(DrawQueue, DrainsInOrderOpaqueAndClippedAtAllFourEdges) {
    static constexpr uint8_t ramp[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 12}; // 4 x 3
    queue_sprite(100, 100, 4, 3, ramp);
    queue_fill(101, 101, 1, 1, 255);
    EXPECT_EQ(queue_glyph(10, 10, 128) + queue_glyph(10, 10, 127), 1);
    queue_sprite(-2, 500, 4, 3, ramp);   // left: columns 2, 3 show
    queue_sprite(1898, 600, 4, 3, ramp); // right: columns 0, 1 show
    queue_sprite(700, -2, 4, 3, ramp);   // top: row 2 shows
    queue_sprite(800, 978, 4, 3, ramp);  // bottom: rows 0, 1 show
    flush_queue();
    expect_grays({{100, 100, 1}, {101, 101, 255}, {102, 102, 0},  {103, 102, 12},  {104, 100, OLD},
                  {17, 17, 0},   {18, 10, OLD},   {0, 500, 3},    {1, 500, 4},     {0, 502, 0},
                  {2, 500, OLD}, {1898, 600, 1},  {1899, 600, 2}, {1899, 602, 10}, {0, 601, OLD},
                  {700, 0, 9},   {701, 0, 10},    {800, 978, 1},  {803, 979, 8},   {0, 501, 7}});
    EXPECT_EQ(pixel_word(100, 101), 0xFF050505u);
}

// Every character, drawn or skipped (here code 200), moves the pen and uses
// up the budget of 1000; a wrap goes to column 0, and no glyph begins below
// row 972.
TEST_F(DrawQueue, TextAdvancesEightPixelsWrapsAndStopsAfter1000Characters) {
    const std::array<int, 5> cases[] = {{100, 100, 3, 124, 100},   {1888, 100, 3, 16, 108},
                                        {1884, 100, 3, 8, 108},    {1892, 964, 3, 16, 972},
                                        {1880, 972, 2, 1888, 972}, {1892, 972, 1, 1892, 972}};
    for (auto [x, y, glyphs, last_x, last_y] : cases) {
        empty_queue();
        draw_text(x, y, "AB\310C");
        ASSERT_EQ(queue_count, glyphs) << x << "," << y;
        EXPECT_EQ((std::array{int(draw_queue[glyphs - 1].x), int(draw_queue[glyphs - 1].y)}),
                  (std::array{last_x, last_y}));
    }
    queue_drain();
    draw_text(0, 0, std::string(1001, 'A').c_str());
    draw_text(0, 0, (std::string(1000, '\310') + "A").c_str());
    EXPECT_EQ(queue_count, 1000);
}

// Each frame shorter than 16 ms is stretched, one that took under a
// millisecond too, also across the clock's wrap; the reading after the wait
// starts the next frame. Off, the presenter neither waits, draws nor
// updates; a reset shows a whole black window and turns it off.
TEST_F(DrawQueue, PresenterStretchesShortFramesAndOffOrResetDoesNothingOrBlanks) {
    const std::array<uint32_t, 3> cases[] = {{5000, 5000, 16},    {4999, 5000, 15},
                                             {4985, 5000, 1},     {4984, 5000, 0},
                                             {0xFFFFFFF9u, 3, 6}, {0xFFFFFFF0u, 20, 0}};
    presenter_enabled = 1;
    for (auto [last, now, wait] : cases) {
        fake_clock_reset(now);
        last_frame_ticks = last;
        EXPECT_EQ(present_frame(), 0);
        EXPECT_TRUE(fake_delay_total == wait && fake_delay_calls == (wait ? 1 : 0))
            << now - last << " ms";
        EXPECT_EQ(last_frame_ticks, now + wait);
    }
    presenter_enabled = 0;
    queue_fill(0, 0, 4, 4, 200);
    int updates = update_rect_calls;
    EXPECT_EQ(present_frame(), 2);
    EXPECT_TRUE(fake_delay_calls == 0 && update_rect_calls == updates && queue_count == 1);
    presenter_enabled = 1;
    present_frame();
    EXPECT_TRUE(pixel_gray(3, 3) == 200 && update_rect_calls == updates + 1);
    queue_reset();
    EXPECT_TRUE(presenter_enabled == 0 && queue_count == 0 && update_rect_calls == updates + 2);
    EXPECT_EQ(pixel_word(5, 5) | pixel_word(1899, 979), 0xFF000000u);
}

// A quit waiting in SDL's events, such as a lost compositor sends, keeps
// the window from its updates while the surface is still drawn; the poll that
// takes the quit lets them through again. Nobody need poll between frames:
// the presenter pumps the events itself.
TEST_F(DrawQueue, AWaitingQuitHoldsBackTheWindowUpdateUntilItIsPolled) {
    presenter_enabled = 1;
    fake_clock_reset(1000);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    int updates = update_rect_calls;
    queue_fill(0, 0, 4, 4, 200);
    present_frame();
    flush_queue();
    EXPECT_TRUE(pixel_gray(3, 3) == 200 && update_rect_calls == updates);
    input_poll();
    EXPECT_EQ(quit_requested, 1u);
    present_frame();
    EXPECT_EQ(update_rect_calls, updates + 1);
    presenter_enabled = 0;
    quit_requested = 0;
}

// Blue in the surface's own layout, here the desktop's, whose low byte is
// blue, before any screen is set up.
TEST(Program, OpensTheWindowInBlue) {
    SDL_Quit();
    start_video();
    EXPECT_EQ(screen_surface->format->Bmask, 0xFFu);
    for (auto [x, y] : {std::pair{0, 0}, {1899, 0}, {950, 490}, {0, 979}, {1899, 979}})
        EXPECT_EQ(pixel_word(x, y), WINDOW_BLUE) << "at " << x << "," << y;
}

TEST(Program, EndsStartUpWithAMessageAndExitMinusOneWhenNoVideoModeCanBeSet) {
    start_video(); // the dummy drivers, should this test run first
    fail_video_mode = 1;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_EQ(video_init(), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "SDL initialize error.\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "SDL: no window of 1900x980 at 32 bits: no video mode of 1900x980\n");
    char* argv[] = {const_cast<char*>("orbostrak"), nullptr};
    EXPECT_EXIT(SDL_main(1, argv), testing::ExitedWithCode(ORBOSTRAK_EXIT_MINUS_ONE), "");
    fail_video_mode = 0; // the next start opens the window again
}

// Each picker's codes in order; an erase (null) is a black rectangle the size
// of the next code's picture, and codes past either end queue nothing. The
// ship is drawn on its own row.
TEST(Pickers, EachCodeQueuesItsPictureOrEraseAndUnknownCodesNothing) {
    const uint8_t *cross = sprite_bomb_cross.pixels, *bang = sprite_explosion.pixels;
    const std::vector<const uint8_t*> pictures[] = {
        {nullptr, sprite_shot.pixels, cross, cross, sprite_bomb_zigzag.pixels, cross},
        {nullptr, sprite_invader1_a.pixels, sprite_invader1_b.pixels, nullptr,
         sprite_invader2_a.pixels, sprite_invader2_b.pixels, nullptr, sprite_invader3_a.pixels,
         sprite_invader3_b.pixels, nullptr, bang},
        {nullptr, sprite_ship_a.pixels, sprite_ship_b.pixels, nullptr, bang}};
    for (int p = 0; p < 3; p++)
        for (int32_t code = int32_t(pictures[p].size()), next_w = 0; code >= -1; code--) {
            empty_queue();
            p == 0   ? pick_bomb_sprite(-7, 33, code)
            : p == 1 ? pick_invader_sprite(-7, 33, code)
                     : pick_ship_sprite(-7, code);
            const DrawCommand d = queue_count ? draw_queue[0] : DrawCommand{};
            if (code < 0 || code == int32_t(pictures[p].size()))
                EXPECT_EQ(queue_count, 0) << p << " " << code;
            else
                EXPECT_TRUE(queue_count == 1 && d.pixels == pictures[p][code] && d.x == -7 &&
                            d.y == (p == 2 ? ship_y : 33) && d.h == 8 && d.gray == 0 &&
                            (d.pixels || d.w == next_w))
                    << p << " " << code;
            next_w = d.w;
        }
}

// The window, with 80 rows for a title bar and a panel, shrunk to fit a
// small screen, doubled on a screen that holds it twice, else as it is; a
// screen scaled by one and a half keeps 120 rows, a page none.
TEST(Window, ScaleFitsSmallScreensAndGrowsByWholeNumbersOnLargeOnes) {
    const int32_t screens[][4] = {
        {1366, 768, 80, 70},   {1440, 900, 80, 75},    {1536, 864, 80, 80},   {1280, 720, 80, 65},
        {1920, 1080, 80, 100}, {2560, 1440, 80, 100},  {3840, 2160, 80, 200}, {3800, 2040, 80, 200},
        {3800, 2039, 80, 100}, {7680, 4320, 80, 400},  {1900, 1059, 80, 99},  {0, 0, 80, 100},
        {1920, 1080, 120, 97}, {3840, 2160, 240, 100}, {1900, 980, 0, 100},   {1899, 980, 0, 99},
        {3800, 1960, 0, 200},  {1900, 80, 80, 100},
    };
    for (const auto& [w, h, room, scale] : screens)
        EXPECT_EQ(window_scale(w, h, room), scale) << w << "x" << h << " less " << room;
}
