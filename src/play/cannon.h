// The player's cannon and its one shot.
#pragma once

#include <cstdint>

struct PlayerShot {
    int16_t x;      // centre column
    int16_t y;      // top row
    uint8_t active; // 1 while it flies
};

constexpr int32_t CANNON_START_X = 10;
constexpr int16_t CANNON_Y = 955;
constexpr int16_t CANNON_WIDTH = 13;
constexpr int32_t CANNON_MIN_X = 1;
constexpr int32_t CANNON_MAX_X = 1806;
constexpr int16_t SHOT_LAUNCH_Y = 947;
constexpr int16_t SHOT_SPEED = 4;
constexpr int32_t CANNON_DEATH_FRAMES = 90;
constexpr int32_t CANNON_ENTRY_FRAMES = 60;
constexpr int32_t SHOT_COOLDOWN_FRAMES = 20;
constexpr int SHOT_IN_FLIGHT = 2; // player_fire's refusal: one shot at a time

extern int32_t cannon_x;
extern int32_t cannon_explosion_timer;
extern int32_t cannon_appear_timer;
extern int32_t fire_held;
extern PlayerShot player_shot;
extern int32_t shot_cooldown;
extern int32_t shots_fired;

// A new game: the cannon blinks in at the left edge, no shot in the air.
void cannon_reset();
int player_update(); // 1 in the frame a death animation ends
int player_fire(int16_t x);
// 1 when the point reaches a ready cannon, which is then destroyed.
int cannon_hit_test(int32_t x, int32_t y);
void cannon_destroy();
int shots_update(); // points scored in this frame
