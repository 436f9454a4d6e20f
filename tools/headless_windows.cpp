// The tools on Windows: SDL 2 and SDL 3 beneath sdl12-compat are DLLs it
// has loaded.
#include "headless.h"

#include <windows.h>

void* loaded_sdl_procedure(int major, const char* procedure) {
    HMODULE sdl = GetModuleHandleA(major == 2 ? "SDL2.dll" : "SDL3.dll");
    return sdl ? reinterpret_cast<void*>(GetProcAddress(sdl, procedure)) : nullptr;
}
