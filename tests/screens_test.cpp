// The splash, title and game-over screens and the screen sequence between
// them, frame by frame with a fake clock.
#include <gtest/gtest.h>

#include <cstring>

#include "assets/font.h"
#include "assets/pictures.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "frame/screen_sequence.h"
#include "play/game.h"
#include "screens/screens.h"
#include "sound/mixer.h"
#include "support/harness.h"

namespace {

class Screens : public ::testing::Test {
  protected:
    void SetUp() override {
        start_video();
        input_init();
        fake_clock_reset(0);
        quit_requested = 0;
    }
    // The text the queue holds right now, one character per glyph command.
    static std::string queued_text() {
        std::string text;
        for (int i = queue_read; i != queue_write; i = (i + 1) % DRAW_QUEUE_SLOTS) {
            const DrawCommand& c = draw_queue[i];
            char ch = '?';
            if (c.pixels == nullptr && c.w == 8 && c.h == 8)
                ch = ' ';
            for (int code = 33; code < 128; code++)
                if (c.pixels && c.pixels == glyph_table[code] && c.w == 8) {
                    ch = char(code);
                    break;
                }
            text += ch;
        }
        return text;
    }
};

TEST_F(Screens, SplashShowsItsPictureAtItsPlaceOnBlack) {
    splash_show();
    EXPECT_EQ(presenter_enabled, 1u);
    EXPECT_EQ(frame_timer, 180);
    int differing = 0;
    for (int y = 0; y < 58; y++)
        for (int x = 0; x < 162; x++)
            differing += pixel_gray(870 + x, 462 + y) != splash_picture.pixels[y * 162 + x];
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(pixel_word(869, 462), 0xFF000000u);
    EXPECT_EQ(pixel_word(1032, 519), 0xFF000000u);
}

TEST_F(Screens, TitlePromptBlinksThirtyOnThirtyOff) {
    title_show();
    EXPECT_EQ(pixel_gray(790 + 160, 330 + 120), title_picture.pixels[120 * 320 + 160]);
    for (int frame = 1; frame <= 180; frame++) {
        queue_drain();
        ASSERT_EQ(title_update(), 1);
        std::string text = queued_text();
        if (frame % 60 == 0)
            EXPECT_EQ(text, "PUSH BUTTON") << frame;
        else if (frame % 30 == 0)
            EXPECT_EQ(text, "           ") << frame;
        else
            EXPECT_EQ(text, "") << frame;
    }
    EXPECT_EQ(draw_queue[queue_read].x, 906);
    EXPECT_EQ(draw_queue[queue_read].y, 550);
}

TEST_F(Screens, TitleIgnoresFireFor30FramesThenEnds89FramesAfterIt) {
    title_show();
    pad_buttons[0] = BUTTON_FIRE; // held since the splash
    int frame = 0;
    while (title_update() == 1) {
        frame++;
        if (frame == 30) {
            EXPECT_EQ(start_countdown, 0) << "deaf for the first 30 frames";
        }
        if (frame == 31) {
            EXPECT_EQ(start_countdown, 89);
            EXPECT_EQ(voices[2].length, played_length(SND_START));
            pad_buttons[0] = 0; // letting go changes nothing now
        }
        ASSERT_LT(frame, 500);
    }
    EXPECT_EQ(frame + 1, 120) << "fire seen in frame 31 ends the title in frame 120";
}

TEST_F(Screens, DuringTheCountdownThePromptBlinksTwoOnTwoOff) {
    title_show();
    for (int i = 0; i < 40; i++)
        title_update();
    pad_buttons[0] = BUTTON_FIRE;
    title_update(); // frame 41 sees fire
    std::string expected[] = {"", "PUSH BUTTON", "", "           "};
    // t runs 45, 60, 75, 90, ...: a prompt or a blank every second frame
    for (int i = 0; i < 12; i++) {
        queue_drain();
        title_update();
        EXPECT_EQ(queued_text(), expected[i % 4]) << i << " frame_timer " << frame_timer;
    }
}

TEST_F(Screens, GameOverShowsBothNumbersAndPlaysItsTuneAlone) {
    for (int v = 0; v < 4; v++)
        voices[v] = Voice{nullptr, 500, 500};
    game_over_show(1234, 98760);
    EXPECT_EQ(frame_timer, 300);
    EXPECT_EQ(presenter_enabled, 1u);
    EXPECT_EQ(voices[0].remaining, 0);
    EXPECT_EQ(voices[1].remaining, 0);
    EXPECT_EQ(voices[3].remaining, 0);
    EXPECT_EQ(voices[2].remaining, played_length(SND_GAME_OVER));
    // the digits are drawn as the font's glyphs at their cells
    auto glyph_at = [](int x, int y, char c) {
        for (int r = 0; r < 8; r++)
            for (int k = 0; k < 8; k++)
                if (pixel_gray(x + k, y + r) != glyph_table[int(c)][r * 8 + k])
                    return false;
        return true;
    };
    const char* score_digits = "001234";
    const char* hi_digits = "098760";
    for (int k = 0; k < 6; k++) {
        EXPECT_TRUE(glyph_at(1836 + 8 * k, 40, score_digits[k])) << k;
        EXPECT_TRUE(glyph_at(1836 + 8 * k, 64, hi_digits[k])) << k;
    }
    EXPECT_TRUE(glyph_at(1704, 116, 'G'));
    EXPECT_TRUE(glyph_at(1768, 116, 'R'));
    EXPECT_TRUE(glyph_at(1828, 32, 'S'));
    EXPECT_TRUE(glyph_at(1876, 56, 'E'));
    EXPECT_EQ(pixel_gray(1820, 500), 0) << "no panel lines on this screen";
}

// ---- the screen sequence ----

int passes_in_state(int32_t state) {
    int passes = 0;
    while (screen_state == state && quit_requested == 0) {
        screen_sequence_pass();
        passes++;
        if (passes > 100000)
            break;
    }
    return passes;
}

TEST_F(Screens, SplashRuns180FramesAndListensOnlyFromThe62nd) {
    screen_state = 0;
    hi_score = 77;
    screen_sequence_pass();
    EXPECT_EQ(hi_score, 0);
    screen_sequence_pass();
    ASSERT_EQ(screen_state, 2);
    int updates = update_rect_calls;
    EXPECT_EQ(passes_in_state(2), 180);
    EXPECT_EQ(update_rect_calls - updates, 180) << "every pass of the wait is a frame";

    screen_state = 1;
    screen_sequence_pass();
    push_key(SDLK_z, true);
    for (int pass = 1; pass <= 61; pass++)
        screen_sequence_pass();
    EXPECT_EQ(pad_buttons[0], 0u) << "the first 61 passes do not poll";
    screen_sequence_pass();
    EXPECT_EQ(screen_state, 3) << "fire ends the wait in the 62nd pass";
}

TEST_F(Screens, GameOverWaitRuns300FramesAndListensFromThe62nd) {
    screen_state = 7;
    screen_sequence_pass();
    EXPECT_EQ(passes_in_state(8), 300);
    EXPECT_EQ(screen_state, 1) << "back to the splash, not to the hi-score reset";

    screen_state = 7;
    screen_sequence_pass();
    pad_buttons[0] = BUTTON_FIRE;
    player_mask = BUTTON_FIRE; // not polled yet: the wait must not look
    for (int pass = 1; pass <= 61; pass++)
        screen_sequence_pass();
    EXPECT_EQ(screen_state, 8);
    screen_sequence_pass();
    EXPECT_EQ(screen_state, 1);
}

// Escape goes in as the splash is set up (setting up the input discards
// whatever SDL has queued until then); a quit
// that never comes would be forced after 2000 frames.
void press_escape_at_start(int calls) {
    static int first = -1;
    if (first < 0)
        first = calls;
    if (calls == first + 1)
        push_key(SDLK_ESCAPE, true);
    if (calls == first + 2000) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
}

TEST_F(Screens, AQuitDuringTheSplashEndsTheProgramAtTheFirstPollingPass) {
    update_rect_hook = press_escape_at_start;
    EXPECT_EQ(SDL_main(0, nullptr), 0);
    update_rect_hook = nullptr;
    EXPECT_EQ(screen_state, 2);
    EXPECT_EQ(frame_timer, 180 - 62);
}

TEST_F(Screens, FireHeldFromTheStartReachesTheGameAfterSplashAndTitle) {
    screen_state = 0;
    screen_sequence_pass();
    screen_sequence_pass();
    pad_buttons[0] = BUTTON_FIRE;
    EXPECT_EQ(passes_in_state(2), 62);
    screen_sequence_pass(); // title set-up
    EXPECT_EQ(passes_in_state(4), 120);
    EXPECT_EQ(screen_state, 5);
    screen_sequence_pass();
    EXPECT_EQ(screen_state, 6);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(lives, 2);
}

} // namespace
