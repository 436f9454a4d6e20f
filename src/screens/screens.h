// The splash, title and game-over screens.
#pragma once

#include <cstdint>

extern int32_t frame_timer;
extern int32_t start_countdown;

int splash_show();
int title_show();
int title_update();
int game_over_show(int32_t score, int32_t hi_score);
