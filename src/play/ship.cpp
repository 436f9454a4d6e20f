#include "play/ship.h"

#include "display/pickers.h"
#include "play/cannon.h"
#include "sound/mixer.h"

// Parked off the left edge until the first crossing.
int32_t ship_x = SHIP_PARKED_X;
int32_t ship_y = SHIP_ROW;
int32_t ship_countdown = 0;
int32_t ship_steps = 0;
int32_t ship_explosion_timer = 0;
int32_t ship_leftward = 0;
const int32_t ship_values[SHIP_VALUE_COUNT] = {50, 100, 50, 100, 200, 300};

constexpr int32_t SHIP_START_LEFT_X = 8;
constexpr int32_t SHIP_START_RIGHT_X = 1812;
constexpr int32_t SHIP_HIT_TOP = 16;
constexpr int32_t SHIP_HIT_BOTTOM = 23;
constexpr int32_t SHIP_HALF_WIDTH = 8;
constexpr int32_t SHIP_SOUND_EVERY = 25;
constexpr int32_t SHIP_FRAME_BIT = 4; // the picture changes every four steps
constexpr int32_t WAIT_PER_POINT = 5; // frames before the next crossing

// ---- set-up ----

// A ship still flying from the last game flies on; only its explosion and
// its countdown start afresh.
void ship_reset() {
    ship_explosion_timer = 0;
    ship_countdown = SHIP_FIRST_COUNTDOWN;
}

// ---- per frame ----

// The more a hit would be worth now, the longer the wait.
static void ship_park() {
    ship_countdown = WAIT_PER_POINT * ship_value();
    ship_x = SHIP_PARKED_X;
}

void ship_update() {
    // the wreck stands still for its 90 frames, then goes away
    if (ship_explosion_timer > 0) {
        ship_explosion_timer -= 1;
        if (ship_explosion_timer > 0)
            return;
        pick_ship_sprite(int16_t(ship_x - EXPLOSION_HALF_WIDTH), SHIP_EXPLOSION_ERASE);
        ship_steps = 0;
        ship_park();
        return;
    }

    if (ship_countdown > 0) {
        ship_countdown -= 1;
        if (ship_countdown == 0) {
            // an odd number of shots fired sends it in from the right
            ship_steps = SHIP_CROSSING_STEPS;
            ship_leftward = shots_fired & 1;
            ship_y = SHIP_ROW;
            ship_x = ship_leftward ? SHIP_START_RIGHT_X : SHIP_START_LEFT_X;
        }
    }
    if (ship_steps <= 0)
        return;

    if (ship_steps % SHIP_SOUND_EVERY == 0)
        play_sound(VOICE_SHIP, SND_SHIP_FLYING);
    pick_ship_sprite(int16_t(ship_x - SHIP_HALF_WIDTH), SHIP_ERASE);
    ship_x += ship_leftward ? -1 : 1;
    ship_steps -= 1;
    // the last step only erases: a finished crossing leaves nothing behind
    if (ship_steps == 0) {
        ship_park();
        return;
    }
    pick_ship_sprite(int16_t(ship_x - SHIP_HALF_WIDTH),
                     (ship_steps & SHIP_FRAME_BIT) ? SHIP_B : SHIP_A);
}

int ship_hit_test(int32_t x, int32_t y) {
    if (ship_explosion_timer > 0)
        return 0;
    if (y < SHIP_HIT_TOP || y > SHIP_HIT_BOTTOM)
        return 0;
    if (x < ship_x - SHIP_HALF_WIDTH || x >= ship_x + SHIP_HALF_WIDTH)
        return 0;
    ship_explosion_timer = SHIP_EXPLOSION_FRAMES;
    pick_ship_sprite(int16_t(ship_x - SHIP_HALF_WIDTH), SHIP_ERASE);
    pick_ship_sprite(int16_t(ship_x - EXPLOSION_HALF_WIDTH), SHIP_EXPLOSION);
    return 1;
}

// Read afresh at every use: a shot fired meanwhile changes it.
int32_t ship_value() {
    return ship_values[uint32_t(shots_fired) % SHIP_VALUE_COUNT];
}
