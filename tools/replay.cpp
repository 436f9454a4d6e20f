// orbostrak_replay: plays one game headless from a script of held buttons and
// prints, frame by frame, the state of play and every draw command the frame
// queued.
//
//   orbostrak_replay [--state-only | --commands-only] [--frames N] SCRIPT|-
//
// A script line is a run of frames and the buttons held through it:
// "120 R F" holds right and fire for 120 frames, "30 -" holds nothing for 30;
// L, R and F may also be written together ("120 RF"); '#' starts a comment.
// Frame 0 is the state after game_start with what it queued; frame n is the
// n-th game_frame. The replay stops at the game's end ("game over score N"),
// at the end of the script or after N frames ("end frame F score S").
#include <SDL.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets/font.h"
#include "assets/sounds.h"
#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "headless.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/ship.h"
#include "sound/mixer.h"

// ---- the clock ----

// SDL_GetTicks and SDL_Delay are wrapped for this program only. The loop
// below advances the clock by exactly one frame before every game_frame, so
// present_frame always finds its 16 ms gone and never waits; a delay, should
// the game ever ask for one, passes on this clock and costs nothing.
static uint32_t replay_ticks;

extern "C" Uint32 __wrap_SDL_GetTicks(void) {
    return replay_ticks;
}

extern "C" void __wrap_SDL_Delay(Uint32 ms) {
    replay_ticks += ms;
}

// ---- the window ----

// Nothing is shown, so no window is opened: the game draws into a plain
// surface of the window's size and format, and a window update does nothing.
// Over SDL 2 a window, even the dummy driver's, would be copied twice a frame.
extern "C" SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bpp, Uint32) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, bpp, 0x00FF0000, 0x0000FF00,
                                0x000000FF, 0xFF000000);
}

extern "C" void __wrap_SDL_UpdateRect(SDL_Surface*, Sint32, Sint32, Uint32, Uint32) {}

// ---- names ----

struct SpriteName {
    const uint8_t* pixels;
    const char* name;
    int16_t w;
    int16_t h;
};

template <int W, int H>
static constexpr SpriteName named(const Picture<W, H>& picture, const char* name) {
    return SpriteName{picture.pixels, name, W, H};
}

static const SpriteName sprite_names[] = {
    named(sprite_ship_a, "ship_a"),
    named(sprite_ship_b, "ship_b"),
    named(sprite_explosion, "explosion"),
    named(sprite_invader1_a, "invader1_a"),
    named(sprite_invader1_b, "invader1_b"),
    named(sprite_invader2_a, "invader2_a"),
    named(sprite_invader2_b, "invader2_b"),
    named(sprite_invader3_a, "invader3_a"),
    named(sprite_invader3_b, "invader3_b"),
    named(sprite_cannon, "cannon"),
    named(sprite_cannon_blast_a, "cannon_blast_a"),
    named(sprite_cannon_blast_b, "cannon_blast_b"),
    named(sprite_shot, "shot"),
    named(sprite_bomb_cross, "bomb_cross"),
    named(sprite_bomb_zigzag, "bomb_zigzag"),
    named(sprite_shield_block, "shield_block"),
    named(sprite_shield_worn_top, "shield_worn_top"),
    named(sprite_shield_worn_bottom, "shield_worn_bottom"),
    named(sprite_shield_worn_right, "shield_worn_right"),
    named(sprite_shield_worn_left, "shield_worn_left"),
};

static const char* const sound_names[SOUND_COUNT] = {
    "game_over", "invader_hit", "cannon_destroyed", "ship_flying", "ship_hit", "start",
    "shot",      "game_start",  "march_1",          "march_2",     "march_3",  "march_4",
};

// Indexed by march_direction: a descent is followed by a sweep to the right
// or, with MARCH_LEFT set, to the left.
static const char* const march_names[4] = {"right", "left", "down-right", "down-left"};

// ---- the script ----

struct ScriptRun {
    long frames;
    ButtonMask held;
};

static FILE* script;
static int script_line;

static void script_error(const char* what) {
    fprintf(stderr, "orbostrak_replay: line %d: %s\n", script_line, what);
    exit(2);
}

// The next run of the script; false at its end.
static bool read_run(ScriptRun& run) {
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
static void hold(ButtonMask held, int32_t frame) {
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

// ---- printing ----

static bool print_state = true;
static bool print_commands = true;

static void report_state(int32_t frame) {
    printf("frame %d score %d lives %d cannon %d ", frame, score, lives, cannon_x);
    if (cannon_explosion_timer > 0)
        printf("exploding %d", cannon_explosion_timer);
    else if (cannon_appear_timer > 0)
        printf("entering %d", cannon_appear_timer);
    else
        printf("ready");
    if (player_shot.active)
        printf(" shot %d %d", player_shot.x, player_shot.y);
    else
        printf(" shot -");
    printf(" ship %d %s %s", ship_x, ship_leftward ? "left" : "right",
           ship_explosion_timer > 0 ? "exploding"
           : ship_steps > 0         ? "flying"
                                    : "parked");
    printf(" march %d %s live %d", march_cursor, march_names[march_direction & 3],
           formation_count());
    int active = 0;
    for (const Bomb& bomb : bombs)
        active += bomb.kind != 0;
    printf(" bombs %d", active);
    for (const Bomb& bomb : bombs)
        if (bomb.kind != 0)
            printf(" %d,%d,%d", bomb.x, bomb.y, bomb.kind);
    printf("\n");
}

// Without a device nothing plays the voices: a voice with samples left was
// started in this frame. It is silenced again so the next start shows too.
static void report_sounds() {
    for (int v = 0; v < VOICES; v++) {
        if (voices[v].remaining <= 0)
            continue;
        voices[v].remaining = 0;
        if (!print_state)
            continue;
        for (int id = 1; id <= SOUND_COUNT; id++)
            if (voices[v].data == sound_blocks[id - 1])
                printf("sound %d %s\n", v, sound_names[id - 1]);
    }
}

static void report_command(const DrawCommand& c) {
    if (!c.pixels) {
        printf("fill %d %d %d %d %d\n", c.gray, c.x, c.y, c.w, c.h);
        return;
    }
    for (const SpriteName& s : sprite_names) {
        if (s.pixels != c.pixels)
            continue;
        if (s.w == c.w && s.h == c.h)
            printf("sprite %s %d %d\n", s.name, c.x, c.y);
        else
            printf("sprite %s %d %d %d %d\n", s.name, c.x, c.y, c.w, c.h);
        return;
    }
    for (int code = 0; code < GLYPH_CODES; code++) {
        if (glyph_table[code] != c.pixels)
            continue;
        if (isgraph(code) && code != '\'')
            printf("glyph '%c' %d %d\n", code, c.x, c.y);
        else
            printf("glyph %d %d %d\n", code, c.x, c.y);
        return;
    }
    printf("sprite ? %d %d %d %d\n", c.x, c.y, c.w, c.h);
}

// What a frame queued is still in the queue when game_frame returns: the
// next frame's present_frame drains it.
static void report(int32_t frame) {
    if (print_state)
        report_state(frame);
    else
        printf("frame %d\n", frame);
    report_sounds();
    if (print_commands)
        for (int32_t i = 0; i < queue_count; i++)
            report_command(draw_queue[(queue_read + i) % DRAW_QUEUE_SLOTS]);
}

// ---- the game ----

static void usage() {
    fprintf(stderr, "usage: orbostrak_replay [--state-only | --commands-only] [--frames N] "
                    "SCRIPT|-\n");
    exit(2);
}

int main(int argc, char* argv[]) {
    long frame_limit = -1;
    const char* path = nullptr;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--state-only") == 0)
            print_commands = false;
        else if (strcmp(argv[i], "--commands-only") == 0)
            print_state = false;
        else if (strcmp(argv[i], "--frames") == 0 && i + 1 < argc)
            frame_limit = strtol(argv[++i], nullptr, 10);
        else if (!path && (argv[i][0] != '-' || argv[i][1] == 0))
            path = argv[i];
        else
            usage();
    }
    if (!path || (!print_state && !print_commands))
        usage();
    script = strcmp(path, "-") == 0 ? stdin : fopen(path, "r");
    if (!script) {
        fprintf(stderr, "orbostrak_replay: cannot read %s\n", path);
        return 2;
    }

    if (headless_start() != 0)
        return 1;

    game_start();
    int32_t frame = 0;
    report(frame);
    bool over = false;
    ScriptRun run;
    while (!over && frame != frame_limit && read_run(run)) {
        hold(run.held, frame);
        for (long k = 0; k < run.frames && frame != frame_limit; k++) {
            replay_ticks += FRAME_MS;
            frame++;
            over = game_frame() == 0;
            report(frame);
            if (over) {
                printf("game over score %d\n", score);
                break;
            }
        }
    }
    if (!over)
        printf("end frame %d score %d\n", frame, score);
    if (script != stdin)
        fclose(script);
    SDL_Quit();
    return 0;
}
