// Times the game's frames with a scripted player at the keyboard. Headless,
// the pacing wait is skipped and every frame is timed on its own; presented
// (--presented N, in a real window), the wait is kept and what a frame costs
// around it is measured. It prints figures, never judges them, except one:
// the game must not touch the heap while it plays.
//
// Usage: orbostrak_benchmark [FRAMES]      headless, one game of at most FRAMES
//        orbostrak_benchmark --presented N N paced frames in the window
#include <SDL.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/shields.h"
#include "sound/mixer.h"
#include "tools/headless.h"

// ---- counting heap allocations ----

static std::atomic<int> counting{0};
static std::atomic<long> allocations{0};

static void* counted(void* p) {
    allocations += counting.load(std::memory_order_relaxed);
    return p;
}

extern "C" {
void* __real_malloc(size_t n);
void* __real_calloc(size_t n, size_t size);
void* __real_realloc(void* p, size_t n);
void* __wrap_malloc(size_t n) {
    return counted(__real_malloc(n));
}
void* __wrap_calloc(size_t n, size_t size) {
    return counted(__real_calloc(n, size));
}
void* __wrap_realloc(void* p, size_t n) {
    return counted(__real_realloc(p, n));
}
}

// The standard library's array and nothrow forms come through these.
void* operator new(size_t n) {
    void* p = counted(__real_malloc(n ? n : 1));
    if (!p)
        throw std::bad_alloc();
    return p;
}
void operator delete(void* p) noexcept {
    free(p);
}
void operator delete(void* p, size_t) noexcept {
    free(p);
}

// ---- the clock and the wrapped SDL calls ----

// Headless frames are timed in the thread's CPU time, so that another
// process taking the core does not show up as a slow frame; presented ones
// on the wall clock, since the wait and the window are what they measure.
static clockid_t frame_clock = CLOCK_THREAD_CPUTIME_ID;

static int64_t now_ns() {
    timespec t;
    clock_gettime(frame_clock, &t);
    return int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Reading the thread's CPU clock is a system call, a few microseconds that
// are not the game's: measured once and taken off every sample.
static float clock_overhead_us;

static float elapsed_us(int64_t start) {
    float us = float(now_ns() - start) / 1000.0f - clock_overhead_us;
    return us > 0 ? us : 0;
}

static bool real_pacing = false; // presented mode keeps the wait
static int64_t wait_end_ns;      // when the latest wait returned
static int64_t update_end_ns;    // when the latest window update returned
static int64_t update_ns;        // how long it took

extern "C" {
void __real_SDL_Delay(Uint32 ms);
void __real_SDL_UpdateRect(SDL_Surface* surface, Sint32 x, Sint32 y, Uint32 w, Uint32 h);
void __wrap_SDL_Delay(Uint32 ms) {
    if (!real_pacing)
        return;
    __real_SDL_Delay(ms);
    wait_end_ns = now_ns();
}
void __wrap_SDL_UpdateRect(SDL_Surface* surface, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    if (!real_pacing) {
        __real_SDL_UpdateRect(surface, x, y, w, h);
        return;
    }
    int64_t start = now_ns();
    __real_SDL_UpdateRect(surface, x, y, w, h);
    update_end_ns = now_ns();
    update_ns = update_end_ns - start;
}
}

// ---- figures ----

constexpr int MAX_FRAMES = 400000;
static float samples[MAX_FRAMES]; // microseconds
static float scratch[MAX_FRAMES];
static float extra[MAX_FRAMES];

// Sorts the samples in place; returns their mean.
static double report(const char* name, float* s, int n, const char* unit = "us") {
    if (n <= 0) {
        printf("  %-44s no frames\n", name);
        return 0;
    }
    double sum = 0;
    for (int i = 0; i < n; i++)
        sum += s[i];
    std::sort(s, s + n);
    printf("  %-44s n %6d  mean %8.2f  median %8.2f  p99 %8.2f  worst %8.2f %s\n", name, n, sum / n,
           s[n / 2], s[std::min(n - 1, n * 99 / 100)], s[n - 1], unit);
    return sum / n;
}

static int shield_blocks_alive() {
    int n = 0;
    for (const ShieldBlock& block : shield_blocks)
        n += block.alive;
    return n;
}

static void calibrate_clock() {
    clock_overhead_us = 0;
    for (int i = 0; i < 1001; i++)
        scratch[i] = elapsed_us(now_ns());
    std::sort(scratch, scratch + 1001);
    clock_overhead_us = scratch[500];
}

// ---- the scripted player ----

// It sweeps the cannon from edge to edge and taps fire every other frame,
// so it shoots through shields and into the formation all along the line;
// it turns away from a bomb about to land on it, so that a game lasts.
static ButtonMask held;
static bool heading_left;
static int script_frames;

// Only a change of the key's state becomes an event.
static void hold_key(SDLKey key, ButtonMask bit, bool down) {
    if (((held & bit) != 0) == down)
        return;
    if (headless_key(key, down) == 0)
        held = down ? held | bit : held & ~bit;
}

static void script_input() {
    script_frames++;
    // a dying cannon polls nothing: keep SDL's event queue short meanwhile
    if (cannon_explosion_timer > 0)
        return;
    if (cannon_x <= CANNON_MIN_X)
        heading_left = false;
    if (cannon_x >= CANNON_MAX_X)
        heading_left = true;
    int32_t centre = cannon_x + CANNON_WIDTH / 2;
    for (const Bomb& bomb : bombs) {
        if (bomb.kind != 0 && bomb.y > 860 && std::abs(bomb.x - centre) < 16 &&
            cannon_x > CANNON_MIN_X + 16 && cannon_x < CANNON_MAX_X - 16)
            heading_left = bomb.x > centre;
    }
    ButtonMask want =
        (heading_left ? BUTTON_LEFT : BUTTON_RIGHT) | ((script_frames & 1) ? BUTTON_FIRE : 0);
    hold_key(SDLK_LEFT, BUTTON_LEFT, want & BUTTON_LEFT);
    hold_key(SDLK_RIGHT, BUTTON_RIGHT, want & BUTTON_RIGHT);
    hold_key(SDLK_z, BUTTON_FIRE, want & BUTTON_FIRE);
}

// What runs between the two is timed and its allocations counted.
static int64_t play_start;

static void play_begin() {
    play_start = now_ns();
    counting = 1;
}

static float play_end() {
    counting = 0;
    return elapsed_us(play_start);
}

static int timed_frame(float* us) {
    script_input();
    play_begin();
    int going = game_frame();
    *us = play_end();
    return going;
}

// The set-up's pictures are drained first, so a named case times only itself.
static void fresh_game() {
    game_start();
    present_frame();
}

// ---- headless ----

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

static void headless(int frames) {
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

// ---- presented ----

static void presented(int frames) {
    const SDL_version* sdl = SDL_Linked_Version();
    printf("Presented frames with the pacing wait (SDL_VIDEODRIVER=%s, SDL %d.%d.%d)\n",
           SDL_getenv("SDL_VIDEODRIVER"), sdl->major, sdl->minor, sdl->patch);
    real_pacing = true;
    frame_clock = CLOCK_MONOTONIC;
    calibrate_clock();
    game_start();
    rusage before, after;
    getrusage(RUSAGE_SELF, &before);
    int64_t wall_start = now_ns(), last_update = 0;
    for (int i = 0; i < frames; i++) {
        script_input();
        play_begin();
        int going = game_frame();
        play_end();
        // the frame's own work begins when the wait ends (or with no wait, at once)
        int64_t begin = std::max(wait_end_ns, play_start);
        samples[i] = float(update_end_ns - begin) / 1000.0f;
        extra[i] = float(update_ns) / 1000.0f;
        if (i > 0)
            scratch[i - 1] = float(update_end_ns - last_update) / 1e6f;
        last_update = update_end_ns;
        if (!going)
            game_start();
    }
    double wall = double(now_ns() - wall_start) / 1e9;
    getrusage(RUSAGE_SELF, &after);
    auto seconds = [](const rusage& u) {
        return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
               double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    };
    double cpu = seconds(after) - seconds(before);
    report("drain + SDL_UpdateRect of the window", samples, frames);
    report("of which SDL_UpdateRect", extra, frames);
    double interval = report("frame interval", scratch, frames - 1, "ms");
    printf("  frames per second: %.1f\n", 1000.0 / interval);
    printf("  process CPU (user+sys over wall time): %.3f of one core over %.1f s\n", cpu / wall,
           wall);
}

// ---- main ----

int main(int argc, char** argv) {
    bool paced = argc >= 2 && strcmp(argv[1], "--presented") == 0;
    int frames =
        paced ? (argc >= 3 ? atoi(argv[2]) : 600) : (argc >= 2 ? atoi(argv[1]) : MAX_FRAMES);
    frames = std::clamp(frames, 2, MAX_FRAMES);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!paced)
        setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (video_init() != 0)
        return 1;
    input_init();
    audio_init();
    // the game's state is all fixed arrays: this is what a game needs
    game_start();
    present_frame();
    rusage ready;
    getrusage(RUSAGE_SELF, &ready);
    calibrate_clock();
    if (paced)
        presented(frames);
    else
        headless(frames);
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    printf("Peak memory (ru_maxrss): %ld KiB ready to play, %ld KiB at the end (the difference "
           "is mostly the benchmark's timing arrays)\n",
           ready.ru_maxrss, usage.ru_maxrss);
    long counted = allocations;
    printf("Heap allocations during play: %ld\n", counted);
    audio_shutdown();
    SDL_Quit();
    return counted == 0 ? 0 : 2;
}
