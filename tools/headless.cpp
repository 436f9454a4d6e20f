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
