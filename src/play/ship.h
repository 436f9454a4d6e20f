// The mystery ship crossing the top of the play area.
#pragma once

#include <cstdint>

constexpr int32_t SHIP_PARKED_X = -32;
constexpr int32_t SHIP_ROW = 16;
constexpr int32_t SHIP_CROSSING_STEPS = 1804;
constexpr int32_t SHIP_EXPLOSION_FRAMES = 90;
constexpr int32_t SHIP_FIRST_COUNTDOWN = 240;
constexpr int SHIP_VALUE_COUNT = 6;

extern int32_t ship_x;
extern int32_t ship_y;
extern int32_t ship_countdown;
extern int32_t ship_steps;
extern int32_t ship_explosion_timer;
extern int32_t ship_leftward;
extern const int32_t ship_values[SHIP_VALUE_COUNT];

// A new game: the first crossing is SHIP_FIRST_COUNTDOWN frames away.
void ship_reset();
void ship_update();
int ship_hit_test(int32_t x, int32_t y);
// What a hit is worth now, by the shots fired so far.
int32_t ship_value();
