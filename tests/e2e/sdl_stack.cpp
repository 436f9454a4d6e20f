// Prints the name of the SDL 1.2 stack this program loads, as the test and
// benchmark scripts label their passes: run it with the LD_LIBRARY_PATH of
// the pass.
#include <cstdio>

#include "tools/headless.h"

int main() {
    char name[128];
    sdl_stack_name(name, sizeof name);
    puts(name);
    return 0;
}
