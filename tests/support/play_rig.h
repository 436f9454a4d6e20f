// Play rig: all of play, a quiet field to set a scene in, and a reader of
// the sounds that play started.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/shields.h"
#include "play/ship.h"
#include "sound/mixer.h"
#include "support/harness.h"

// The sound id last started on a voice, told by its played length; 0 none.
inline int32_t sound_on(int voice) {
    for (int32_t id = 1; id <= SOUND_COUNT; id++)
        if (voices[voice].length == played_length(id))
            return id;
    return 0;
}

// The queued commands, one letter each: letters[i] for pictures[i], the last
// letter for anything else; with xy each is followed by "x,y ".
inline std::string queued(std::vector<const uint8_t*> pictures, const char* letters,
                          bool xy = false) {
    std::string s;
    for (int i = 0; i < queue_count; i++) {
        const DrawCommand& c = draw_queue[(queue_read + i) % DRAW_QUEUE_SLOTS];
        s += letters[std::find(pictures.begin(), pictures.end(), c.pixels) - pictures.begin()];
        if (xy)
            s += std::to_string(c.x) + "," + std::to_string(c.y) + " ";
    }
    return s;
}

// No invaders, shields, bombs, shot or ship; a ready cannon at x 1000; no
// buttons (a test sets pad_buttons[0]); the fake clock on; the queue empty
// and every voice quiet.
inline void quiet_field() {
    start_video();
    fake_clock_reset(1000);
    for (SDL_Event event; SDL_PollEvent(&event);) {
    }
    pad_buttons[0] = pad_axes[0] = 0;
    memset(formation, 0, sizeof formation);
    memset(shield_blocks, 0, sizeof shield_blocks);
    memset(bombs, 0, sizeof bombs);
    bomb_alternator = fire_held = shot_cooldown = shots_fired = 0;
    cannon_x = 1000;
    cannon_appear_timer = cannon_explosion_timer = 0;
    player_shot = PlayerShot{};
    ship_x = SHIP_PARKED_X;
    ship_countdown = ship_steps = ship_explosion_timer = ship_leftward = 0;
    memset(voices, 0, sizeof voices);
}

// The game screen of a new game, with this best score of earlier games.
inline void new_game(int32_t best) {
    quiet_field();
    hi_score = best;
    game_start();
}

// A quiet field under a whole formation.
inline void full_formation() {
    quiet_field();
    formation_reset();
}
