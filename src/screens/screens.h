// The splash, title and game-over screens.
#pragma once

#include <cstdint>

// How long the splash and the game-over screen stay, in frames.
constexpr int32_t SPLASH_FRAMES = 180;
constexpr int32_t GAME_OVER_FRAMES = 300;

extern int32_t frame_timer;
extern int32_t start_countdown;

int splash_show();
int title_show();
int title_update();
int game_over_show(int32_t score, int32_t hi_score);
