// The formation: 40 rows x 100 columns of invaders, marching one invader per
// step. Only the bottom six rows can be hit, are counted and steer the turn.
#pragma once

#include <cstdint>

struct Invader {
    int16_t x;    // horizontal centre
    int16_t y;    // top edge
    uint8_t kind; // 0 dead, 1 to INVADER_KINDS live
};

constexpr int INVADER_KINDS = 3;
constexpr int FORMATION_ROWS = 40;
constexpr int FORMATION_COLUMNS = 100;
constexpr int FORMATION_SLOTS = FORMATION_ROWS * FORMATION_COLUMNS;
constexpr int FORMATION_SCAN_SLOTS = 600;
constexpr int16_t INVADER_HEIGHT = 8;
constexpr int16_t INVASION_Y = 948;
constexpr int32_t EXPLOSION_STEPS = 20;
constexpr int32_t MARCH_NOTE_MIN_STEPS = 25;

constexpr uint32_t MARCH_LEFT = 1;
constexpr uint32_t MARCH_DESCEND = 2;

extern Invader formation[FORMATION_SLOTS];
extern int32_t march_cursor; // -1: the march has stopped
extern uint32_t march_direction;
extern uint32_t sweep_count;
extern uint32_t sweep_started;
extern int32_t steps_since_note;
extern uint32_t march_note_index;
extern uint32_t exploding_invader;
extern int32_t explosion_steps;
extern int32_t bomb_seed;

void formation_reset();
// Moves one invader, and may drop a bomb and play a march note; 1 when the
// moved invader reached the invasion line.
int formation_step();
void formation_check_turn();
void march_sound_tick();
int formation_count();
// 0, or the hit invader's kind + 1; its explosion has begun.
int formation_hit_test(int32_t x, int32_t y);
// What a hit reported by formation_hit_test is worth.
int32_t invader_points(int hit_result);
