// orbostrak_replay: plays one game headless from a script of held buttons and
// prints, frame by frame, the state of play and every draw command the frame
// queued.
//
//   orbostrak_replay [--state-only | --commands-only] [--frames N] SCRIPT|-
//
// A script line is a run of frames and the buttons held through it:
// "120 R F" holds right and fire for 120 frames, "30 -" holds nothing for 30;
// L, R and F may also be written together ("120 RF"); '#' starts a comment.
// Frame 0 is the state after game_start with what it queued; frame n is the
// n-th game_frame. The replay stops at the game's end ("game over score N"),
// at the end of the script or after N frames ("end frame F score S").
//
// This file holds the SDL calls the replay replaces and the game's loop;
// the script is read in replay_script.cpp, the frames printed by
// replay_report.cpp.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/draw_queue.h"
#include "headless.h"
#include "play/game.h"
#include "replay_report.h"
#include "replay_script.h"

// ---- the clock ----

// SDL_GetTicks and SDL_Delay are wrapped for this program only. The loop
// below advances the clock by exactly one frame before every game_frame, so
// present_frame always finds its 16 ms gone and never waits; a delay, should
// the game ever ask for one, passes on this clock and costs nothing.
static uint32_t replay_ticks;

extern "C" Uint32 __wrap_SDL_GetTicks(void) {
    return replay_ticks;
}

extern "C" void __wrap_SDL_Delay(Uint32 ms) {
    replay_ticks += ms;
}

// ---- the window ----

// Nothing is shown, so no window is opened: the game draws into a plain
// surface of the window's size and format, and a window update does nothing.
// Over SDL 2 a window, even the dummy driver's, would be copied twice a frame.
extern "C" SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bpp, Uint32) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bpp, 0x00FF0000, 0x0000FF00,
                                0x000000FF, 0xFF000000);
}

extern "C" void __wrap_SDL_UpdateRect(SDL_Surface*, Sint32, Sint32, Uint32, Uint32) {}

// ---- the game ----

static void usage() {
    fprintf(stderr, "usage: orbostrak_replay [--state-only | --commands-only] [--frames N] "
                    "SCRIPT|-\n");
    exit(2);
}

int main(int argc, char* argv[]) {
    long frame_limit = -1;
    const char* path = nullptr;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--state-only") == 0)
            print_commands = false;
        else if (strcmp(argv[i], "--commands-only") == 0)
            print_state = false;
        else if (strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frame_limit = strtol(argv[++i], nullptr, 10);
        else if (!path && (argv[i][0] != '-' || argv[i][1] == 0))
            path = argv[i];
        else
            usage();
    }
    if (!path || (!print_state && !print_commands))
        usage();
    if (!script_open(path)) {
        fprintf(stderr, "orbostrak_replay: cannot read %s\n", path);
        return 2;
    }

    if (headless_start() != 0)
        return 1;

    game_start();
    int32_t frame = 0;
    report_frame(frame);
    bool over = false;
    ScriptRun run;
    while (!over && frame != frame_limit && read_run(run)) {
        hold_buttons(run.held, frame);
        for (long k = 0; k < run.frames && frame != frame_limit; k++) {
            replay_ticks += FRAME_MS;
            frame++;
            over = game_frame() == 0;
            report_frame(frame);
            if (over) {
                printf("game over score %d\n", score);
                break;
            }
        }
    }
    if (!over)
        printf("end frame %d score %d\n", frame, score);
    script_close();
    SDL_Quit();
    return 0;
}
