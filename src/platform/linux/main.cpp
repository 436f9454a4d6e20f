// The platform entry point. SDL 1.2 on Linux brings no start-up code of its
// own, so this is it.
//
// SDL_Quit runs after an orderly end only, not at exit: the game calls exit
// only when start-up fails (and then SDL is down already), so any other exit
// is Xlib's, which ends the program with status 1 when the X server has gone
// away. SDL_Quit must not run then: over SDL 2 it hides the window and waits
// for the server to confirm, forever, spinning on the dead connection and
// deaf to SIGTERM, whose handler only queues a quit event.
#include "frame/screen_sequence.h"
#include <SDL.h>

int main(int argc, char* argv[]) {
    int status = SDL_main(argc, argv);
    SDL_Quit();
    return status;
}
