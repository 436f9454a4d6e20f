// The replay's script: runs of frames with the buttons held through them,
// read one at a time, and the held buttons pressed on the keyboard.
#include "replay_script.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "headless.h"

// ---- the script ----

static FILE* script;
static int script_line;

bool script_open(const char* path) {
    script = strcmp(path, "-") == 0 ? stdin : fopen(path, "r");
    return script != nullptr;
}

void script_close() {
    if (script != stdin)
        fclose(script);
}

static void script_error(const char* what) {
    fprintf(stderr, "orbostrak_replay: line %d: %s\n", script_line, what);
    exit(2);
}

bool read_run(ScriptRun& run) {
    char line[512];
    while (fgets(line, sizeof line, script)) {
        script_line++;
        if (char* comment = strchr(line, '#'))
            *comment = 0;
        char* p = line;
        while (isspace(static_cast<unsigned char>(*p)))
            p++;
        if (*p == 0)
            continue;
        char* end;
        run.frames = strtol(p, &end, 10);
        if (end == p || run.frames < 0)
            script_error("a run starts with its number of frames");
        run.held = 0;
        for (p = end; *p; p++) {
            switch (*p) {
            case 'L':
                run.held |= BUTTON_LEFT;
                break;
            case 'R':
                run.held |= BUTTON_RIGHT;
                break;
            case 'F':
                run.held |= BUTTON_FIRE;
                break;
            case '-':
                break;
            default:
                if (!isspace(static_cast<unsigned char>(*p)))
                    script_error("buttons are L, R, F or - for none");
            }
        }
        return true;
    }
    return false;
}

// ---- input ----

// The held buttons reach the game as key presses and releases through SDL's
// event queue, the road a player's keys take: input_poll inside player_update
// picks them up, so a change shows in the first frame of its run, and a
// change made while the cannon explodes waits for the first poll after it,
// as it would at the keyboard.
void hold_buttons(ButtonMask held, int32_t frame) {
    static ButtonMask previous = 0;
    static const struct {
        ButtonMask bit;
        SDLKey key;
    } keys[] = {{BUTTON_LEFT, SDLK_LEFT}, {BUTTON_RIGHT, SDLK_RIGHT}, {BUTTON_FIRE, SDLK_z}};
    for (const auto& k : keys) {
        if (((held ^ previous) & k.bit) == 0)
            continue;
        if (headless_key(k.key, (held & k.bit) != 0) != 0)
            fprintf(stderr, "orbostrak_replay: frame %d: event queue full, a key is lost\n",
                    frame + 1);
    }
    previous = held;
}
