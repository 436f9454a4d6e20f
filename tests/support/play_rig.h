// Play rig: all of play, a quiet field to set a scene in, and readers for
// what the play modules queued and which sounds they started.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

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

// One expected draw command; null pixels: a black fill.
struct Want {
    const uint8_t* pixels;
    int x, y, w, h;
};

void empty_queue();
// Exactly these commands, oldest first, since the queue was last emptied.
::testing::AssertionResult queued_exactly(std::initializer_list<Want> want);
// The sound id last started on a voice, told by its played length; 0 none.
int32_t sound_on(int voice);
void silence();
void hold(ButtonMask mask);
// No invaders, shields, bombs, shot or ship; a ready cannon at x 1000; no
// input; the fake clock on; the queue empty and every voice quiet.
void quiet_field();
// March until the formation has wrapped n more times.
void run_sweeps(int n);
// The game screen of a new game, with this best score of earlier games.
void new_game(int32_t best);
