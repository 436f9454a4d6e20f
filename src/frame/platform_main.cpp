// The platform entry point. SDL 1.2 on Linux brings no start-up code of its
// own, so this is it: SDL_Quit runs after an orderly end, and at process exit
// while no window is open (on exit(-1) when the display cannot be started).
//
// Once the window is open the game itself never calls exit: an exit then is
// Xlib's, whose handler ends the process with status 1 when the X server has
// gone away. SDL_Quit must not run then: over SDL 2 it hides the window and
// waits for the server to confirm, forever, spinning on the dead connection
// and deaf to SIGTERM, whose handler only queues a quit event.
#include <cstdlib>

#include "display/draw_queue.h"
#include "frame/screen_sequence.h"
#include <SDL.h>

static void quit_sdl_unless_window_open() {
    if (!screen_surface)
        SDL_Quit();
}

int main(int argc, char* argv[]) {
    atexit(quit_sdl_unless_window_open);
    int status = SDL_main(argc, argv);
    SDL_Quit();
    return status;
}
