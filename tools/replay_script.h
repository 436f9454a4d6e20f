// The replay's script: runs of frames with the buttons held through them,
// read one at a time, and the held buttons pressed on the keyboard.
#pragma once

#include <cstdint>

#include "frame/input.h"

struct ScriptRun {
    long frames;
    ButtonMask held;
};

// Opens the script, "-" for standard input; false when it cannot be read.
bool script_open(const char* path);
void script_close();

// The next run of the script; false at its end. A line that is no run
// stops the replay with its number (exit status 2).
bool read_run(ScriptRun& run);

// Presses and releases keys so that exactly the held buttons are down from
// the frame after `frame` on.
void hold_buttons(ButtonMask held, int32_t frame);
