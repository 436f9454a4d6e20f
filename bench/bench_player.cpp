// The scripted player at the keyboard, and a frame of play timed with its
// heap allocations counted.
#include "bench_player.h"

#include <SDL.h>

#include <cstdlib>

#include "bench_clock.h"
#include "frame/input.h"
#include "heap_count.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/game.h"
#include "tools/headless.h"

// ---- the scripted player ----

static ButtonMask held;
static bool heading_left;
static int script_frames;

// Only a change of the key's state becomes an event.
static void hold_key(SDLKey key, ButtonMask bit, bool down) {
    if (((held & bit) != 0) == down)
        return;
    if (headless_key(key, down) == 0)
        held = down ? held | bit : held & ~bit;
}

void script_input() {
    script_frames++;
    // a dying cannon polls nothing: keep SDL's event queue short meanwhile
    if (cannon_explosion_timer > 0)
        return;
    if (cannon_x <= CANNON_MIN_X)
        heading_left = false;
    if (cannon_x >= CANNON_MAX_X)
        heading_left = true;
    int32_t centre = cannon_x + CANNON_WIDTH / 2;
    for (const Bomb& bomb : bombs) {
        if (bomb.kind != 0 && bomb.y > 860 && std::abs(bomb.x - centre) < 16 &&
            cannon_x > CANNON_MIN_X + 16 && cannon_x < CANNON_MAX_X - 16)
            heading_left = bomb.x > centre;
    }
    ButtonMask want =
        (heading_left ? BUTTON_LEFT : BUTTON_RIGHT) | ((script_frames & 1) ? BUTTON_FIRE : 0);
    hold_key(SDLK_LEFT, BUTTON_LEFT, want & BUTTON_LEFT);
    hold_key(SDLK_RIGHT, BUTTON_RIGHT, want & BUTTON_RIGHT);
    hold_key(SDLK_z, BUTTON_FIRE, want & BUTTON_FIRE);
}

// ---- timed play ----

int64_t play_start;

void play_begin() {
    play_start = now_ns();
    heap_counting = 1;
}

float play_end() {
    heap_counting = 0;
    return elapsed_us(play_start);
}

int timed_frame(float* us) {
    script_input();
    play_begin();
    int going = game_frame();
    *us = play_end();
    return going;
}
