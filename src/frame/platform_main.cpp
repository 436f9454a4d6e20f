// The platform entry point. SDL 1.2 on Linux brings no start-up code of its
// own, so this is it: SDL_Quit runs at process exit, on exit(-1) as well.
#include <cstdlib>

#include "frame/screen_sequence.h"
#include <SDL.h>

int main(int argc, char* argv[]) {
    atexit(SDL_Quit);
    return SDL_main(argc, argv);
}
