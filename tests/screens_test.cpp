// The splash, title and game-over screens and the screen sequence between
// them, frame by frame with a fake clock.
#include <gtest/gtest.h>

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
};

const char* const PROMPT = "PUSH BUTTON";
const char* const BLANK = "           ";

// Whether the window shows `text` at (x, y); a character without a glyph
// is a black cell.
bool shows_text(int x, int y, const char* text) {
    for (int k = 0; text[k]; k++) {
        const uint8_t* glyph = glyph_table[uint8_t(text[k])];
        for (int i = 0; i < 64; i++)
            if (pixel_gray(x + 8 * k + i % 8, y + i / 8) != (glyph ? glyph[i] : 0))
                return false;
    }
    return true;
}

int passes_in_state(int32_t state) {
    int passes = 0;
    while (screen_state == state && quit_requested == 0 && passes < 100000) {
        screen_sequence_pass();
        passes++;
    }
    return passes;
}

TEST_F(Screens, TitlePromptBlinksThirtyOnThirtyOffWhileNobodyPressesFire) {
    title_show();
    for (int i = 0; i < 320 * 240; i++)
        ASSERT_EQ(pixel_gray(790 + i % 320, 330 + i / 320), title_picture.pixels[i]) << i;
    for (int frame = 1; frame <= 180; frame++) {
        ASSERT_EQ(title_update(), 1);
        queue_drain();
        bool shown = frame >= 60 && frame / 30 % 2 == 0;
        EXPECT_TRUE(shows_text(906, 550, shown ? PROMPT : BLANK)) << frame;
    }
}

// The title polls first in its 31st frame; from then on the prompt blinks
// two frames on, two off, and frame 120 ends the title.
TEST_F(Screens, FireHeldFromTheStartEndsTheSplashOnPass62AndTheTitle89FramesAfterFrame31) {
    screen_state = 0;
    hi_score = 77;
    screen_sequence_pass();
    EXPECT_EQ(hi_score, 0);
    screen_sequence_pass();
    pad_buttons[0] = BUTTON_FIRE;
    EXPECT_EQ(passes_in_state(2), 62);
    screen_sequence_pass();
    int frame = 0;
    while (screen_state == 4 && frame < 500) {
        screen_sequence_pass();
        frame++;
        EXPECT_EQ(start_countdown, frame <= 30 ? 0 : 120 - frame) << frame;
        if (frame == 31) {
            EXPECT_EQ(voices[2].remaining, played_length(SND_START));
            pad_buttons[0] = 0; // letting go changes nothing now
        }
        queue_drain();
        EXPECT_TRUE(frame <= 32 || shows_text(906, 550, (frame - 33) % 4 < 2 ? PROMPT : BLANK))
            << frame;
    }
    EXPECT_EQ(frame, 120);
    EXPECT_EQ(screen_state, 5);
}

// Neither wait polls in its first 61 passes: a key waiting in SDL's queue
// and a stale mask are both left alone until the 62nd.
TEST_F(Screens, SplashAndGameOverWaitsRunTheirFramesAndListenFromThe62ndPass) {
    struct Wait {
        int32_t setup, wait, frames, next;
    } waits[] = {{1, 2, 180, 3}, {7, 8, 300, 1}};
    for (const Wait& w : waits) {
        screen_state = w.setup;
        screen_sequence_pass();
        int updates = update_rect_calls;
        EXPECT_EQ(passes_in_state(w.wait), w.frames);
        EXPECT_EQ(update_rect_calls - updates, w.frames) << "every pass of a wait is a frame";
        EXPECT_EQ(screen_state, w.next);

        screen_state = w.setup;
        screen_sequence_pass();
        push_key(SDLK_z, true);
        player_mask = BUTTON_FIRE;
        for (int pass = 1; pass <= 61; pass++)
            screen_sequence_pass();
        EXPECT_EQ(screen_state, w.wait);
        EXPECT_EQ(pad_buttons[0], 0u);
        screen_sequence_pass();
        EXPECT_EQ(screen_state, w.next) << "fire ends the wait in the 62nd pass";
        push_key(SDLK_z, false);
        input_poll();
    }
}

TEST_F(Screens, GameOverShowsBothNumbersWhereThePanelHasThemAndPlaysItsTuneAlone) {
    for (Voice& v : voices)
        v = Voice{nullptr, 500, 500};
    game_over_show(1234, 98760);
    EXPECT_EQ(frame_timer, 300);
    EXPECT_EQ(presenter_enabled, 1u);
    EXPECT_EQ(voices[2].remaining, played_length(SND_GAME_OVER));
    for (int v : {0, 1, 3})
        EXPECT_EQ(voices[v].remaining, 0) << v;
    struct Text {
        int x, y;
        const char* text;
    } texts[] = {{1704, 116, "GAME OVER"}, {1828, 32, "SCORE"},  {1836, 40, "001234"},
                 {1828, 56, "HISCORE"},    {1836, 64, "098760"}, {1828, 80, "    "}};
    for (const Text& t : texts)
        EXPECT_TRUE(shows_text(t.x, t.y, t.text)) << t.text;
    EXPECT_EQ(pixel_gray(1820, 500), 0) << "no panel lines on this screen";
}

// Escape goes in as the splash is set up; q, 2000 frames later, stops a
// program that missed it.
void press_escape_at_start(int calls) {
    static const int first = calls;
    if (calls == first + 1)
        push_key(SDLK_ESCAPE, true);
    if (calls == first + 2000)
        push_key(SDLK_q, true);
}

TEST_F(Screens, EscapeDuringTheSplashEndsTheProgramAtTheFirstPollingPass) {
    update_rect_hook = press_escape_at_start;
    EXPECT_EQ(SDL_main(0, nullptr), 0);
    update_rect_hook = nullptr;
    EXPECT_EQ(screen_state, 2);
    EXPECT_EQ(frame_timer, 180 - 62);
}

} // namespace
