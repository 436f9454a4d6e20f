// The tools on Linux: SDL 2 and SDL 3 beneath sdl12-compat are shared
// objects it has loaded.
#include "headless.h"

#include <dlfcn.h>

void* loaded_sdl_procedure(int major, const char* procedure) {
    void* handle =
        dlopen(major == 2 ? "libSDL2-2.0.so.0" : "libSDL3.so.0", RTLD_LAZY | RTLD_NOLOAD);
    return handle ? dlsym(handle, procedure) : nullptr;
}
