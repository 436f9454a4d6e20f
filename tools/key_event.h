// A key pressed or let go, pushed into SDL's event queue as the keyboard
// would deliver it. The replay tool, the benchmark and the tests play the
// game through this one road, so the game code never needs to know them.
#pragma once

#include <SDL.h>

// 0 when the event was queued; -1 when SDL's queue is full and it is lost.
inline int push_key(SDLKey key, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return SDL_PushEvent(&event);
}
