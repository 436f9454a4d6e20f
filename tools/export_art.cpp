// orbostrak_export: writes every compiled-in picture and sound to files, so
// that they can be looked at and listened to without playing.
//
//   orbostrak_export OUTDIR
//
// OUTDIR/sprites/NAME.pgm    the twenty sprites
// OUTDIR/glyphs/CODE.pgm     the 62 glyphs, named by character code
// OUTDIR/pictures/NAME.pgm   the splash and title pictures
// OUTDIR/screens/NAME.pgm    whole windows drawn by the game's own draw path
//                            on SDL's dummy video driver: splash, title, a
//                            game in play and the game-over screen
// OUTDIR/sounds/NAME.u8      the played samples of each sound, 8000 Hz
//                            unsigned 8-bit mono, with a table of their
//                            levels in OUTDIR/sounds/levels.txt
// The directories must exist. tools/export_art.sh makes them and turns the
// files into PNG and WAV.
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "assets/font.h"
#include "assets/pictures.h"
#include "assets/sounds.h"
#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "headless.h"
#include "play/game.h"
#include "screens/screens.h"
#include "sound/mixer.h"

// ---- the clock ----

// Wrapped for this program only: every frame takes exactly 16 ms, so the
// presenter never waits and the game in play is the same on every run.
static uint32_t export_ticks;

extern "C" Uint32 __wrap_SDL_GetTicks(void) {
    return export_ticks;
}

extern "C" void __wrap_SDL_Delay(Uint32 ms) {
    export_ticks += ms;
}

// ---- files ----

static std::string out_dir;

// A file in OUTDIR opened for writing; the export ends when it cannot be.
static FILE* open_out(const std::string& name, const char* mode) {
    std::string path = out_dir + "/" + name;
    FILE* f = fopen(path.c_str(), mode);
    if (!f) {
        fprintf(stderr, "orbostrak_export: cannot write %s\n", path.c_str());
        exit(1);
    }
    return f;
}

static void write_pgm(const std::string& name, int w, int h, const uint8_t* gray) {
    FILE* f = open_out(name + ".pgm", "wb");
    fprintf(f, "P5\n%d %d\n255\n", w, h);
    fwrite(gray, 1, size_t(w) * h, f);
    fclose(f);
}

template <int W, int H>
static void write_picture(const std::string& name, const Picture<W, H>& picture) {
    write_pgm(name, W, H, picture.pixels);
}

// The window as the player sees it: the low byte of each pixel is its gray.
static void write_window(const char* name) {
    static uint8_t gray[SCREEN_WIDTH * SCREEN_HEIGHT];
    SDL_LockSurface(screen_surface);
    for (int y = 0; y < SCREEN_HEIGHT; y++) {
        const auto* row =
            reinterpret_cast<const uint8_t*>(screen_surface->pixels) + y * screen_surface->pitch;
        for (int x = 0; x < SCREEN_WIDTH; x++)
            gray[y * SCREEN_WIDTH + x] = uint8_t(reinterpret_cast<const uint32_t*>(row)[x]);
    }
    SDL_UnlockSurface(screen_surface);
    write_pgm(std::string("screens/") + name, SCREEN_WIDTH, SCREEN_HEIGHT, gray);
}

// ---- the pictures ----

static void export_sprites() {
    write_picture("sprites/ship_a", sprite_ship_a);
    write_picture("sprites/ship_b", sprite_ship_b);
    write_picture("sprites/explosion", sprite_explosion);
    write_picture("sprites/invader1_a", sprite_invader1_a);
    write_picture("sprites/invader1_b", sprite_invader1_b);
    write_picture("sprites/invader2_a", sprite_invader2_a);
    write_picture("sprites/invader2_b", sprite_invader2_b);
    write_picture("sprites/invader3_a", sprite_invader3_a);
    write_picture("sprites/invader3_b", sprite_invader3_b);
    write_picture("sprites/cannon", sprite_cannon);
    write_picture("sprites/cannon_blast_a", sprite_cannon_blast_a);
    write_picture("sprites/cannon_blast_b", sprite_cannon_blast_b);
    write_picture("sprites/shot", sprite_shot);
    write_picture("sprites/bomb_cross", sprite_bomb_cross);
    write_picture("sprites/bomb_zigzag", sprite_bomb_zigzag);
    write_picture("sprites/shield_block", sprite_shield_block);
    write_picture("sprites/shield_worn_top", sprite_shield_worn_top);
    write_picture("sprites/shield_worn_bottom", sprite_shield_worn_bottom);
    write_picture("sprites/shield_worn_right", sprite_shield_worn_right);
    write_picture("sprites/shield_worn_left", sprite_shield_worn_left);
    for (int code = 0; code < GLYPH_CODES; code++)
        if (glyph_table[code] && (code < 'a' || code > 'z')) {
            char name[32];
            snprintf(name, sizeof name, "glyphs/%03d", code);
            write_pgm(name, 8, 8, glyph_table[code]);
        }
    write_picture("pictures/splash", splash_picture);
    write_picture("pictures/title", title_picture);
}

// The screens through the same calls as the screen sequence. The game
// walks right and fires in bursts until a wave has been bitten into and the
// mystery ship is on its way.
static void export_screens() {
    splash_show();
    write_window("splash");
    title_show();
    for (int frame = 0; frame < 60; frame++) {
        export_ticks += FRAME_MS;
        title_update();
    }
    flush_queue();
    write_window("title");
    game_start();
    const int PLAY_FRAMES = 640;
    for (int frame = 0; frame < PLAY_FRAMES; frame++) {
        if (frame == 60)
            headless_key(SDLK_RIGHT, true);
        if (frame == 400)
            headless_key(SDLK_RIGHT, false);
        if (frame >= 60 && frame % 12 == 0)
            headless_key(SDLK_z, frame % 24 == 0);
        export_ticks += FRAME_MS;
        if (game_frame() == 0)
            break;
    }
    flush_queue();
    write_window("play");
    game_over_show(score, hi_score);
    write_window("game_over");
}

// ---- the sounds ----

static const char* const sound_names[SOUND_COUNT] = {
    "game_over", "invader_hit", "cannon_destroyed", "ship_flying", "ship_hit", "start",
    "shot",      "game_start",  "march_1",          "march_2",     "march_3",  "march_4",
};

static void export_sounds() {
    FILE* table = open_out("sounds/levels.txt", "w");
    fprintf(table, "%-3s %-17s %6s %5s %7s %6s %6s\n", "id", "sound", "played", "peak", "mean",
            "rms", "rails%");
    for (int id = 1; id <= SOUND_COUNT; id++) {
        const uint8_t* samples = sound_blocks[id - 1];
        int n = played_length(id);
        int peak = 0, rails = 0;
        double sum = 0, squares = 0;
        for (int i = 0; i < n; i++) {
            int d = samples[i] - 128;
            peak = abs(d) > peak ? abs(d) : peak;
            rails += samples[i] == 0 || samples[i] == 255;
            sum += samples[i];
            squares += double(d) * d;
        }
        fprintf(table, "%-3d %-17s %6d %5d %7.2f %6.2f %6.2f\n", id, sound_names[id - 1], n, peak,
                sum / n, sqrt(squares / n), 100.0 * rails / n);
        FILE* f = open_out(std::string("sounds/") + sound_names[id - 1] + ".u8", "wb");
        fwrite(samples, 1, size_t(n), f);
        fclose(f);
    }
    fclose(table);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: orbostrak_export OUTDIR\n");
        return 2;
    }
    out_dir = argv[1];
    if (headless_start() != 0) {
        fprintf(stderr, "orbostrak_export: %s\n", SDL_GetError());
        return 1;
    }
    export_sprites();
    export_screens();
    export_sounds();
    SDL_Quit();
    return 0;
}
