// The program frame: keyboard and pads becoming held-button masks and a quit
// request; the splash, title and game-over screens and the screen sequence
// between them, frame by frame with a fake clock.
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
        quit_requested = 0; // as a program starts, whatever an earlier test asked
        fake_clock_reset(0);
    }
};
class Input : public Screens {};

void push_axis(int pad, int axis, int value) {
    SDL_Event e{};
    e.jaxis = SDL_JoyAxisEvent{SDL_JOYAXISMOTION, Uint8(pad), Uint8(axis), Sint16(value)};
    SDL_PushEvent(&e);
}

// `type` is the button event's own; `state` is what it claims to carry.
void push_button(int pad, int button, Uint8 type, Uint8 state = SDL_PRESSED) {
    SDL_Event e{};
    e.jbutton = SDL_JoyButtonEvent{type, Uint8(pad), Uint8(button), state};
    SDL_PushEvent(&e);
}

void press(SDLKey key, bool down) {
    headless_key(key, down);
    input_poll();
}

TEST_F(Input, KeysSetAndClearTheirBitsAndZAndSpaceShareFire) {
    const SDLKey keys[] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z,
                           SDLK_x,  SDLK_c,    SDLK_v,    SDLK_SPACE};
    for (int k = 0; k < 9; k++) {
        press(keys[k], true);
        EXPECT_EQ(player_mask, k < 8 ? 1u << k : BUTTON_FIRE) << keys[k];
        press(keys[k], false);
        EXPECT_EQ(player_mask, 0u) << keys[k];
    }
    headless_key(SDLK_a, true);
    headless_key(SDLK_SPACE, true);
    headless_key(SDLK_z, true);
    press(SDLK_z, false); // fire is let go although Space is still down
    EXPECT_EQ(pad_buttons[0], 0u);
}

// One poll takes every queued event; a quit it saw lasts until the next.
TEST_F(Input, EscapeQAndClosingTheWindowRequestAQuitForOnePoll) {
    headless_key(SDLK_ESCAPE, true);
    press(SDLK_v, true);
    EXPECT_TRUE(quit_requested == 1 && pad_buttons[0] == BUTTON_V) << "Escape holds no bit";
    press(SDLK_ESCAPE, false);
    EXPECT_EQ(quit_requested, 0u) << "releasing does nothing";
    press(SDLK_q, true);
    EXPECT_EQ(quit_requested, 1u);
    SDL_Event close{};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    input_poll();
    EXPECT_EQ(quit_requested, 1u);
}

// Each case follows the last: an axis moved back clears only its own pair,
// and a third axis is no direction. Bits: 1 up, 2 down, 4 left, 8 right.
TEST_F(Input, StickHasAStrictDeadZoneOf20000AndEachAxisOwnsTwoDirections) {
    struct Case {
        int axis, value, bits;
    } cases[] = {{0, -20001, 4}, {0, -20000, 0}, {0, 20001, 8},  {0, 20000, 0},
                 {0, -32768, 4}, {1, -20001, 5}, {1, -20000, 4}, {1, 20001, 6},
                 {1, 20000, 4},  {1, -20001, 5}, {2, 32767, 5},  {0, 0, 1}};
    for (const Case& c : cases) {
        push_axis(0, c.axis, c.value);
        input_poll();
        EXPECT_EQ(pad_axes[0], ButtonMask(c.bits)) << c.axis << " " << c.value;
    }
}

// Pad 0's buttons share one word with the keyboard; its stick has its own.
// An event counts only if the state it carries matches its type.
TEST_F(Input, PadZeroButtonsAndStickReachThePlayerAndOnlyMatchingStatesCount) {
    push_button(0, 7, SDL_JOYBUTTONDOWN); // pad left
    push_axis(0, 0, -30000);              // stick left
    headless_key(SDLK_LEFT, true);
    press(SDLK_LEFT, false);
    EXPECT_EQ(pad_buttons[0], 0u);
    EXPECT_EQ(player_mask, BUTTON_LEFT) << "the player sees pad 0's buttons OR its stick";
    push_button(0, 1, SDL_JOYBUTTONDOWN, SDL_RELEASED);
    input_poll();
    EXPECT_EQ(pad_buttons[0], 0u);
    push_button(0, 1, SDL_JOYBUTTONDOWN);
    push_button(0, 1, SDL_JOYBUTTONUP); // an up event claiming "pressed"
    input_poll();
    EXPECT_EQ(pad_buttons[0], BUTTON_FIRE);
}

// Only what input_poll acts on may take one of the queue's 127 places: a
// flood of anything else while nobody polls must not crowd out a release.
TEST_F(Input, OnlyEventsThatChangeTheInputGetIntoTheQueue) {
    auto key = [](Uint8 type, SDLKey sym) {
        SDL_Event e{};
        e.key.type = type;
        e.key.keysym.sym = sym;
        return e;
    };
    auto pad = [](Uint8 type, int which, int part) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_JOYAXISMOTION)
            e.jaxis = SDL_JoyAxisEvent{type, Uint8(which), Uint8(part), 0};
        else
            e.jbutton = SDL_JoyButtonEvent{type, Uint8(which), Uint8(part), SDL_PRESSED};
        return e;
    };
    auto of_type = [](Uint8 type) {
        SDL_Event e{};
        e.type = type;
        return e;
    };
    struct Case {
        SDL_Event event;
        int kept;
        const char* what;
    } cases[] = {
        {key(SDL_KEYDOWN, SDLK_RIGHT), 1, "Right down"},
        {key(SDL_KEYUP, SDLK_RIGHT), 1, "Right up"},
        {key(SDL_KEYDOWN, SDLK_SPACE), 1, "Space down"},
        {key(SDL_KEYUP, SDLK_v), 1, "V up"},
        {key(SDL_KEYDOWN, SDLK_ESCAPE), 1, "Escape down"},
        {key(SDL_KEYDOWN, SDLK_q), 1, "q down"},
        {key(SDL_KEYUP, SDLK_ESCAPE), 0, "Escape up"},
        {key(SDL_KEYUP, SDLK_q), 0, "q up"},
        {key(SDL_KEYDOWN, SDLK_a), 0, "a down"},
        {key(SDL_KEYUP, SDLK_y), 0, "y up"},
        {key(SDL_KEYDOWN, SDLK_LSHIFT), 0, "Shift down"},
        {pad(SDL_JOYAXISMOTION, 1, 1), 1, "pad 1 axis 1"},
        {pad(SDL_JOYAXISMOTION, 0, 2), 0, "pad 0 axis 2"},
        {pad(SDL_JOYAXISMOTION, 2, 0), 0, "pad 2 axis 0"},
        {pad(SDL_JOYBUTTONDOWN, 0, 9), 1, "pad 0 button 9 down"},
        {pad(SDL_JOYBUTTONUP, 1, 0), 1, "pad 1 button 0 up"},
        {pad(SDL_JOYBUTTONDOWN, 0, 10), 0, "pad 0 button 10"},
        {pad(SDL_JOYBUTTONUP, 2, 1), 0, "pad 2 button 1"},
        {of_type(SDL_QUIT), 1, "close"},
        {of_type(SDL_MOUSEMOTION), 0, "mouse motion"},
        {of_type(SDL_MOUSEBUTTONDOWN), 0, "mouse button"},
        {of_type(SDL_ACTIVEEVENT), 0, "focus"},
        {of_type(SDL_JOYHATMOTION), 0, "hat"},
        {of_type(SDL_VIDEOEXPOSE), 0, "expose"},
        {of_type(SDL_USEREVENT), 0, "user event"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(input_event_filter(&c.event), c.kept) << c.what;
    EXPECT_EQ(SDL_GetEventFilter(), input_event_filter) << "installed when the window opened";

    // Filtering what waits already drops the unread and keeps the rest in order.
    SDL_Event waiting[] = {key(SDL_KEYDOWN, SDLK_a), of_type(SDL_QUIT), of_type(SDL_MOUSEMOTION),
                           key(SDL_KEYUP, SDLK_RIGHT)};
    for (SDL_Event& e : waiting)
        SDL_PushEvent(&e);
    input_filter_events();
    SDL_Event e;
    ASSERT_EQ(SDL_PollEvent(&e), 1);
    EXPECT_EQ(e.type, SDL_QUIT);
    ASSERT_EQ(SDL_PollEvent(&e), 1);
    EXPECT_TRUE(e.type == SDL_KEYUP && e.key.keysym.sym == SDLK_RIGHT);
    EXPECT_EQ(SDL_PollEvent(&e), 0);
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

int passes_in_state(int32_t state) {
    int passes = 0;
    for (; screen_state == state && passes < 100000; passes++)
        screen_sequence_pass();
    return passes;
}

TEST_F(Screens, TitlePromptBlinksThirtyOnThirtyOffWhileNobodyPressesFire) {
    title_show();
    for (int i = 0; i < 320 * 240; i++)
        ASSERT_EQ(pixel_gray(790 + i % 320, 330 + i / 320), title_picture.pixels[i]) << i;
    for (int frame = 1; frame <= 180; frame++) {
        ASSERT_EQ(title_update(), 1);
        queue_drain();
        EXPECT_TRUE(shows_prompt(frame >= 60 && frame / 30 % 2 == 0)) << frame;
    }
}

// The title polls first in its 31st frame; from then on the prompt blinks
// two frames on, two off, and frame 120 ends the title.
TEST_F(Screens, FireHeldFromTheStartEndsTheTitle89FramesAfterFrame31) {
    screen_state = 3;
    pad_buttons[0] = BUTTON_FIRE;
    screen_sequence_pass();
    int frame = 0;
    while (screen_state == 4 && ++frame <= 500) {
        screen_sequence_pass();
        EXPECT_EQ(start_countdown, frame <= 30 ? 0 : 120 - frame) << frame;
        if (frame == 31) {
            EXPECT_EQ(voices[2].remaining, played_length(SND_START));
            pad_buttons[0] = 0; // letting go changes nothing now
        }
        queue_drain();
        EXPECT_TRUE(frame <= 32 || shows_prompt((frame - 33) % 4 < 2)) << frame;
    }
    EXPECT_EQ(frame, 120);
    EXPECT_EQ(screen_state, 5);
}

// A title left up for a year and more: from any count the prompt keeps the
// rhythm of the count taken without bounds, and fire is still heard.
TEST_F(Screens, TitleBlinksAndListensOnFromAnyFrameCountUpTo2To31) {
    const int64_t starts[] = {59, 2099999939, INT32_MAX - 100, INT32_MAX};
    for (int64_t start : starts) {
        title_show();
        frame_timer = int32_t(start);
        for (int frame = 1; frame <= 240; frame++) {
            ASSERT_EQ(title_update(), 1);
            queue_drain();
            int64_t t = start + frame;
            if (t % 30 == 0) {
                ASSERT_TRUE(shows_prompt(t % 60 == 0)) << start << " + " << frame;
            }
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
    struct Wait {
        int32_t setup, wait, frames, next;
    } waits[] = {{1, 2, 180, 3}, {7, 8, 300, 1}};
    for (const Wait& w : waits) {
        screen_state = w.setup;
        screen_sequence_pass();
        int updates = update_rect_calls;
        EXPECT_EQ(passes_in_state(w.wait), w.frames);
        EXPECT_EQ(update_rect_calls - updates, w.frames);
        EXPECT_EQ(screen_state, w.next);
        screen_state = w.setup;
        screen_sequence_pass();
        headless_key(SDLK_z, true);
        player_mask = BUTTON_FIRE;
        EXPECT_EQ(passes_in_state(w.wait), 62);
        EXPECT_EQ(screen_state, w.next);
        pad_buttons[0] = 0;
    }
}

TEST_F(Screens, GameOverShowsBothNumbersWhereThePanelHasThemAndPlaysItsTuneAlone) {
    for (Voice& v : voices)
        v = Voice{nullptr, 500, 500};
    game_over_show(1234, 98760);
    EXPECT_EQ(presenter_enabled, 1u);
    EXPECT_EQ(voices[2].remaining, played_length(SND_GAME_OVER));
    EXPECT_EQ(voices[0].remaining | voices[1].remaining | voices[3].remaining, 0);
    struct Text {
        int x, y;
        const char* text;
    } texts[] = {{1704, 116, "GAME OVER"}, {1828, 32, "SCORE"},  {1836, 40, "001234"},
                 {1828, 56, "HISCORE"},    {1836, 64, "098760"}, {1828, 80, "    "}};
    for (const Text& t : texts)
        EXPECT_TRUE(shows_text(t.x, t.y, t.text)) << t.text;
    EXPECT_EQ(pixel_gray(1820, 500), 0) << "no panel lines on this screen";
}

// Escape goes in as the splash is set up; the pass that polls it is the
// last. q, 2000 frames on, stops a program that missed it.
int first_update; // the window update of video_init
void press_escape_at_start(int calls) {
    if (first_update == 0)
        first_update = calls;
    if (calls == first_update + 1 || calls == first_update + 2000)
        headless_key(calls == first_update + 1 ? SDLK_ESCAPE : SDLK_q, true);
}

TEST_F(Screens, EscapeDuringTheSplashEndsTheProgramAtTheFirstPollingPass) {
    first_update = 0;
    update_rect_hook = press_escape_at_start;
    EXPECT_EQ(SDL_main(0, nullptr), 0);
    update_rect_hook = nullptr;
    EXPECT_EQ(screen_state, 2);
    EXPECT_EQ(frame_timer, 180 - 62);
}

} // namespace
