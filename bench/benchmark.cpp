// Times the game's frames with a scripted player at the keyboard. Headless,
// the pacing wait is skipped and every frame is timed on its own; presented
// (--presented N, in a real window), the wait is kept and what a frame costs
// around it is measured. It prints figures, never judges them, except one:
// the game must not touch the heap while it plays.
//
// Usage: orbostrak_benchmark [FRAMES]      headless, one game of at most FRAMES
//        orbostrak_benchmark --presented N N paced frames in the window
//
// The player is in bench_player.cpp, the two ways of timing in
// bench_headless.cpp and bench_presented.cpp; the clock and the wrapped SDL
// calls in bench_clock.cpp, the allocation counter in heap_count.cpp.
#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench_clock.h"
#include "bench_figures.h"
#include "bench_headless.h"
#include "bench_presented.h"
#include "bench_usage.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "heap_count.h"
#include "platform/platform.h"
#include "play/game.h"
#include "sound/mixer.h"

int main(int argc, char** argv) {
    bool paced = argc >= 2 && strcmp(argv[1], "--presented") == 0;
    int frames =
        paced ? (argc >= 3 ? atoi(argv[2]) : 600) : (argc >= 2 ? atoi(argv[1]) : MAX_FRAMES);
    frames = std::clamp(frames, 2, MAX_FRAMES);
    if (!platform_setting_made("SDL_AUDIODRIVER"))
        platform_make_setting("SDL_AUDIODRIVER", "dummy");
    if (!paced && !platform_setting_made("SDL_VIDEODRIVER"))
        platform_make_setting("SDL_VIDEODRIVER", "dummy");
    if (video_init() != 0)
        return 1;
    input_init();
    audio_init();
    // the game's state is all fixed arrays: this is what a game needs
    game_start();
    present_frame();
    long ready_kib = peak_memory_kib();
    calibrate_clock();
    if (paced)
        presented(frames);
    else
        headless(frames);
    printf("Peak memory (ru_maxrss): %ld KiB ready to play, %ld KiB at the end (the difference "
           "is mostly the benchmark's timing arrays)\n",
           ready_kib, peak_memory_kib());
    long counted = heap_allocations;
    printf("Heap allocations during play: %ld\n", counted);
    audio_shutdown();
    SDL_Quit();
    return counted == 0 ? 0 : 2;
}
