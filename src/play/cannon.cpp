#include "play/cannon.h"

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "play/bombs.h"
#include "play/formation.h"
#include "play/shields.h"
#include "play/ship.h"
#include "sound/mixer.h"

int32_t cannon_x;
int32_t cannon_explosion_timer;
int32_t cannon_appear_timer;
int32_t fire_held;
PlayerShot player_shot;
int32_t shot_cooldown;
int32_t shots_fired;

constexpr int16_t CANNON_HEIGHT = 8;
constexpr int16_t SHOT_WIDTH = 3;
constexpr int16_t SHOT_HEIGHT = 8;
constexpr int16_t SHOT_TOP_Y = 8; // above this the shot has left the play area
constexpr int32_t BLAST_FLICKER_FRAMES = 4;

template <int W, int H>
static void draw_cannon(int32_t x, const Picture<W, H>& picture);
static void erase_cannon(int32_t x);

// ---- set-up ----

// fire_held is kept: a button held from the last game is not a new press.
void cannon_reset() {
    cannon_x = CANNON_START_X;
    cannon_appear_timer = CANNON_ENTRY_FRAMES;
    cannon_explosion_timer = 0;
    player_shot.active = 0;
    shot_cooldown = 0;
    shots_fired = 0;
}

// ---- per frame: the cannon ----

// The wreck flickers between its two pictures every four frames; input
// waits until it is gone.
static int cannon_dying() {
    if ((cannon_explosion_timer / BLAST_FLICKER_FRAMES) % 2 == 1)
        draw_cannon(cannon_x, sprite_cannon_blast_b);
    else
        draw_cannon(cannon_x, sprite_cannon_blast_a);
    cannon_explosion_timer -= 1;
    if (cannon_explosion_timer != 0)
        return 0;
    erase_cannon(cannon_x);
    cannon_appear_timer = CANNON_ENTRY_FRAMES;
    return 1;
}

int player_update() {
    if (cannon_explosion_timer > 0)
        return cannon_dying();

    int32_t old_x = cannon_x;
    input_poll();
    ButtonMask mask = player_mask;
    if (cannon_x > CANNON_MIN_X && (mask & BUTTON_LEFT))
        cannon_x -= 1;
    if (cannon_x < CANNON_MAX_X && (mask & BUTTON_RIGHT))
        cannon_x += 1;

    // a shot per press: holding fire does not repeat
    if (mask & BUTTON_FIRE) {
        if (fire_held == 0)
            player_fire(int16_t(cannon_x + CANNON_WIDTH / 2));
        fire_held = 1;
    } else {
        fire_held = 0;
    }

    // a ready cannon that stands still needs no redraw
    if (cannon_x == old_x && cannon_appear_timer <= 0)
        return 0;
    if (cannon_appear_timer > 0)
        cannon_appear_timer -= 1;
    erase_cannon(old_x);
    // blinking in, shown on even counts so the entry ends with it in view
    if (cannon_appear_timer % 2 == 0)
        draw_cannon(cannon_x, sprite_cannon);
    return 0;
}

int player_fire(int16_t x) {
    if (player_shot.active == 1)
        return SHOT_IN_FLIGHT;
    player_shot.x = x;
    player_shot.y = SHOT_LAUNCH_Y;
    player_shot.active = 1;
    play_sound(VOICE_CANNON, SND_SHOT);
    shots_fired += 1;
    return 0;
}

// Neither a cannon blinking in nor a wreck can be hit.
int cannon_hit_test(int32_t x, int32_t y) {
    if (cannon_appear_timer > 0 || cannon_explosion_timer > 0)
        return 0;
    if (y < CANNON_Y || x <= cannon_x || x >= cannon_x + CANNON_WIDTH)
        return 0;
    cannon_destroy();
    return 1;
}

// The wreck is drawn from the next frame's update on.
void cannon_destroy() {
    play_sound(VOICE_CANNON, SND_CANNON_DESTROYED);
    cannon_explosion_timer = CANNON_DEATH_FRAMES;
}

// ---- per frame: the shot ----

// Moves the shot and resolves what it hit; all three tests are made, so one
// move can take a shield block, an invader and the ship together.
static int32_t shot_step() {
    PlayerShot& shot = player_shot;
    queue_fill(int16_t(shot.x - SHOT_WIDTH / 2), shot.y, SHOT_WIDTH, SHOT_HEIGHT, 0);
    shot.y = int16_t(shot.y - SHOT_SPEED);

    int32_t points = 0;
    bool hit = false;
    if (shields_hit_test(shot.x, shot.y) != 0) {
        shot.active = 0;
        hit = true;
    }
    int result = formation_hit_test(shot.x, shot.y);
    if (result != 0) {
        play_sound(VOICE_INVADERS, SND_INVADER_HIT);
        shot.active = 0;
        shot_cooldown = SHOT_COOLDOWN_FRAMES;
        points = invader_points(result);
        hit = true;
    }
    if (ship_hit_test(shot.x, shot.y) == 1) {
        play_sound(VOICE_SHIP, SND_SHIP_HIT);
        shot.active = 0;
        points += ship_value();
        hit = true;
    }

    if (shot.y < SHOT_TOP_Y)
        shot.active = 0;
    else if (!hit)
        queue_sprite(int16_t(shot.x - SHOT_WIDTH / 2), shot.y, SHOT_WIDTH, SHOT_HEIGHT,
                     sprite_shot.pixels);
    return points;
}

// The bombs fall here too, after the shot: their step is the second half
// of this one.
int shots_update() {
    int32_t points = 0;
    // after an invader is hit the shot rests, wherever it is
    if (shot_cooldown > 0)
        shot_cooldown -= 1;
    else if (player_shot.active != 0)
        points = shot_step();
    bomb_step();
    return points;
}

// ---- drawing ----

template <int W, int H>
static void draw_cannon(int32_t x, const Picture<W, H>& picture) {
    queue_sprite(int16_t(x), CANNON_Y, W, H, picture.pixels);
}

static void erase_cannon(int32_t x) {
    queue_fill(int16_t(x), CANNON_Y, CANNON_WIDTH, CANNON_HEIGHT, 0);
}
