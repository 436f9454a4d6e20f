#include "play/bombs.h"

#include "display/draw_queue.h"
#include "display/pickers.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/shields.h"
#include "sound/mixer.h"

Bomb bombs[BOMB_SLOTS];
int32_t bomb_alternator;
int32_t bomb_step_count;

constexpr int32_t DROP_PAUSE_EXTRA = 16;
constexpr uint32_t SEED_MIX = 165;
constexpr int32_t COLUMNS_TRIED = 10;
constexpr int16_t BOMB_WIDTH = 3;
constexpr int16_t BOMB_HEIGHT = 8;

// Only its parity counts, and one endless game would carry it past 2^31:
// it wraps instead of overflowing, and the parity alternates on across the wrap.
static void advance_alternator() {
    bomb_alternator = int32_t(uint32_t(bomb_alternator) + 1u);
}

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

    // the first column is any of the 100; the ones after it only 0 to 9
    int32_t column = int32_t((uint32_t(bomb_seed) ^ SEED_MIX) % FORMATION_COLUMNS);
    const Invader* dropper = nullptr;
    for (int32_t tried = 0; tried < COLUMNS_TRIED; tried++) {
        dropper = lowest_in_column(column);
        if (dropper != nullptr)
            break;
        column = (column + 1) % 10;
    }
    if (dropper == nullptr)
        return;

    for (Bomb& bomb : bombs) {
        if (bomb.kind != 0)
            continue;
        bomb.x = dropper->x;
        bomb.y = int16_t(dropper->y + 8);
        bomb.kind = (bomb_alternator & 1) == 0 ? 1 : 2;
        bomb.anim = 0;
        advance_alternator();
        return;
    }
}

static bool hits_cannon(const Bomb& bomb) {
    return cannon_appear_timer <= 0 && cannon_explosion_timer <= 0 &&
           bomb.y + BOMB_HEIGHT >= BOMB_GROUND_Y && cannon_x < bomb.x &&
           bomb.x < cannon_x + CANNON_WIDTH;
}

void bomb_step() {
    advance_alternator();
    for (Bomb& bomb : bombs) {
        if (bomb.kind == 0)
            continue;
        uint8_t kind = bomb.kind;
        queue_fill(int16_t(bomb.x - 1), bomb.y, BOMB_WIDTH, BOMB_HEIGHT, 0);
        bomb.y = int16_t(bomb.y + BOMB_SPEED);
        bomb.anim = uint8_t(bomb.anim + 1);

        // tested at the row just below its picture
        bool hit = false;
        if (shields_hit_test(bomb.x, bomb.y + BOMB_HEIGHT) != 0) {
            bomb.kind = 0;
            hit = true;
        }
        // only the first bomb to reach a ready cannon destroys it: the timer
        // it sets lets the others through
        if (hits_cannon(bomb)) {
            play_sound(0, SND_CANNON_DESTROYED);
            cannon_explosion_timer = CANNON_DEATH_FRAMES;
            bomb.kind = 0;
            hit = true;
        }

        if (bomb.y > BOMB_GROUND_Y) {
            bomb.kind = 0;
        } else if (!hit) {
            int32_t frame = bomb.anim & 1;
            pick_bomb_sprite(int16_t(bomb.x - 1), bomb.y, (kind == 1 ? 2 : 4) + frame);
        }
    }
}
