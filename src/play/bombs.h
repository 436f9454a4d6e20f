// Invader bombs: dropped from the lowest invader of a column, falling 3 px
// per frame onto the shields, the cannon or the ground.
#pragma once

#include <cstdint>

struct Bomb {
    int16_t x;    // centre column
    int16_t y;    // top row
    uint8_t kind; // 0 free, else a BombKind
    uint8_t anim; // frames since the drop, modulo 256
};

// The kinds take turns; a cross looks the same in both frames of its fall.
enum BombKind : uint8_t {
    BOMB_CROSS = 1,
    BOMB_ZIGZAG = 2,
};

constexpr int BOMB_SLOTS = 128;
constexpr int16_t BOMB_SPEED = 3;
constexpr int16_t BOMB_GROUND_Y = 955;

extern Bomb bombs[BOMB_SLOTS];
extern int32_t bomb_alternator;
extern int32_t bomb_step_count;

// A new game: no bomb falls, the next one is of kind 1.
void bombs_reset();
// The pause before the next drop starts again, as with a new formation.
void bomb_pause_restart();
// One march step's chance of a drop; called by formation_step.
void bomb_try_drop();
// Moves every bomb once; the second half of shots_update.
void bomb_step();
