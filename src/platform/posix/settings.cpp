// Where SDL reads its settings from the C library's environment, as on
// Linux and in the emulation a page runs, the game makes them there.
#include "platform/platform.h"

#include <cstdlib>

bool platform_setting_made(const char* name) {
    const char* value = getenv(name);
    return value && value[0];
}

void platform_make_setting(const char* name, const char* value) {
    setenv(name, value, 1);
}
