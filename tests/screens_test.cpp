// The program frame: keyboard and pads becoming held-button masks and a quit
// request; the splash, title and game-over screens and the screen sequence
// between them, frame by frame with a fake clock.
#include <gtest/gtest.h>

#include "assets/font.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "frame/screen_sequence.h"
#include "screens/screens.h"
#include "support/harness.h"

namespace {

class Screens : public ::testing::Test {
  protected:
    void SetUp() override {
        start_video();
        input_init();
        fake_clock_reset(0);
    }
};

// A key, pad or other event: `a` is the key or the pad, `b` the axis or
// button, `c` the axis's value or the state a button event claims.
SDL_Event ev(Uint8 type, int a = 0, int b = 0, int c = SDL_PRESSED) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = SDLKey(a);
    if (type == SDL_JOYAXISMOTION)
        e.jaxis = SDL_JoyAxisEvent{type, Uint8(a), Uint8(b), Sint16(c)};
    if (type == SDL_JOYBUTTONDOWN || type == SDL_JOYBUTTONUP)
        e.jbutton = SDL_JoyButtonEvent{type, Uint8(a), Uint8(b), Uint8(c)};
    return e;
}

void push_and_poll(SDL_Event e) {
    SDL_PushEvent(&e);
    input_poll();
}

// Z and Space share fire: letting go of either clears it. A quit lasts
// one poll, and Escape holds no bit.
TEST_F(Screens, KeysHoldTheirBitsAndEscapeQAndCloseQuitForOnePoll) {
    headless_key(SDLK_SPACE, true);
    headless_key(SDLK_ESCAPE, true);
    push_and_poll(ev(SDL_KEYDOWN, SDLK_v));
    EXPECT_TRUE(quit_requested == 1 && player_mask == (BUTTON_FIRE | BUTTON_V));
    push_and_poll(ev(SDL_KEYUP, SDLK_z));
    EXPECT_TRUE(quit_requested == 0 && player_mask == BUTTON_V);
    push_and_poll(ev(SDL_KEYDOWN, SDLK_q));
    EXPECT_EQ(quit_requested, 1u);
    push_and_poll(ev(SDL_QUIT));
    EXPECT_EQ(quit_requested, 1u);
}

// Each case follows the last: an axis moved back clears only its own pair,
// a third axis is no direction. Bits: 1 up, 2 down, 4 left, 8 right. A
// button event whose state does not match its type does nothing.
TEST_F(Screens, StickHasAStrictDeadZoneAndButtonsCountOnlyWithMatchingStates) {
    const int cases[][3] = {{0, -20001, 4}, {0, -20000, 0}, {0, 20001, 8}, {0, 20000, 0},
                            {1, -20001, 1}, {1, -20000, 0}, {1, 20001, 2}, {0, -32768, 6},
                            {1, 20000, 4},  {2, 32767, 4}};
    for (const auto& c : cases) {
        push_and_poll(ev(SDL_JOYAXISMOTION, 0, c[0], c[1]));
        EXPECT_EQ(pad_axes[0], ButtonMask(c[2])) << c[0] << " " << c[1];
    }
    EXPECT_EQ(player_mask, BUTTON_LEFT) << "the stick reaches the player";
    push_and_poll(ev(SDL_JOYBUTTONDOWN, 0, 1, SDL_RELEASED));
    EXPECT_EQ(pad_buttons[0], 0u);
    push_and_poll(ev(SDL_JOYBUTTONDOWN, 0, 1));
    push_and_poll(ev(SDL_JOYBUTTONUP, 0, 1, SDL_PRESSED));
    EXPECT_EQ(pad_buttons[0], BUTTON_FIRE);
}

// Only what input_poll acts on may take one of the queue's 127 places.
TEST_F(Screens, OnlyEventsThatChangeTheInputGetIntoTheQueue) {
    const SDL_Event events[] = {// the first eight are kept
                                ev(SDL_KEYDOWN, SDLK_RIGHT),  ev(SDL_KEYUP, SDLK_v),
                                ev(SDL_KEYDOWN, SDLK_ESCAPE), ev(SDL_KEYDOWN, SDLK_q),
                                ev(SDL_JOYAXISMOTION, 1, 1),  ev(SDL_JOYBUTTONDOWN, 0, 9),
                                ev(SDL_JOYBUTTONUP, 1, 0),    ev(SDL_QUIT),
                                ev(SDL_KEYUP, SDLK_ESCAPE),   ev(SDL_KEYDOWN, SDLK_a),
                                ev(SDL_JOYAXISMOTION, 0, 2),  ev(SDL_JOYAXISMOTION, 2, 0),
                                ev(SDL_JOYBUTTONUP, 0, 10),   ev(SDL_JOYBUTTONDOWN, 2, 1),
                                ev(SDL_MOUSEMOTION)};
    for (int i = 0; i < 15; i++)
        EXPECT_EQ(input_event_filter(&events[i]), i < 8) << i;
    EXPECT_EQ(SDL_GetEventFilter(), input_event_filter) << "installed when the window opened";
    // Filtering what waits already drops the unread and keeps the rest in order.
    SDL_Event waiting[] = {events[9], events[7], events[14], events[0]};
    for (SDL_Event& e : waiting)
        SDL_PushEvent(&e);
    input_filter_events();
    SDL_Event e;
    EXPECT_TRUE(SDL_PollEvent(&e) && e.type == SDL_QUIT && SDL_PollEvent(&e) &&
                e.key.keysym.sym == SDLK_RIGHT && !SDL_PollEvent(&e));
}

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

bool shows_prompt(bool shown) {
    return shows_text(906, 550, shown ? "PUSH BUTTON" : "           ");
}

// The title polls first in its 31st frame; from then on the prompt blinks
// two frames on, two off, and frame 120 ends the title.
TEST_F(Screens, FireHeldFromTheStartEndsTheTitle89FramesAfterFrame31) {
    screen_state = 3;
    screen_sequence_pass();
    int frame = 0;
    while (screen_state == 4 && ++frame <= 500) {
        screen_sequence_pass();
        EXPECT_EQ(start_countdown, frame <= 30 ? 0 : 120 - frame) << frame;
        pad_buttons[0] = frame < 31 ? BUTTON_FIRE : 0; // letting go now changes nothing
        queue_drain();
        EXPECT_TRUE(frame <= 32 || shows_prompt((frame - 33) % 4 < 2)) << frame;
    }
    EXPECT_EQ(frame, 120);
}

// Unpressed, the prompt blinks 30 frames on, 30 off. A title left up for a
// year and more keeps the rhythm of the count taken without bounds, and
// fire is still heard.
TEST_F(Screens, TitleBlinksAndListensOnFromAnyFrameCountUpTo2To31) {
    for (int64_t start : {int64_t(0), int64_t(2099999939), int64_t(INT32_MAX)}) {
        title_show();
        frame_timer = int32_t(start);
        for (int frame = 1; frame <= 180; frame++) {
            ASSERT_EQ(title_update(), 1);
            queue_drain();
            int64_t t = start + frame;
            ASSERT_TRUE((start && t % 30) || shows_prompt(t >= 60 && t / 30 % 2 == 0))
                << start << " + " << frame;
        }
        pad_buttons[0] = BUTTON_FIRE;
        int frames = 1;
        while (title_update() == 1 && frames < 500)
            frames++;
        pad_buttons[0] = 0;
        EXPECT_EQ(frames, 90) << "fire seen, then 89 frames, from " << start;
    }
}

// Each wait runs its frames, one window update a pass; neither polls in its
// first 61 passes, so a key waiting in SDL's queue and a stale mask are both
// left alone until the 62nd.
TEST_F(Screens, SplashAndGameOverWaitsRunTheirFramesAndListenFromThe62ndPass) {
    const int32_t waits[][4] = {{1, 2, 180, 3}, {7, 8, 300, 1}};
    for (const auto& w : waits)
        for (int listen : {0, 1}) {
            screen_state = w[0];
            screen_sequence_pass();
            int updates = update_rect_calls;
            if (listen)
                headless_key(SDLK_z, true);
            player_mask = listen ? BUTTON_FIRE : 0;
            int passes = 0;
            for (; screen_state == w[1] && passes < 1000; passes++)
                screen_sequence_pass();
            EXPECT_EQ(passes, listen ? 62 : w[2]);
            EXPECT_EQ(update_rect_calls - updates, listen ? 62 : w[2]);
            EXPECT_EQ(screen_state, w[3]);
            pad_buttons[0] = 0;
        }
}

TEST_F(Screens, GameOverShowsScoreAndHiScoreWhereThePanelHasThem) {
    game_over_show(1234, 98760);
    EXPECT_TRUE(shows_text(1704, 116, "GAME OVER"));
    EXPECT_TRUE(shows_text(1836, 40, "001234") && shows_text(1836, 64, "098760"));
}

} // namespace
