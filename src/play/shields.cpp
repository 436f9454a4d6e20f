#include "play/shields.h"
ShieldBlock shield_blocks[SHIELD_BLOCKS];
void shields_build() {}
int shields_hit_test(int32_t, int32_t) { return 0; }
void shield_block_destroy(int32_t) {}
