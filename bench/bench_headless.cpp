// Headless timing: no pacing wait, every frame timed on its own.
#include "bench_headless.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "assets/sprites.h"
#include "bench_clock.h"
#include "bench_figures.h"
#include "bench_player.h"
#include "display/draw_queue.h"
#include "play/bombs.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/shields.h"

static int shield_blocks_alive() {
    int n = 0;
    for (const ShieldBlock& block : shield_blocks)
        n += block.alive;
    return n;
}

// The set-up's pictures are drained first, so a named case times only itself.
static void fresh_game() {
    game_start();
    present_frame();
}

// ---- named cases ----

static void drop_all_bombs() {
    fresh_game();
    for (int i = 0; i < BOMB_SLOTS; i++)
        bombs[i] = Bomb{int16_t(8 + 14 * i), int16_t(700 + 12 * (i % 16)), uint8_t(1 + i % 2), 0};
}

// Two frames march the whole bottom row across the shields' top row.
static void stand_on_shields() {
    fresh_game();
    for (Invader& invader : formation)
        invader.y = int16_t(invader.y + 916 - 544);
}

// Hit as the frame begins, it explodes and the frame ends with a new wave
// and new shields, which the next frame shows.
static void leave_one_invader() {
    fresh_game();
    for (int s = 1; s < FORMATION_SCAN_SLOTS; s++)
        formation[s].kind = 0;
    formation_hit_test(formation[0].x, formation[0].y + 1);
}

// Times the frames after each set-up, reported frame by frame.
constexpr int CASE_REPEATS = 200;

static void run_case(const char* name, void (*set_up)(), int frames) {
    for (int r = 0; r < CASE_REPEATS; r++) {
        set_up();
        for (int f = 0; f < frames; f++)
            timed_frame(&samples[f * CASE_REPEATS + r]);
    }
    for (int f = 0; f < frames; f++) {
        char label[80];
        snprintf(label, sizeof label, "%s: frame %d", name, f + 1);
        report(frames == 1 ? name : label, &samples[f * CASE_REPEATS], CASE_REPEATS);
    }
}

// ---- presenting ----

static void queue_nothing() {}

static void queue_invaders() {
    for (int i = 0; i < DRAW_QUEUE_SLOTS - 1; i++)
        queue_sprite(int16_t(i * 16 % 1888), int16_t(i * 16 / 1888 * 8), 12, 8,
                     sprite_invader1_a.pixels);
}

static void queue_black_window() {
    queue_fill(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT, 0);
}

// present_frame alone: the drain of what was queued and the window update.
static void time_present(const char* name, void (*queue_commands)()) {
    constexpr int REPEATS = 500;
    for (int r = 0; r < REPEATS; r++) {
        queue_commands();
        play_begin();
        present_frame();
        scratch[r] = play_end();
    }
    report(name, scratch, REPEATS);
}

// ---- the run ----

void headless(int frames) {
    printf("Headless frames, no pacing wait, thread CPU time less %.2f us for the clock itself "
           "(SDL_VIDEODRIVER=%s)\n",
           clock_overhead_us, SDL_getenv("SDL_VIDEODRIVER"));
    // one whole game, to its end or to the frame limit
    game_start();
    int played = 0, first_sweep = 0, waves = 0, kills = 0, bitten = 0, cannons_lost = 0;
    int going = 1;
    while (going && played < frames) {
        int count = formation_count(), alive = shield_blocks_alive(), reserve = lives;
        going = timed_frame(&samples[played++]);
        if (first_sweep == 0 && (march_direction & MARCH_DESCEND))
            first_sweep = played;
        if (formation_count() > count)
            waves++;
        else
            kills += count - formation_count();
        if (shield_blocks_alive() < alive)
            bitten += alive - shield_blocks_alive();
        cannons_lost += lives < reserve;
    }
    const char* end = going ? "still going" : lives < 0 ? "no cannon left" : "invaded";
    printf("  one game: %d frames (%s), %d invaders shot, %d wave(s) cleared, %d shield blocks "
           "bitten, %d cannons lost, score %d\n",
           played, end, kills, waves, bitten, cannons_lost, score);
    std::copy(samples, samples + first_sweep, scratch);
    double mean = report("every frame of the game", samples, played);
    printf("  frames per second of play without the wait: %.0f\n", 1e6 / mean);
    report("first sweep to the right edge", scratch, first_sweep);

    printf("Named cases, each set up by hand in a fresh game, %d times over\n", CASE_REPEATS);
    run_case("a frame with all 128 bombs falling", drop_all_bombs, 1);
    run_case("shield bites, bottom row on them", stand_on_shields, 3);
    printf("  (%d shield blocks bitten in those frames)\n", SHIELD_BLOCKS - shield_blocks_alive());
    run_case("wave clear, last invader hit", leave_one_invader, 2);
    printf("  (%s)\n",
           formation_count() == FORMATION_SCAN_SLOTS ? "a new wave marches" : "NO wave clear");

    printf("Drain + full-window update (present_frame, no wait)\n");
    time_present("empty queue", queue_nothing);
    time_present("full queue: 3071 invader sprites", queue_invaders);
    time_present("one fill of the whole window", queue_black_window);
}
