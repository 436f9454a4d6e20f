// Keyboard and pads become held-button masks and a quit request.
#include <gtest/gtest.h>

#include "frame/input.h"
#include "support/harness.h"

namespace {

SDL_Event key(SDLKey sym, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = sym;
    return e;
}

SDL_Event axis(int pad, int which_axis, int16_t value) {
    SDL_Event e{};
    e.type = SDL_JOYAXISMOTION;
    e.jaxis.which = Uint8(pad);
    e.jaxis.axis = Uint8(which_axis);
    e.jaxis.value = value;
    return e;
}

SDL_Event button(int pad, int b, bool down, bool state_down) {
    SDL_Event e{};
    e.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
    e.jbutton.which = Uint8(pad);
    e.jbutton.button = Uint8(b);
    e.jbutton.state = state_down ? SDL_PRESSED : SDL_RELEASED;
    return e;
}

class Input : public ::testing::Test {
  protected:
    void SetUp() override {
        start_video();
        input_init();
    }
    void poll(SDL_Event e) {
        SDL_PushEvent(&e);
        input_poll();
    }
};

TEST_F(Input, KeysSetAndClearTheirBits) {
    struct Case {
        SDLKey sym;
        ButtonMask bit;
    } cases[] = {{SDLK_UP, 0x1},    {SDLK_DOWN, 0x2}, {SDLK_LEFT, 0x4},
                 {SDLK_RIGHT, 0x8}, {SDLK_z, 0x10},   {SDLK_x, 0x20},
                 {SDLK_c, 0x40},    {SDLK_v, 0x80},   {SDLK_SPACE, 0x10}};
    for (const Case& c : cases) {
        poll(key(c.sym, true));
        EXPECT_EQ(player_mask, c.bit) << c.sym;
        poll(key(c.sym, false));
        EXPECT_EQ(player_mask, 0u) << c.sym;
    }
    poll(key(SDLK_a, true));
    EXPECT_EQ(pad_buttons[0], 0u);
    EXPECT_EQ(quit_requested, 0u);
}

TEST_F(Input, ZAndSpaceShareFireSoReleasingEitherClearsIt) {
    poll(key(SDLK_SPACE, true));
    poll(key(SDLK_z, true));
    poll(key(SDLK_z, false));
    EXPECT_EQ(player_mask & BUTTON_FIRE, 0u);
}

TEST_F(Input, EscapeQAndClosingTheWindowQuitForOnePollOnly) {
    for (SDLKey sym : {SDLK_ESCAPE, SDLK_q}) {
        poll(key(sym, true));
        EXPECT_EQ(quit_requested, 1u);
        EXPECT_EQ(pad_buttons[0], 0u);
        poll(key(sym, false));
        EXPECT_EQ(quit_requested, 0u) << "releasing does nothing and the next poll clears";
    }
    SDL_Event close{};
    close.type = SDL_QUIT;
    poll(close);
    EXPECT_EQ(quit_requested, 1u);
}

TEST_F(Input, AllQueuedEventsAreDrainedInOnePoll) {
    SDL_Event events[] = {key(SDLK_LEFT, true), key(SDLK_x, true), key(SDLK_ESCAPE, true),
                          key(SDLK_v, true)};
    for (SDL_Event& e : events)
        SDL_PushEvent(&e);
    input_poll();
    EXPECT_EQ(pad_buttons[0], BUTTON_LEFT | BUTTON_X | BUTTON_V);
    EXPECT_EQ(quit_requested, 1u);
    SDL_Event left;
    EXPECT_EQ(SDL_PollEvent(&left), 0);
}

TEST_F(Input, StickHasAStrictDeadZoneOf20000) {
    struct Case {
        int axis;
        int16_t value;
        ButtonMask bits;
    } cases[] = {{0, -20000, 0},
                 {0, -20001, BUTTON_LEFT},
                 {0, 20000, 0},
                 {0, 20001, BUTTON_RIGHT},
                 {0, -32768, BUTTON_LEFT},
                 {1, -20001, BUTTON_UP},
                 {1, 20001, BUTTON_DOWN},
                 {1, 20000, 0},
                 {0, 0, 0}};
    for (const Case& c : cases) {
        pad_axes[0] = 0;
        on_joy_axis(&(const SDL_Event&)axis(0, c.axis, c.value));
        EXPECT_EQ(pad_axes[0], c.bits) << c.axis << " " << c.value;
    }
    // an axis move clears only its own two directions
    pad_axes[0] = BUTTON_UP | BUTTON_RIGHT;
    SDL_Event centre = axis(0, 0, 0);
    on_joy_axis(&centre);
    EXPECT_EQ(pad_axes[0], BUTTON_UP);
    SDL_Event third = axis(0, 2, 32767);
    on_joy_axis(&third);
    EXPECT_EQ(pad_axes[0], BUTTON_UP);
}

TEST_F(Input, PadButtonsMapByTheTable) {
    const ButtonMask table[10] = {0x40, 0x10, 0x20, 0x80, 0x100, 0x200, 0x2, 0x4, 0x1, 0x8};
    for (int b = 0; b < 10; b++) {
        poll(button(1, b, true, true));
        EXPECT_EQ(pad_buttons[1], table[b]) << b;
        poll(button(1, b, false, false));
        EXPECT_EQ(pad_buttons[1], 0u) << b;
    }
    poll(button(0, 10, true, true));
    EXPECT_EQ(pad_buttons[0], 0u);
    EXPECT_EQ(player_mask, 0u) << "pad 1 does not reach the player";
}

TEST_F(Input, KeyboardAndPadZeroShareOneWordButNotTheStick) {
    poll(button(0, 7, true, true)); // pad left
    poll(axis(0, 0, -30000));       // stick left
    poll(key(SDLK_LEFT, true));
    poll(key(SDLK_LEFT, false));
    EXPECT_EQ(pad_buttons[0] & BUTTON_LEFT, 0u);
    EXPECT_EQ(pad_axes[0], BUTTON_LEFT);
    EXPECT_EQ(player_mask, BUTTON_LEFT) << "the player sees buttons OR stick";
}

TEST_F(Input, ForeignPadsAndMismatchedStatesChangeNothing) {
    poll(button(2, 1, true, true));
    poll(axis(2, 0, -30000));
    poll(axis(3, 1, 30000));
    poll(button(0, 1, true, false)); // down event carrying "released"
    EXPECT_EQ(pad_buttons[0] | pad_buttons[1] | pad_axes[0] | pad_axes[1], 0u);
    poll(button(0, 1, true, true));
    poll(button(0, 1, false, true)); // up event carrying "pressed"
    EXPECT_EQ(pad_buttons[0], BUTTON_FIRE);
}

TEST_F(Input, EventsTheGameDoesNotReadAreKeptOutOfTheQueue) {
    for (Uint8 type : {Uint8(SDL_MOUSEMOTION), Uint8(SDL_MOUSEBUTTONDOWN), Uint8(SDL_MOUSEBUTTONUP),
                       Uint8(SDL_ACTIVEEVENT), Uint8(SDL_JOYBALLMOTION), Uint8(SDL_JOYHATMOTION),
                       Uint8(SDL_VIDEOEXPOSE), Uint8(SDL_VIDEORESIZE), Uint8(SDL_SYSWMEVENT),
                       Uint8(SDL_USEREVENT), Uint8(SDL_NUMEVENTS - 1)})
        EXPECT_EQ(SDL_EventState(type, SDL_QUERY), SDL_IGNORE) << int(type);
    for (Uint8 type : {Uint8(SDL_KEYDOWN), Uint8(SDL_KEYUP), Uint8(SDL_JOYAXISMOTION),
                       Uint8(SDL_JOYBUTTONDOWN), Uint8(SDL_JOYBUTTONUP), Uint8(SDL_QUIT)})
        EXPECT_EQ(SDL_EventState(type, SDL_QUERY), SDL_ENABLE) << int(type);
}

TEST_F(Input, NoPadsIsTheNormalCase) {
    EXPECT_EQ(SDL_NumJoysticks(), 0);
    EXPECT_EQ(pad_handles[0], nullptr);
    EXPECT_EQ(pad_handles[1], nullptr);
}

} // namespace
