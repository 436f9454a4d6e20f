#include "play/bombs.h"
Bomb bombs[BOMB_SLOTS];
int32_t bomb_alternator;
int32_t bomb_step_count;
void bomb_try_drop() {}
void bomb_step() {}
