// The program frame: keys and pads becoming held buttons and a quit request,
// and the splash, title and game-over screens in sequence on a fake clock.
#include <gtest/gtest.h>

#include "display/draw_queue.h"
#include "frame/input.h"
#include "frame/screen_sequence.h"
#include "play/cannon.h"
#include "play/game.h"
#include "screens/screens.h"
#include "sound/mixer.h"
#include "support/harness.h"

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
static SDL_Event ev(Uint8 type, int a = 0, int b = 0, int c = SDL_PRESSED) {
    SDL_Event e{type};
    if (type == SDL_KEYDOWN || type == SDL_KEYUP)
        e.key.keysym.sym = SDLKey(a);
    else if (type == SDL_JOYAXISMOTION)
        e.jaxis = SDL_JoyAxisEvent{type, Uint8(a), Uint8(b), Sint16(c)};
    else
        e.jbutton = SDL_JoyButtonEvent{type, Uint8(a), Uint8(b), Uint8(c)};
    return e;
}

static void push_and_poll(SDL_Event e) {
    SDL_PushEvent(&e);
    input_poll();
}

// Z and Space share fire: letting go of either clears it. Escape, Q and a
// closed window quit for one poll, and Escape holds no bit. The stick has a
// strict dead zone, an axis moved back clears only its own pair (1 up,
// 2 down, 4 left, 8 right) and a third axis is no direction; a pad button
// event whose state does not match its type does nothing.
TEST_F(Screens, KeysAndPadsHoldTheirBitsAndQuitsLastOnePoll) {
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
    const int cases[][3] = {{0, -20001, 4}, {0, -20000, 0}, {0, 20001, 8}, {0, 20000, 0},
                            {1, -20001, 1}, {1, -20000, 0}, {1, 20001, 2}, {0, -32768, 6},
                            {1, 20000, 4},  {2, 32767, 4}};
    for (const auto& c : cases) {
        push_and_poll(ev(SDL_JOYAXISMOTION, 0, c[0], c[1]));
        EXPECT_EQ(pad_axes[0], ButtonMask(c[2])) << c[0] << " " << c[1];
    }
    EXPECT_EQ(player_mask, BUTTON_LEFT | BUTTON_V) << "the stick reaches the player";
    push_and_poll(ev(SDL_JOYBUTTONDOWN, 0, 1, SDL_RELEASED));
    EXPECT_EQ(pad_buttons[0], BUTTON_V);
    push_and_poll(ev(SDL_JOYBUTTONDOWN, 0, 1));
    push_and_poll(ev(SDL_JOYBUTTONUP, 0, 1, SDL_PRESSED));
    EXPECT_EQ(pad_buttons[0], BUTTON_FIRE | BUTTON_V);
    push_and_poll(ev(SDL_JOYBUTTONUP, 0, 1, SDL_RELEASED));
    EXPECT_EQ(pad_buttons[0], BUTTON_V);
}

// Only what input_poll acts on may take one of the queue's 127 places, also
// of what waits in it when the window opens.
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
    SDL_EventFilter installed = SDL_GetEventFilter();
    ASSERT_NE(installed, nullptr) << "installed when the window opened";
    EXPECT_TRUE(installed(&events[0]) && !installed(&events[14])) << "the filter is the game's";
    SDL_Event waiting[] = {events[9], events[7], events[14], events[0]};
    for (SDL_Event& e : waiting)
        SDL_PushEvent(&e);
    input_filter_events();
    SDL_Event e;
    EXPECT_TRUE(SDL_PollEvent(&e) && e.type == SDL_QUIT && SDL_PollEvent(&e) &&
                e.key.keysym.sym == SDLK_RIGHT && !SDL_PollEvent(&e));
}

// The title polls first in its 31st frame, and blinks its prompt 30 frames
// on, 30 off, also when left up for a year and more (the count taken without
// bounds). Fire plays the start tune and, 89 frames after the frame that saw
// it, starts the game; meanwhile the prompt blinks 2 frames on, 2 off. The
// starts are such that fire is seen at the same point of the blink.
TEST_F(Screens, TitleListensFromFrame31BlinksAndStartsTheGame89FramesAfterFire) {
    auto shows_prompt = [](bool on) {
        return shows_text(906, 550, on ? "PUSH BUTTON" : "           ");
    };
    for (int64_t start : {int64_t(0), int64_t(2099999970), int64_t(INT32_MAX - 37)}) {
        screen_state = SCREEN_TITLE_SHOW;
        screen_sequence_pass();
        frame_timer += int32_t(start);
        voices[VOICE_MARCH] = Voice{};
        // A new title gets fire held from its first frame and let go after
        // the first poll; the others get it pressed after 180 frames, and held.
        const int fire = start ? 181 : 31;
        int frame = 0;
        while (screen_state == SCREEN_TITLE && ++frame < 500) {
            pad_buttons[0] = (start ? frame >= fire : frame <= fire) ? BUTTON_FIRE : 0;
            screen_sequence_pass();
            queue_drain();
            int64_t t = start + frame;
            ASSERT_TRUE(frame == fire + 1 ||
                        (frame > fire
                             ? shows_prompt((frame - fire - 2) % 4 < 2)
                             : (start && frame < 30) || shows_prompt(t >= 60 && t / 30 % 2 == 0)))
                << start << " + " << frame;
        }
        EXPECT_TRUE(frame == fire + 89 && screen_state == SCREEN_GAME_START) << start;
        EXPECT_EQ(voices[VOICE_MARCH].length, played_length(SND_START));
    }
}

// Each wait, the splash from the program's first state on, runs its frames,
// one window update a pass; neither polls in its first 61 passes, so a key
// waiting in SDL's queue and a stale mask are both left alone until the 62nd.
TEST_F(Screens, SplashAndGameOverWaitsRunTheirFramesAndListenFromThe62ndPass) {
    const int32_t waits[][4] = {
        {SCREEN_CLEAR_HI_SCORE, SCREEN_SPLASH_WAIT, 180, SCREEN_TITLE_SHOW},
        {SCREEN_GAME_OVER_SHOW, SCREEN_GAME_OVER_WAIT, 300, SCREEN_SPLASH_SHOW}};
    for (const auto& w : waits)
        for (int listen : {0, 1}) {
            for (screen_state = w[0]; screen_state != w[1];)
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

// The last cannon's wreck burning out ends the game: the next pass shows
// the score and the best where the panel has them, on a screen black but for
// its words, to the game-over tune alone.
TEST_F(Screens, TheLastCannonLostLeadsToTheGameOverScreenAndItsTuneAlone) {
    hi_score = 98760;
    for (screen_state = SCREEN_GAME_START; screen_state != SCREEN_GAME;)
        screen_sequence_pass();
    score = 1234, lives = 0, cannon_explosion_timer = 1;
    screen_sequence_pass();
    for (Voice& v : voices)
        v.remaining = 1;
    screen_sequence_pass();
    EXPECT_EQ(screen_state, SCREEN_GAME_OVER_WAIT);
    EXPECT_TRUE(shows_text(1704, 116, "GAME OVER") && shows_text(1828, 32, "SCORE") &&
                shows_text(1828, 56, "HISCORE"));
    EXPECT_TRUE(shows_text(1836, 40, "001234") && shows_text(1836, 64, "098760"));
    EXPECT_TRUE(shows_picture(0, 0, 1700, 980, nullptr) &&
                shows_picture(1828, 860, 72, 16, nullptr));
    EXPECT_EQ(voices[VOICE_MARCH].remaining, played_length(SND_GAME_OVER));
    for (int voice : {VOICE_CANNON, VOICE_INVADERS, VOICE_SHIP})
        EXPECT_EQ(voices[voice].remaining, 0) << "voice " << voice;
}
