#include "play/ship.h"
int32_t ship_x = SHIP_PARKED_X;
int32_t ship_y = SHIP_ROW;
int32_t ship_countdown;
int32_t ship_steps;
int32_t ship_explosion_timer;
int32_t ship_leftward;
const int32_t ship_values[6] = {50, 100, 50, 100, 200, 300};
void ship_update() {}
int ship_hit_test(int32_t, int32_t) { return 0; }
