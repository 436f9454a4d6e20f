// Presented timing: paced frames in a real window, measured around the wait.
#include "bench_presented.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>

#include "bench_clock.h"
#include "bench_figures.h"
#include "bench_player.h"
#include "bench_usage.h"
#include "play/game.h"
#include "tools/headless.h"

void presented(int frames) {
    char stack[128], driver[32] = "";
    sdl_stack_name(stack, sizeof stack);
    SDL_VideoDriverName(driver, sizeof driver);
    printf("Presented frames of play with the pacing wait (%s, driver %s)\n", stack, driver);
    real_pacing = true;
    frame_clock = CLOCK_MONOTONIC;
    calibrate_clock();
    game_start();
    double cpu_before = process_cpu_seconds();
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
    double cpu = process_cpu_seconds() - cpu_before;
    report("drain + SDL_UpdateRect of the window", samples, frames);
    float median_ms = samples[frames / 2] / 1000.0f; // sorted by the report
    report("of which SDL_UpdateRect", extra, frames);
    double interval = report("frame interval", scratch, frames - 1, "ms");
    printf("  frames per second: %.1f\n", 1000.0 / interval);
    printf("  process CPU (user+sys over wall time): %.3f of one core over %.1f s\n", cpu / wall,
           wall);
    printf("  in play: %.2f ms a frame, %.1f frames/s, %.1f %% of one core\n", median_ms,
           1000.0 / interval, 100.0 * cpu / wall);
}
