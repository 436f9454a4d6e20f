// Keyboard and pads become held-button masks and a quit request.
#include <gtest/gtest.h>

#include "frame/input.h"
#include "support/harness.h"

namespace {

void push_axis(int pad, int axis, int16_t value) {
    SDL_Event e{};
    e.jaxis = SDL_JoyAxisEvent{SDL_JOYAXISMOTION, Uint8(pad), Uint8(axis), value};
    SDL_PushEvent(&e);
}

// `down` picks the event type; `pressed` is the state it claims to carry.
void push_button(int pad, int button, bool down, bool pressed) {
    SDL_Event e{};
    e.jbutton = SDL_JoyButtonEvent{Uint8(down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP), Uint8(pad),
                                   Uint8(button), Uint8(pressed ? SDL_PRESSED : SDL_RELEASED)};
    SDL_PushEvent(&e);
}

void press(SDLKey key, bool down) {
    push_key(key, down);
    input_poll();
}

class Input : public ::testing::Test {
  protected:
    void SetUp() override {
        start_video();
        input_init();
    }
};

TEST_F(Input, KeysSetAndClearTheirBitsAndZAndSpaceShareFire) {
    struct Case {
        SDLKey sym;
        ButtonMask bit;
    } cases[] = {{SDLK_UP, 0x1},    {SDLK_DOWN, 0x2}, {SDLK_LEFT, 0x4},
                 {SDLK_RIGHT, 0x8}, {SDLK_z, 0x10},   {SDLK_x, 0x20},
                 {SDLK_c, 0x40},    {SDLK_v, 0x80},   {SDLK_SPACE, 0x10}};
    for (const Case& c : cases) {
        press(c.sym, true);
        EXPECT_EQ(player_mask, c.bit) << c.sym;
        press(c.sym, false);
        EXPECT_EQ(player_mask, 0u) << c.sym;
    }
    push_key(SDLK_a, true);
    push_key(SDLK_SPACE, true);
    push_key(SDLK_z, true);
    press(SDLK_z, false); // fire is let go although Space is still down
    EXPECT_EQ(pad_buttons[0], 0u);
}

// One poll takes every queued event; a quit it saw lasts until the next.
TEST_F(Input, EscapeQAndClosingTheWindowRequestAQuitForOnePoll) {
    push_key(SDLK_ESCAPE, true);
    press(SDLK_v, true);
    EXPECT_EQ(quit_requested, 1u);
    EXPECT_EQ(pad_buttons[0], BUTTON_V) << "Escape holds no bit";
    press(SDLK_ESCAPE, false);
    EXPECT_EQ(quit_requested, 0u) << "releasing does nothing";
    press(SDLK_q, true);
    EXPECT_EQ(quit_requested, 1u);
    SDL_Event close{};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    press(SDLK_x, true);
    EXPECT_EQ(quit_requested, 1u);
    EXPECT_EQ(player_mask, BUTTON_V | BUTTON_X);
}

TEST_F(Input, StickHasAStrictDeadZoneOf20000AndEachAxisOwnsTwoDirections) {
    struct Case {
        int axis;
        int16_t value;
        ButtonMask bits;
    } cases[] = {{0, -20000, 0},           {0, -20001, BUTTON_LEFT}, {0, 20000, 0},
                 {0, 20001, BUTTON_RIGHT}, {0, -32768, BUTTON_LEFT}, {1, -20000, 0},
                 {1, -20001, BUTTON_UP},   {1, 20001, BUTTON_DOWN},  {1, 20000, 0}};
    for (const Case& c : cases) {
        pad_axes[0] = 0;
        push_axis(0, c.axis, c.value);
        input_poll();
        EXPECT_EQ(pad_axes[0], c.bits) << c.axis << " " << c.value;
    }
    pad_axes[0] = BUTTON_UP | BUTTON_RIGHT;
    push_axis(0, 0, 0);
    push_axis(0, 2, 32767); // a third axis is no direction
    input_poll();
    EXPECT_EQ(pad_axes[0], BUTTON_UP);
}

TEST_F(Input, KeyboardAndPadZeroShareOneWordButNotTheStick) {
    push_button(0, 7, true, true); // pad left
    push_axis(0, 0, -30000);       // stick left
    push_button(1, 1, true, true); // pad 1's fire: the game never reads it
    push_key(SDLK_LEFT, true);
    press(SDLK_LEFT, false);
    EXPECT_EQ(pad_buttons[0], 0u);
    EXPECT_EQ(pad_axes[0], BUTTON_LEFT);
    EXPECT_EQ(player_mask, BUTTON_LEFT) << "the player sees pad 0's buttons OR its stick";
}

TEST_F(Input, PadButtonsMapByTheTableOnlyForTwoPadsAndMatchingStates) {
    const ButtonMask table[10] = {0x40, 0x10, 0x20, 0x80, 0x100, 0x200, 0x2, 0x4, 0x1, 0x8};
    for (int b = 0; b < 10; b++) {
        push_button(1, b, true, true);
        input_poll();
        EXPECT_EQ(pad_buttons[1], table[b]) << b;
        push_button(1, b, false, false);
        input_poll();
        EXPECT_EQ(pad_buttons[1], 0u) << b;
    }
    push_button(0, 10, true, true); // no such button
    push_button(2, 1, true, true);  // a third pad
    push_axis(2, 0, -30000);
    push_button(0, 1, true, false); // a down event claiming "released"
    input_poll();
    EXPECT_EQ(pad_buttons[0] | pad_buttons[1] | pad_axes[0] | pad_axes[1], 0u);
    push_button(0, 1, true, true);
    push_button(0, 1, false, true); // an up event claiming "pressed"
    input_poll();
    EXPECT_EQ(pad_buttons[0], BUTTON_FIRE);
}

// SDL's queue holds 128 events: mouse motion while nobody polls would fill
// it and lose a key release.
TEST_F(Input, EventsTheGameDoesNotReadAreKeptOutOfTheQueue) {
    for (int type = 0; type < SDL_NUMEVENTS; type++) {
        bool read = type == SDL_KEYDOWN || type == SDL_KEYUP || type == SDL_JOYAXISMOTION ||
                    type == SDL_JOYBUTTONDOWN || type == SDL_JOYBUTTONUP || type == SDL_QUIT;
        EXPECT_EQ(SDL_EventState(Uint8(type), SDL_QUERY), read ? SDL_ENABLE : SDL_IGNORE) << type;
    }
}

} // namespace
