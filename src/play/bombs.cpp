#include "play/bombs.h"

#include "display/pickers.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/shields.h"

Bomb bombs[BOMB_SLOTS];
int32_t bomb_alternator;
int32_t bomb_step_count;

constexpr int32_t DROP_PAUSE_EXTRA = 16;
constexpr uint32_t SEED_MIX = 165;
constexpr int32_t COLUMNS_TRIED = 10;
constexpr int32_t RETRY_COLUMNS = 10; // after the first, only columns 0 to 9 are tried
constexpr int16_t BOMB_WIDTH = 3;
constexpr int16_t BOMB_HEIGHT = 8;

// ---- set-up ----

// Only a new game clears the bombs: those in flight fall on through a wave
// clear and through the cannon's death.
void bombs_reset() {
    for (Bomb& bomb : bombs)
        bomb.kind = 0;
    bomb_alternator = 0;
}

void bomb_pause_restart() {
    bomb_step_count = 0;
}

// ---- per march step: the drop ----

// The lowest live invader of a column, over all 40 rows; null when the
// column is empty.
static const Invader* lowest_in_column(int32_t column) {
    for (int32_t row = 0; row < FORMATION_ROWS; row++) {
        const Invader& invader = formation[row * FORMATION_COLUMNS + column];
        if (invader.kind != 0)
            return &invader;
    }
    return nullptr;
}

// The fuller the bottom rows, the longer the pause between two bombs.
void bomb_try_drop() {
    bomb_step_count += 1;
    if (bomb_step_count < formation_count() + DROP_PAUSE_EXTRA)
        return;
    bomb_step_count = 0;

    int32_t column = int32_t((uint32_t(bomb_seed) ^ SEED_MIX) % FORMATION_COLUMNS);
    const Invader* dropper = nullptr;
    for (int32_t tried = 0; tried < COLUMNS_TRIED; tried++) {
        dropper = lowest_in_column(column);
        if (dropper != nullptr)
            break;
        column = (column + 1) % RETRY_COLUMNS;
    }
    if (dropper == nullptr)
        return;

    for (Bomb& bomb : bombs) {
        if (bomb.kind != 0)
            continue;
        bomb.x = dropper->x;
        bomb.y = int16_t(dropper->y + INVADER_HEIGHT);
        bomb.kind = (bomb_alternator & 1) == 0 ? BOMB_CROSS : BOMB_ZIGZAG;
        bomb.anim = 0;
        bomb_alternator += 1;
        return;
    }
}

// ---- per frame: the fall ----

void bomb_step() {
    bomb_alternator += 1;
    for (Bomb& bomb : bombs) {
        if (bomb.kind == 0)
            continue;
        uint8_t kind = bomb.kind;
        pick_bomb_sprite(int16_t(bomb.x - BOMB_WIDTH / 2), bomb.y, BOMB_ERASE);
        bomb.y = int16_t(bomb.y + BOMB_SPEED);
        bomb.anim = uint8_t(bomb.anim + 1);

        // tested at the row just below its picture
        int32_t below = bomb.y + BOMB_HEIGHT;
        bool hit = false;
        if (shields_hit_test(bomb.x, below) != 0) {
            bomb.kind = 0;
            hit = true;
        }
        // only the first bomb to reach a ready cannon destroys it: the wreck
        // lets the others through
        if (cannon_hit_test(bomb.x, below) != 0) {
            bomb.kind = 0;
            hit = true;
        }

        if (bomb.y > BOMB_GROUND_Y) {
            bomb.kind = 0;
        } else if (!hit) {
            int32_t frame = bomb.anim & 1;
            int32_t first = kind == BOMB_CROSS ? BOMB_CROSS_A : BOMB_ZIGZAG_A;
            pick_bomb_sprite(int16_t(bomb.x - BOMB_WIDTH / 2), bomb.y, first + frame);
        }
    }
}
