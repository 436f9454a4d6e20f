// Start-up shared by the tools that run the game without a player.
#include "headless.h"

#include <cstdio>
#include <cstdlib>

#include "assets/sounds.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "platform/platform.h"
#include "sound/mixer.h"

int headless_start() {
    platform_make_setting("SDL_VIDEODRIVER", "dummy");
    platform_make_setting("SDL_AUDIODRIVER", "dummy");
    if (video_init() != 0)
        return 1;
    input_init();
    SDL_EventState(SDL_JOYAXISMOTION, SDL_IGNORE);
    SDL_EventState(SDL_JOYBUTTONDOWN, SDL_IGNORE);
    SDL_EventState(SDL_JOYBUTTONUP, SDL_IGNORE);
    for (int i = 0; i < SOUND_COUNT; i++)
        sound_table[i] = sound_blocks[i];
    return 0;
}

int headless_key(SDLKey key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.type = event.type;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return SDL_PushEvent(&event);
}

void sdl_stack_name(char* name, int size) {
    const SDL_version* v = SDL_Linked_Version();
    auto sdl2_version =
        reinterpret_cast<void (*)(SDL_version*)>(loaded_sdl_procedure(2, "SDL_GetVersion"));
    if (!sdl2_version) {
        snprintf(name, size_t(size), "classic SDL %d.%d.%d", v->major, v->minor, v->patch);
        return;
    }
    SDL_version v2{};
    sdl2_version(&v2); // SDL 2's record has the same three bytes
    int n = snprintf(name, size_t(size), "sdl12-compat %d.%d.%d over SDL %d.%d.%d", v->major,
                     v->minor, v->patch, v2.major, v2.minor, v2.patch);
    // SDL 3 answers with one number, major * 1000000 + minor * 1000 + micro
    auto sdl3_version = reinterpret_cast<int (*)()>(loaded_sdl_procedure(3, "SDL_GetVersion"));
    if (sdl3_version && n > 0 && n < size) {
        int v3 = sdl3_version();
        snprintf(name + n, size_t(size - n), " (SDL %d.%d.%d)", v3 / 1000000, v3 / 1000 % 1000,
                 v3 % 1000);
    }
}
