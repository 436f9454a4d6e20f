// The draw queue, the frame presenter and the picture pickers, against the
// real dummy surface.
#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <cstdio>
#include <string>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "display/pickers.h"
#include "frame/screen_sequence.h"
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

// Opened again, so that nothing an earlier test drew is left on it.
TEST(Window, Opens1900By980In32BitsAndMediumBlue) {
    start_video();
    ASSERT_EQ(video_init(), 0);
    ASSERT_EQ(screen_surface->w, 1900);
    ASSERT_EQ(screen_surface->h, 980);
    ASSERT_EQ(screen_surface->format->BitsPerPixel, 32);
    for (int p : {0, 1899, 979 * 1900, 1900 * 980 - 1})
        EXPECT_EQ(pixel_word(p % 1900, p / 1900), 0xFF0000C0u) << p;
}

// SDL 2's settings for presenting in software are filled in where the user
// has set nothing; a user's own choice stands.
TEST(Window, AsksForSoftwarePresentingUnlessTheUserChoseOtherwise) {
    SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
    SDL_putenv(const_cast<char*>("SDL_AUDIODRIVER=dummy"));
    unsetenv("SDL_RENDER_DRIVER");
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "1", 1);
    ASSERT_EQ(video_init(), 0);
    EXPECT_STREQ(getenv("SDL_RENDER_DRIVER"), "software");
    EXPECT_STREQ(getenv("SDL_FRAMEBUFFER_ACCELERATION"), "1");
    unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
    setenv("SDL_RENDER_DRIVER", "opengl", 1);
    ASSERT_EQ(video_init(), 0);
    EXPECT_STREQ(getenv("SDL_RENDER_DRIVER"), "opengl");
    EXPECT_STREQ(getenv("SDL_FRAMEBUFFER_ACCELERATION"), "0");
    unsetenv("SDL_RENDER_DRIVER");
    unsetenv("SDL_FRAMEBUFFER_ACCELERATION");
}

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

// Later commands win, sprites are opaque, a missing picture or glyph is black.
TEST_F(DrawQueue, DrainsInOrderOpaqueAndGlyphsAbove127QueueNothing) {
    static constexpr uint8_t sprite[6] = {10, 0, 30, 40, 50, 60}; // 3 x 2
    queue_sprite(100, 100, 3, 2, sprite);
    queue_fill(101, 101, 1, 1, 255);
    queue_sprite(200, 200, 3, 2, nullptr);
    EXPECT_EQ(queue_glyph(10, 10, 128) + queue_glyph(10, 10, 0xFFFFFFFFu), 2);
    EXPECT_EQ(queue_glyph(10, 10, ' '), 0);
    EXPECT_EQ(queue_count, 4);
    flush_queue();
    const Pixel drawn[] = {{100, 100, 10},  {101, 100, 0},   {102, 100, 30}, {101, 101, 255},
                           {103, 100, OLD}, {100, 102, OLD}, {202, 201, 0},  {203, 201, OLD},
                           {10, 10, 0},     {17, 17, 0},     {18, 10, OLD},  {10, 18, OLD}};
    expect_pixels(drawn);
    EXPECT_EQ(pixel_word(100, 101), 0xFF282828u) << "a gray sets all three colour bytes";
}

// Upper invader rows march past the side edges; no write may leave the
// surface or wrap onto a neighbouring row.
TEST_F(DrawQueue, CommandsAreClippedAtAllFourEdgesAndEmptyOnesDrawNothing) {
    static constexpr uint8_t ramp[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}; // 4 x 3
    queue_sprite(-2, 500, 4, 3, ramp);    // left: columns 2, 3 show
    queue_sprite(1898, 600, 4, 3, ramp);  // right: columns 0, 1 show
    queue_sprite(700, -2, 4, 3, ramp);    // top: row 2 shows
    queue_sprite(800, 978, 4, 3, ramp);   // bottom: rows 0, 1 show
    queue_fill(-30000, 301, 32000, 1, 7); // wider than the window both ways
    queue_fill(1890, 302, 32000, 1, 8);
    queue_fill(32000, 32000, 32000, 32000, 8);
    for (int16_t w : std::initializer_list<int16_t>{0, 5, -3})
        queue_fill(10, 10, w, w == 5 ? 0 : 5, 255);
    flush_queue();
    const Pixel drawn[] = {{0, 500, 3},      {1, 500, 4},    {0, 502, 11},     {2, 500, OLD},
                           {1899, 499, OLD}, {1898, 600, 1}, {1899, 602, 10},  {0, 601, OLD},
                           {700, 0, 9},      {703, 10, OLD}, {800, 978, 1},    {803, 979, 8},
                           {0, 301, 7},      {1899, 301, 7}, {1899, 302, 8},   {1889, 302, OLD},
                           {0, 302, OLD},    {0, 303, OLD},  {1899, 300, OLD}, {10, 10, OLD}};
    expect_pixels(drawn);
}

// Every character, drawn or skipped (here code 200), moves the pen and uses
// up the budget; a wrap goes to column 0, and no glyph begins below row 972.
TEST_F(DrawQueue, TextAdvancesEightPixelsWrapsAndStopsAfter1000Characters) {
    struct Case {
        int x, y, glyphs, last_x, last_y;
    } cases[] = {{100, 100, 3, 124, 100}, {1888, 100, 3, 16, 108},   {1884, 100, 3, 8, 108},
                 {1892, 960, 3, 16, 968}, {1880, 972, 2, 1888, 972}, {1892, 972, 1, 1892, 972}};
    for (const Case& c : cases) {
        queue_read = queue_write = queue_count = 0;
        draw_text(c.x, c.y, "AB\310C");
        ASSERT_EQ(queue_count, c.glyphs) << c.x << "," << c.y;
        const DrawCommand& last = draw_queue[c.glyphs - 1];
        EXPECT_EQ((std::array{int(last.x), int(last.y)}), (std::array{c.last_x, c.last_y}));
    }
    queue_drain();
    EXPECT_EQ(draw_text(0, 0, ""), 0);
    draw_text(0, 0, std::string(1001, 'A').c_str());
    EXPECT_EQ(queue_count, 1000);
    queue_drain();
    draw_text(0, 0, (std::string(999, '\310') + "A").c_str());
    draw_text(0, 0, (std::string(1000, '\310') + "A").c_str());
    EXPECT_EQ(queue_count, 1);
}

TEST_F(DrawQueue, PresenterOffDoesNothingOnDrawsAndUpdatesTheWindowAndResetTurnsItOff) {
    presenter_enabled = 0;
    queue_fill(0, 0, 4, 4, 200);
    int updates = update_rect_calls;
    fake_ticks = 1003;
    EXPECT_EQ(present_frame(), 2);
    EXPECT_EQ(fake_delay_calls + update_rect_calls - updates, 0) << "no wait, no update";
    EXPECT_TRUE(queue_count == 1 && last_frame_ticks == 1000 && pixel_gray(0, 0) == OLD);
    presenter_enabled = 1;
    EXPECT_EQ(present_frame() + present_frame(), 0);
    EXPECT_EQ(pixel_gray(3, 3), 200);
    EXPECT_EQ(update_rect_calls, updates + 2) << "an empty queue still updates the window";
    queue_fill(0, 0, 10, 10, 255);
    queue_reset(); // discards the queue and shows a whole black window at once
    EXPECT_TRUE(presenter_enabled == 0 && queue_read == 1 && queue_write == 1 && queue_count == 0);
    EXPECT_EQ(update_rect_calls, updates + 3);
    EXPECT_EQ(pixel_word(5, 5) | pixel_word(1899, 979), 0xFF000000u);
}

// A frame that took under a millisecond is stretched too: otherwise half
// the frames would run unpaced. Two cases run across the clock's wrap; in
// the last the clock moves 5 ms a reading (100, wait 16, 121), and the
// fresh reading after the wait starts the next frame.
TEST_F(DrawQueue, PresenterStretchesEveryFrameShorterThan16ms) {
    struct Case {
        uint32_t last, now, wait, step;
    } cases[] = {{5000, 5000, 16, 0},     {4999, 5000, 15, 0}, {4985, 5000, 1, 0},
                 {4984, 5000, 0, 0},      {4500, 5000, 0, 0},  {0xFFFFFFF9u, 3, 6, 0},
                 {0xFFFFFFF0u, 20, 0, 0}, {100, 100, 16, 5}};
    for (const Case& c : cases) {
        fake_clock_reset(c.now);
        fake_ticks_per_call = c.step;
        last_frame_ticks = c.last;
        present_frame();
        EXPECT_EQ(fake_delay_total, c.wait) << uint32_t(c.now - c.last) << " ms";
        EXPECT_EQ(fake_delay_calls, c.wait ? 1 : 0);
        EXPECT_EQ(last_frame_ticks, c.now + c.wait + c.step);
    }
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

TEST(Program, EndsStartUpWithAMessageWhenNoVideoModeCanBeSet) {
    SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
    SDL_putenv(const_cast<char*>("SDL_AUDIODRIVER=dummy"));
    fail_video_mode = 1;
    testing::internal::CaptureStdout();
    EXPECT_EQ(video_init(), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "SDL video mode error: no video mode of 1900x980\n");
    SDL_Quit();
    char* argv[] = {const_cast<char*>("orbostrak"), nullptr};
    EXPECT_EXIT(SDL_main(1, argv), testing::ExitedWithCode(255), "");
    fail_video_mode = 0;
}

// One picker call at x -7, y 33 into an empty queue: the number of commands
// it queued, then the first one.
std::array<intptr_t, 7> pick(char picker, int32_t code) {
    queue_read = queue_write = queue_count = 0;
    picker == 'b'   ? pick_bomb_sprite(-7, 33, code)
    : picker == 'i' ? pick_invader_sprite(-7, 33, code)
                    : pick_ship_sprite(-7, code);
    const DrawCommand& d = draw_queue[0];
    return {queue_count, intptr_t(d.pixels), d.x, d.y, d.w, d.h, d.gray};
}

// A kind-1 bomb looks the same in both frames: codes 2, 3 and 5 share the
// cross, drawn where it is given. Invader codes 6 and 9 are one 8-wide erase.
TEST(Pickers, UnknownCodesQueueNothingAndCodesSharingAPictureOneCommand) {
    for (int32_t code : {-1, -2147483647 - 1, 1000})
        EXPECT_EQ(pick('b', code)[0] + pick('i', code)[0] + pick('s', code)[0], 0) << code;
    EXPECT_EQ(pick('b', 6)[0] + pick('i', 11)[0] + pick('s', 5)[0], 0);
    const std::array<intptr_t, 7> cross{1, intptr_t(sprite_bomb_cross.pixels), -7, 33, 3, 8, 0};
    for (int32_t code : {2, 3, 5})
        EXPECT_EQ(pick('b', code), cross) << code;
    EXPECT_EQ(pick('i', 6), (std::array<intptr_t, 7>{1, 0, -7, 33, 8, 8, 0}));
    EXPECT_EQ(pick('i', 9), pick('i', 6));
}

} // namespace
