#include "play/game.h"

#include "display/draw_queue.h"
#include "display/panel.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/shields.h"
#include "play/ship.h"
#include "sound/mixer.h"

int32_t score;
int32_t hi_score;
int32_t lives;

// ---- set-up ----

void game_start() {
    score = 0;
    lives = STARTING_LIVES;
    // discards whatever was still queued: all of this game is queued after it
    panel_setup();
    cannon_reset();
    shields_build();
    bombs_reset();
    formation_reset();
    ship_reset();
    play_sound(VOICE_INVADERS, SND_GAME_START);
}

// ---- per frame ----

int game_frame() {
    present_frame();
    if (player_update() == 1) {
        lives -= 1;
        if (lives >= 0)
            panel_draw_lives(lives);
    }
    // the shot is resolved before the march, so a hit invader has finished
    // exploding by the end of this frame; the bombs fall inside this step
    int32_t points = shots_update();
    if (points > 0) {
        score += points;
        panel_draw_number(score, PANEL_SCORE_Y);
    }
    // the march drops the bombs as it goes
    bool invaded = false;
    for (int32_t i = 0; i < MARCH_STEPS_PER_FRAME && !invaded; i++)
        invaded = formation_step() == 1;
    if (!invaded) {
        if (formation_count() == 0) {
            formation_reset();
            shields_build();
        }
        ship_update();
        if (lives >= 0)
            return 1;
    }
    // the best score is raised only when a game ends
    if (hi_score < score)
        hi_score = score;
    return 0;
}
