// Start-up shared by the tools: the name of the SDL 1.2 stack on Windows,
// where the layer beneath sdl12-compat is a DLL it has loaded.
#include "headless.h"

#include <windows.h>

#include <cstdio>

void sdl_stack_name(char* name, int size) {
    const SDL_version* v = SDL_Linked_Version();
    HMODULE sdl2 = GetModuleHandleA("SDL2.dll");
    auto sdl2_version = sdl2 ? reinterpret_cast<void (*)(SDL_version*)>(
                                   reinterpret_cast<void*>(GetProcAddress(sdl2, "SDL_GetVersion")))
                             : nullptr;
    if (!sdl2_version) {
        snprintf(name, size_t(size), "classic SDL %d.%d.%d", v->major, v->minor, v->patch);
        return;
    }
    SDL_version v2{};
    sdl2_version(&v2);
    snprintf(name, size_t(size), "sdl12-compat %d.%d.%d over SDL %d.%d.%d", v->major, v->minor,
             v->patch, v2.major, v2.minor, v2.patch);
}
