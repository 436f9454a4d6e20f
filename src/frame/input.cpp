#include "frame/input.h"

#include "platform/platform.h"

ButtonMask pad_buttons[PADS];
ButtonMask pad_axes[PADS];
SDL_Joystick* pad_handles[PADS];
uint32_t quit_requested;
ButtonMask player_mask;

static SDL_Event input_event;

static ButtonMask key_bit(SDLKey key) {
    switch (key) {
    case SDLK_UP:
        return BUTTON_UP;
    case SDLK_DOWN:
        return BUTTON_DOWN;
    case SDLK_LEFT:
        return BUTTON_LEFT;
    case SDLK_RIGHT:
        return BUTTON_RIGHT;
    case SDLK_z:
    case SDLK_SPACE:
        return BUTTON_FIRE;
    case SDLK_x:
        return BUTTON_X;
    case SDLK_c:
        return BUTTON_C;
    case SDLK_v:
        return BUTTON_V;
    default:
        return 0;
    }
}

static bool is_quit_key(SDLKey key) {
    return key == SDLK_ESCAPE || key == SDLK_q;
}

// Pad buttons from this number on set no bit.
constexpr int PAD_BUTTONS = 10;
constexpr int STICK_AXES = 2;

static const ButtonMask pad_button_bits[PAD_BUTTONS] = {
    BUTTON_C,    BUTTON_FIRE, BUTTON_X,    BUTTON_V,  BUTTON_PAD4,
    BUTTON_PAD5, BUTTON_DOWN, BUTTON_LEFT, BUTTON_UP, BUTTON_RIGHT};

void input_init() {
    for (int i = 0; i < PADS; i++) {
        pad_handles[i] = nullptr;
        pad_buttons[i] = 0;
        pad_axes[i] = 0;
    }
    player_mask = 0;
    int pads = SDL_NumJoysticks();
    if (pads > PADS)
        pads = PADS;
    for (int i = 0; i < pads; i++)
        pad_handles[i] = SDL_JoystickOpen(i);
}

// SDL's queue holds 127 events and nobody polls in the splash's first
// second, the title's countdown or a cannon's death: mouse motion or keys
// the game ignores would fill it there and crowd out a key release or a
// close. Only what input_poll acts on is let in.
int input_event_filter(const SDL_Event* event) {
    switch (event->type) {
    case SDL_KEYDOWN:
        return key_bit(event->key.keysym.sym) != 0 || is_quit_key(event->key.keysym.sym);
    case SDL_KEYUP:
        return key_bit(event->key.keysym.sym) != 0;
    case SDL_JOYAXISMOTION:
        return event->jaxis.which < PADS && event->jaxis.axis < STICK_AXES;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        return event->jbutton.which < PADS && event->jbutton.button < PAD_BUTTONS;
    case SDL_QUIT:
        return 1;
    default:
        return 0;
    }
}

void input_filter_events() {
    platform_filter_events(input_event_filter);
}

void input_poll() {
    quit_requested = 0;
    while (SDL_PollEvent(&input_event)) {
        switch (input_event.type) {
        case SDL_KEYDOWN:
            on_key_down(&input_event);
            break;
        case SDL_KEYUP:
            on_key_up(&input_event);
            break;
        case SDL_JOYAXISMOTION:
            on_joy_axis(&input_event);
            break;
        case SDL_JOYBUTTONDOWN:
            on_joy_button_down(&input_event);
            break;
        case SDL_JOYBUTTONUP:
            on_joy_button_up(&input_event);
            break;
        case SDL_QUIT:
            quit_requested = 1;
            break;
        default:
            break;
        }
    }
    player_mask = pad_buttons[0] | pad_axes[0];
}

void on_key_down(const SDL_Event* event) {
    SDLKey key = event->key.keysym.sym;
    if (is_quit_key(key)) {
        quit_requested = 1;
        return;
    }
    pad_buttons[0] |= key_bit(key);
}

void on_key_up(const SDL_Event* event) {
    // Z and Space share the fire bit: letting go of either clears it.
    pad_buttons[0] &= ~key_bit(event->key.keysym.sym);
}

void on_joy_axis(const SDL_Event* event) {
    int pad = event->jaxis.which;
    if (pad >= PADS)
        return;
    // SDL 1.2 gives a signed 16-bit value; Emscripten's interface holds it
    // in an int
    int16_t value = int16_t(event->jaxis.value);
    if (event->jaxis.axis == 0) {
        pad_axes[pad] &= ~(BUTTON_LEFT | BUTTON_RIGHT);
        if (value < -AXIS_DEAD_ZONE)
            pad_axes[pad] |= BUTTON_LEFT;
        if (value > AXIS_DEAD_ZONE)
            pad_axes[pad] |= BUTTON_RIGHT;
    } else if (event->jaxis.axis == 1) {
        pad_axes[pad] &= ~(BUTTON_UP | BUTTON_DOWN);
        if (value < -AXIS_DEAD_ZONE)
            pad_axes[pad] |= BUTTON_UP;
        if (value > AXIS_DEAD_ZONE)
            pad_axes[pad] |= BUTTON_DOWN;
    }
}

void on_joy_button_down(const SDL_Event* event) {
    int pad = event->jbutton.which;
    if (pad >= PADS || event->jbutton.state != SDL_PRESSED || event->jbutton.button >= PAD_BUTTONS)
        return;
    pad_buttons[pad] |= pad_button_bits[event->jbutton.button];
}

void on_joy_button_up(const SDL_Event* event) {
    int pad = event->jbutton.which;
    if (pad >= PADS || event->jbutton.state != SDL_RELEASED || event->jbutton.button >= PAD_BUTTONS)
        return;
    pad_buttons[pad] &= ~pad_button_bits[event->jbutton.button];
}
