#include "play/formation.h"
Invader formation[FORMATION_SLOTS];
int32_t march_cursor;
uint32_t march_direction;
uint32_t sweep_count;
uint32_t sweep_started;
int32_t steps_since_note;
uint32_t march_note_index;
uint32_t exploding_invader;
int32_t explosion_steps;
int32_t bomb_seed;
void formation_reset() {}
int formation_step() { return 0; }
int formation_count() { return 1; }
int formation_hit_test(int32_t, int32_t) { return 0; }
void formation_check_turn() {}
void march_sound_tick() {}
