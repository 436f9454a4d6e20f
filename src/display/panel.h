// The side panel of the game screen: ground line, separator, labels, score,
// hi-score and the reserve of cannons.
#pragma once

#include <cstdint>

// The labels start at the panel's left edge, their numbers one cell in, on
// the row below; the game-over screen shows them in the same places.
constexpr int16_t PANEL_LABEL_X = 1828;
constexpr int16_t PANEL_NUMBER_X = 1836;
constexpr int16_t PANEL_SCORE_LABEL_Y = 32;
constexpr int16_t PANEL_SCORE_Y = 40;
constexpr int16_t PANEL_HI_SCORE_LABEL_Y = 56;
constexpr int16_t PANEL_HI_SCORE_Y = 64;

void panel_setup();
void panel_draw_labels(); // "SCORE" and "HISCORE"
void panel_draw_number(int32_t value, int16_t y);
void panel_draw_lives(int32_t n);
