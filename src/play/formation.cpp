#include "play/formation.h"

#include "display/pickers.h"
#include "play/bombs.h"
#include "play/shields.h"
#include "sound/mixer.h"

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

// How each kind is drawn, what the hit test reports for it and what it is
// worth; indexed by kind, entry 0 (dead) is never drawn or hit.
struct KindLook {
    int16_t half_width; // drawn at x - half_width, hit within x +- half_width
    int32_t erase_code;
    int32_t picture_code; // first frame; the second is the next code
    int hit_result;
    int32_t points;
};

static const KindLook kind_looks[INVADER_KINDS + 1] = {
    {0, 0, 0, 0, 0}, // dead
    {6, INVADER1_ERASE, INVADER1_A, 2, 10},
    {5, INVADER2_ERASE, INVADER2_A, 3, 20},
    {4, INVADER3_ERASE, INVADER3_A, 4, 30},
};

// The bottom row stands at y 544 with the first column at x 16; every 16
// rows up the kind changes.
constexpr int16_t COLUMN_PITCH = 16;
constexpr int16_t ROW_PITCH = 12;
constexpr int16_t BOTTOM_ROW_Y = 544;
constexpr int32_t ROWS_PER_KIND = 16;

// A hit invader always explodes in the widest erase and the 8 x 8 picture.
constexpr int32_t EXPLOSION_ERASE_CODE = INVADER1_ERASE;
constexpr int16_t EXPLOSION_ERASE_HALF_WIDTH = 6;
constexpr int32_t EXPLOSION_PICTURE_CODE = INVADER_EXPLOSION;

constexpr int16_t MARCH_STEP_X = 4;
constexpr int16_t MARCH_STEP_Y = 8;
constexpr int16_t TURN_LEFT_BELOW_X = 16;
constexpr int16_t TURN_RIGHT_FROM_X = 1805;
constexpr int32_t FEET_SPREAD = 4; // the bites are this far either side of the centre
constexpr uint32_t MARCH_NOTES = 4;

// ---- set-up ----

void formation_reset() {
    for (int32_t row = 0; row < FORMATION_ROWS; row++) {
        for (int32_t column = 0; column < FORMATION_COLUMNS; column++) {
            Invader& invader = formation[row * FORMATION_COLUMNS + column];
            invader.x = int16_t(COLUMN_PITCH * (column + 1));
            invader.y = int16_t(BOTTOM_ROW_Y - ROW_PITCH * row);
            invader.kind = uint8_t(row / ROWS_PER_KIND + 1);
        }
    }
    march_cursor = 0;
    sweep_count = 0;
    march_direction = 0;
    sweep_started = 0;
    march_note_index = 0;
    explosion_steps = 0;
    bomb_pause_restart();
    bomb_seed = 0;
}

// ---- per march step ----

// These counters run on for as long as the program does, so they wrap
// instead of overflowing.
static int32_t count_up(int32_t n) {
    return int32_t(uint32_t(n) + 1u);
}

// One call of the explosion: erase, then the picture until the last call,
// which leaves the slot dead and black.
static void explosion_step() {
    Invader& invader = formation[exploding_invader];
    pick_invader_sprite(int16_t(invader.x - EXPLOSION_ERASE_HALF_WIDTH), invader.y,
                        EXPLOSION_ERASE_CODE);
    explosion_steps -= 1;
    if (explosion_steps <= 0) {
        invader.kind = 0;
        return;
    }
    pick_invader_sprite(int16_t(invader.x - EXPLOSION_HALF_WIDTH), invader.y,
                        EXPLOSION_PICTURE_CODE);
}

// Moves one live invader; returns 1 when it stepped down onto the invasion line.
static int move_invader(Invader& invader) {
    int16_t old_x = invader.x;
    int16_t old_y = invader.y;
    int invaded = 0;
    if (march_direction & MARCH_DESCEND) {
        invader.y = int16_t(invader.y + MARCH_STEP_Y);
        if (invader.y >= INVASION_Y)
            invaded = 1;
    } else if (march_direction & MARCH_LEFT) {
        invader.x = int16_t(invader.x - MARCH_STEP_X);
    } else {
        invader.x = int16_t(invader.x + MARCH_STEP_X);
    }

    // its feet bite into whatever shield lies just below it
    int32_t feet = invader.y + INVADER_HEIGHT;
    shields_hit_test(invader.x - FEET_SPREAD, feet);
    shields_hit_test(invader.x, feet);
    shields_hit_test(invader.x + FEET_SPREAD, feet);

    // erase first: the queue runs in order, so the new picture wins the overlap
    const KindLook& look = kind_looks[invader.kind];
    int32_t frame = int32_t(sweep_count & 1);
    pick_invader_sprite(int16_t(old_x - look.half_width), old_y, look.erase_code);
    pick_invader_sprite(int16_t(invader.x - look.half_width), invader.y, look.picture_code + frame);
    return invaded;
}

// The cursor goes on to the next live invader within 600 slots; every wrap
// through slot 0 ends a sweep and decides the next one's direction.
static void search_next(int32_t k) {
    for (int32_t i = 0; i < FORMATION_SCAN_SLOTS; i++) {
        int32_t s = (k + 1 + i) % FORMATION_SLOTS;
        if (s == 0) {
            sweep_count += 1;
            march_direction &= ~MARCH_DESCEND;
            sweep_started = 1;
            formation_check_turn();
        }
        if (formation[s].kind != 0) {
            march_cursor = s;
            return;
        }
    }
    march_cursor = -1;
}

int formation_step() {
    steps_since_note = count_up(steps_since_note);
    if (march_cursor == -1)
        return 0;
    // while an invader explodes nothing marches
    if (explosion_steps > 0) {
        explosion_step();
        return 0;
    }

    int32_t k = march_cursor;
    int invaded = 0;
    if (formation[k].kind != 0)
        invaded = move_invader(formation[k]);
    search_next(k);

    // the bombs drop here, from the march
    bomb_try_drop();
    bomb_seed = count_up(bomb_seed);
    march_sound_tick();
    return invaded;
}

// The bottom six rows steer the turn; the rows above follow them wherever
// that takes them.
void formation_check_turn() {
    bool any = false;
    int16_t smallest = 0;
    int16_t largest = 0;
    for (int32_t s = 0; s < FORMATION_SCAN_SLOTS; s++) {
        const Invader& invader = formation[s];
        if (invader.kind == 0)
            continue;
        if (!any || invader.x < smallest)
            smallest = invader.x;
        if (!any || invader.x > largest)
            largest = invader.x;
        any = true;
    }
    if (march_direction & MARCH_LEFT) {
        // with nobody left to steer, a leftward march still turns down
        if (!any || smallest < TURN_LEFT_BELOW_X)
            march_direction = MARCH_DESCEND;
    } else if (any && largest >= TURN_RIGHT_FROM_X) {
        march_direction = MARCH_LEFT | MARCH_DESCEND;
    }
}

void march_sound_tick() {
    if (sweep_started == 0 || steps_since_note < MARCH_NOTE_MIN_STEPS)
        return;
    play_sound(VOICE_MARCH, SND_MARCH_1 + int32_t(march_note_index));
    march_note_index = (march_note_index + 1) % MARCH_NOTES;
    sweep_started = 0;
    steps_since_note = 0;
}

// ---- what the shot finds ----

int formation_count() {
    int count = 0;
    for (int32_t s = 0; s < FORMATION_SCAN_SLOTS; s++) {
        if (formation[s].kind != 0)
            count++;
    }
    return count;
}

int formation_hit_test(int32_t x, int32_t y) {
    // nothing below the lowest row that still lives can be hit
    int32_t y0 = 0;
    for (int32_t s = 0; s < FORMATION_SCAN_SLOTS; s++) {
        if (formation[s].kind != 0) {
            y0 = formation[s].y;
            break;
        }
    }
    if (y0 + INVADER_HEIGHT <= y)
        return 0;

    for (int32_t s = 0; s < FORMATION_SCAN_SLOTS; s++) {
        const Invader& invader = formation[s];
        if (invader.kind == 0)
            continue;
        const KindLook& look = kind_looks[invader.kind];
        if (invader.y <= y && y <= invader.y + INVADER_HEIGHT && invader.x - look.half_width <= x &&
            x < invader.x + look.half_width) {
            exploding_invader = uint32_t(s);
            explosion_steps = EXPLOSION_STEPS;
            return look.hit_result;
        }
    }
    return 0;
}

int32_t invader_points(int hit_result) {
    for (const KindLook& look : kind_looks)
        if (look.hit_result == hit_result)
            return look.points;
    return 0;
}
