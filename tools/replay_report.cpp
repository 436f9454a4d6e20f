// What the replay prints of a frame: the state of play, the sounds started
// and every draw command queued, sprites and glyphs by name.
#include "replay_report.h"

#include <cctype>
#include <cstdio>

#include "assets/font.h"
#include "assets/sounds.h"
#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/ship.h"
#include "sound/mixer.h"

bool print_state = true;
bool print_commands = true;

// ---- names ----

struct SpriteName {
    const uint8_t* pixels;
    const char* name;
    int16_t w;
    int16_t h;
};

template <int W, int H>
static constexpr SpriteName named(const Picture<W, H>& picture, const char* name) {
    return SpriteName{picture.pixels, name, W, H};
}

static const SpriteName sprite_names[] = {
    named(sprite_ship_a, "ship_a"),
    named(sprite_ship_b, "ship_b"),
    named(sprite_explosion, "explosion"),
    named(sprite_invader1_a, "invader1_a"),
    named(sprite_invader1_b, "invader1_b"),
    named(sprite_invader2_a, "invader2_a"),
    named(sprite_invader2_b, "invader2_b"),
    named(sprite_invader3_a, "invader3_a"),
    named(sprite_invader3_b, "invader3_b"),
    named(sprite_cannon, "cannon"),
    named(sprite_cannon_blast_a, "cannon_blast_a"),
    named(sprite_cannon_blast_b, "cannon_blast_b"),
    named(sprite_shot, "shot"),
    named(sprite_bomb_cross, "bomb_cross"),
    named(sprite_bomb_zigzag, "bomb_zigzag"),
    named(sprite_shield_block, "shield_block"),
    named(sprite_shield_worn_top, "shield_worn_top"),
    named(sprite_shield_worn_bottom, "shield_worn_bottom"),
    named(sprite_shield_worn_right, "shield_worn_right"),
    named(sprite_shield_worn_left, "shield_worn_left"),
};

static const char* const sound_names[SOUND_COUNT] = {
    "game_over", "invader_hit", "cannon_destroyed", "ship_flying", "ship_hit", "start",
    "shot",      "game_start",  "march_1",          "march_2",     "march_3",  "march_4",
};

// Indexed by march_direction: a descent is followed by a sweep to the right
// or, with MARCH_LEFT set, to the left.
static const char* const march_names[4] = {"right", "left", "down-right", "down-left"};

// ---- printing ----

static void report_state(int32_t frame) {
    printf("frame %d score %d lives %d cannon %d ", frame, score, lives, cannon_x);
    if (cannon_explosion_timer > 0)
        printf("exploding %d", cannon_explosion_timer);
    else if (cannon_appear_timer > 0)
        printf("entering %d", cannon_appear_timer);
    else
        printf("ready");
    if (player_shot.active)
        printf(" shot %d %d", player_shot.x, player_shot.y);
    else
        printf(" shot -");
    printf(" ship %d %s %s", ship_x, ship_leftward ? "left" : "right",
           ship_explosion_timer > 0 ? "exploding"
           : ship_steps > 0         ? "flying"
                                    : "parked");
    printf(" march %d %s live %d", march_cursor, march_names[march_direction & 3],
           formation_count());
    int active = 0;
    for (const Bomb& bomb : bombs)
        active += bomb.kind != 0;
    printf(" bombs %d", active);
    for (const Bomb& bomb : bombs)
        if (bomb.kind != 0)
            printf(" %d,%d,%d", bomb.x, bomb.y, bomb.kind);
    printf("\n");
}

// Without a device nothing plays the voices: a voice with samples left was
// started in this frame. It is silenced again so the next start shows too.
static void report_sounds() {
    for (int v = 0; v < VOICES; v++) {
        if (voices[v].remaining <= 0)
            continue;
        voices[v].remaining = 0;
        if (!print_state)
            continue;
        for (int id = 1; id <= SOUND_COUNT; id++)
            if (voices[v].data == sound_blocks[id - 1])
                printf("sound %d %s\n", v, sound_names[id - 1]);
    }
}

static void report_command(const DrawCommand& c) {
    if (!c.pixels) {
        printf("fill %d %d %d %d %d\n", c.gray, c.x, c.y, c.w, c.h);
        return;
    }
    for (const SpriteName& s : sprite_names) {
        if (s.pixels != c.pixels)
            continue;
        if (s.w == c.w && s.h == c.h)
            printf("sprite %s %d %d\n", s.name, c.x, c.y);
        else
            printf("sprite %s %d %d %d %d\n", s.name, c.x, c.y, c.w, c.h);
        return;
    }
    for (int code = 0; code < GLYPH_CODES; code++) {
        if (glyph_table[code] != c.pixels)
            continue;
        if (isgraph(code) && code != '\'')
            printf("glyph '%c' %d %d\n", code, c.x, c.y);
        else
            printf("glyph %d %d %d\n", code, c.x, c.y);
        return;
    }
    printf("sprite ? %d %d %d %d\n", c.x, c.y, c.w, c.h);
}

// What a frame queued is still in the queue when game_frame returns: the
// next frame's present_frame drains it.
void report_frame(int32_t frame) {
    if (print_state)
        report_state(frame);
    else
        printf("frame %d\n", frame);
    report_sounds();
    if (print_commands)
        for (int32_t i = 0; i < queue_count; i++)
            report_command(draw_queue[(queue_read + i) % DRAW_QUEUE_SLOTS]);
}
