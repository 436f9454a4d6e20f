// Input: the keyboard and up to two game pads become held-button masks and
// a quit request.
#pragma once

#include <SDL.h>
#include <cstdint>

using ButtonMask = uint32_t;

constexpr ButtonMask BUTTON_UP = 0x1;
constexpr ButtonMask BUTTON_DOWN = 0x2;
constexpr ButtonMask BUTTON_LEFT = 0x4;
constexpr ButtonMask BUTTON_RIGHT = 0x8;
constexpr ButtonMask BUTTON_FIRE = 0x10;
constexpr ButtonMask BUTTON_X = 0x20;
constexpr ButtonMask BUTTON_C = 0x40;
constexpr ButtonMask BUTTON_V = 0x80;
constexpr ButtonMask BUTTON_PAD4 = 0x100;
constexpr ButtonMask BUTTON_PAD5 = 0x200;

constexpr int PADS = 2;
constexpr int16_t AXIS_DEAD_ZONE = 20000;

extern ButtonMask pad_buttons[PADS]; // [0]: keyboard and pad 0; [1]: pad 1
extern ButtonMask pad_axes[PADS];    // direction bits from each pad's stick
extern SDL_Joystick* pad_handles[PADS];
extern uint32_t quit_requested;
// What the game reads: pad_buttons[0] | pad_axes[0], as of the last poll.
extern ButtonMask player_mask;

void input_init();
// Keeps every event that input_poll would not act on out of SDL's queue
// from now on, and drops such events already waiting there. SDL_Init
// removes the filter: this goes after it, before the window opens.
void input_filter_events();
int input_event_filter(const SDL_Event* event);
void input_poll();
void on_key_down(const SDL_Event* event);
void on_key_up(const SDL_Event* event);
void on_joy_axis(const SDL_Event* event);
void on_joy_button_down(const SDL_Event* event);
void on_joy_button_up(const SDL_Event* event);
