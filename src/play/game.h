// One game: score, best score, cannons in reserve and the order of a frame.
#pragma once

#include <cstdint>

extern int32_t score;
extern int32_t hi_score;
extern int32_t lives;

constexpr int32_t STARTING_LIVES = 2;
constexpr int32_t MARCH_STEPS_PER_FRAME = 50;

void game_start();
int game_frame(); // 1 while the game goes on, 0 when it is over
