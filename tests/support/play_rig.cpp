#include "support/play_rig.h"

void empty_queue() {
    queue_read = queue_write = queue_count = 0;
}

::testing::AssertionResult queued_exactly(std::initializer_list<Want> want) {
    if (queue_count != int(want.size()))
        return ::testing::AssertionFailure() << queue_count << " commands, not " << want.size();
    int i = 0;
    for (const Want& w : want) {
        const DrawCommand& c = draw_queue[(queue_read + i++) % DRAW_QUEUE_SLOTS];
        if (c.pixels != w.pixels || c.x != w.x || c.y != w.y || c.w != w.w || c.h != w.h || c.gray)
            return ::testing::AssertionFailure() << "command " << i - 1 << " differs: " << c.x
                                                 << "," << c.y << " " << c.w << "x" << c.h;
    }
    return ::testing::AssertionSuccess();
}

int32_t sound_on(int voice) {
    for (int32_t id = 1; id <= SOUND_COUNT; id++)
        if (voices[voice].length == played_length(id))
            return id;
    return 0;
}

void silence() {
    for (Voice& v : voices)
        v = Voice{};
}

void hold(ButtonMask mask) {
    pad_buttons[0] = mask;
    pad_axes[0] = 0;
}

void quiet_field() {
    start_video();
    fake_clock_reset(1000);
    for (SDL_Event event; SDL_PollEvent(&event);) {
    }
    hold(0);
    for (Invader& v : formation)
        v = Invader{};
    for (ShieldBlock& b : shield_blocks)
        b.alive = 0;
    for (Bomb& b : bombs)
        b = Bomb{};
    bomb_alternator = fire_held = shot_cooldown = shots_fired = 0;
    cannon_x = 1000;
    cannon_appear_timer = cannon_explosion_timer = 0;
    player_shot = PlayerShot{};
    ship_x = SHIP_PARKED_X;
    ship_y = SHIP_ROW;
    ship_countdown = ship_steps = ship_explosion_timer = ship_leftward = 0;
    empty_queue();
    silence();
}

void run_sweeps(int n) {
    for (int i = 0; i < n; i++) {
        uint32_t before = sweep_count;
        for (int guard = 0; sweep_count == before && guard < 5000; guard++) {
            formation_step();
            empty_queue();
        }
        ASSERT_NE(sweep_count, before) << "the march did not wrap";
    }
}

void new_game(int32_t best) {
    quiet_field();
    hi_score = best;
    game_start();
}
