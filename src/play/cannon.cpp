#include "play/cannon.h"
int32_t cannon_x;
int32_t cannon_explosion_timer;
int32_t cannon_appear_timer;
int32_t fire_held;
PlayerShot player_shot;
int32_t shot_cooldown;
int32_t shots_fired;
int player_update() { return 0; }
int player_fire(int16_t) { return 0; }
int shots_update() { return 0; }
