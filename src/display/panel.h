// The side panel of the game screen: ground line, separator, labels, score,
// hi-score and the reserve of cannons.
#pragma once

#include <cstdint>

constexpr int16_t PANEL_SCORE_Y = 40;
constexpr int16_t PANEL_HI_SCORE_Y = 64;

void panel_setup();
void panel_draw_number(int32_t value, int16_t y);
void panel_draw_lives(int32_t n);
