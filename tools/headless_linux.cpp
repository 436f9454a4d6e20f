// Start-up shared by the tools: the name of the SDL 1.2 stack on Linux,
// where the layers beneath sdl12-compat are shared objects it has loaded.
#include "headless.h"

#include <dlfcn.h>

#include <cstdio>

// SDL 2 and SDL 3 as the layer above has loaded them, or null.
static void* loaded(const char* library, const char* procedure) {
    void* handle = dlopen(library, RTLD_LAZY | RTLD_NOLOAD);
    return handle ? dlsym(handle, procedure) : nullptr;
}

void sdl_stack_name(char* name, int size) {
    const SDL_version* v = SDL_Linked_Version();
    auto sdl2_version =
        reinterpret_cast<void (*)(SDL_version*)>(loaded("libSDL2-2.0.so.0", "SDL_GetVersion"));
    if (!sdl2_version) {
        snprintf(name, size_t(size), "classic SDL %d.%d.%d", v->major, v->minor, v->patch);
        return;
    }
    SDL_version v2{};
    sdl2_version(&v2); // SDL 2's record has the same three bytes
    int n = snprintf(name, size_t(size), "sdl12-compat %d.%d.%d over SDL %d.%d.%d", v->major,
                     v->minor, v->patch, v2.major, v2.minor, v2.patch);
    // SDL 3 answers with one number, major * 1000000 + minor * 1000 + micro
    auto sdl3_version = reinterpret_cast<int (*)()>(loaded("libSDL3.so.0", "SDL_GetVersion"));
    if (sdl3_version && n > 0 && n < size) {
        int v3 = sdl3_version();
        snprintf(name + n, size_t(size - n), " (SDL %d.%d.%d)", v3 / 1000000, v3 / 1000 % 1000,
                 v3 % 1000);
    }
}
