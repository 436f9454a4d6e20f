// A quick run through the play modules: the exact commands of a few moves,
// and a long march with the outer columns shot away.
#include <gtest/gtest.h>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/shields.h"
#include "play/ship.h"
#include "support/harness.h"

static void expect_command(int i, const uint8_t* pixels, int x, int y, int w, int h) {
    const DrawCommand& c = draw_queue[i];
    EXPECT_EQ(c.pixels, pixels) << "command " << i;
    EXPECT_EQ(c.x, x) << "command " << i;
    EXPECT_EQ(c.y, y) << "command " << i;
    EXPECT_EQ(c.w, w) << "command " << i;
    EXPECT_EQ(c.h, h) << "command " << i;
}

static void fresh_play() {
    start_video();
    shields_build();
    formation_reset();
    for (Bomb& bomb : bombs)
        bomb.kind = 0;
    player_shot.active = 0;
    shot_cooldown = 0;
    start_video(); // forget the shields' pictures
}

TEST(PlaySmoke, ShieldBlockLeavesAHoleAndWearsItsOwnNeighboursOnly) {
    fresh_play();
    // block 7, second of shield 1, top row: x 84
    EXPECT_EQ(shields_hit_test(84, 924), 1);
    ASSERT_EQ(queue_count, 4);
    expect_command(0, nullptr, 84, 923, 4, 8);
    expect_command(1, sprite_shield_worn_top.pixels, 84, 931, 4, 8);
    expect_command(2, sprite_shield_worn_right.pixels, 80, 923, 4, 8);
    expect_command(3, sprite_shield_worn_left.pixels, 88, 923, 4, 8);

    // block 5, the last of shield 0, bottom row: nothing of shield 1 is redrawn
    start_video();
    EXPECT_EQ(shields_hit_test(44, 938), 1);
    ASSERT_EQ(queue_count, 3);
    expect_command(0, nullptr, 44, 931, 4, 8);
    expect_command(1, sprite_shield_worn_bottom.pixels, 44, 923, 4, 8);
    expect_command(2, sprite_shield_worn_right.pixels, 40, 931, 4, 8);
    EXPECT_EQ(shields_hit_test(44, 938), 0);
    EXPECT_EQ(shields_hit_test(48, 930), 0); // the gap
    EXPECT_EQ(shields_hit_test(24, 923), 0); // above the band
}

TEST(PlaySmoke, FirstStepMovesTheBottomLeftInvaderAndShotHitsIt) {
    fresh_play();
    EXPECT_EQ(formation_step(), 0);
    EXPECT_EQ(formation[0].x, 20);
    EXPECT_EQ(march_cursor, 1);
    expect_command(0, nullptr, 10, 544, 12, 8);
    expect_command(1, sprite_invader1_a.pixels, 14, 544, 12, 8);

    EXPECT_EQ(formation_hit_test(38, 548), 0); // right end of slot 1 is outside
    EXPECT_EQ(formation_hit_test(14, 552), 0); // at the lowest row's y0 + 8
    EXPECT_EQ(formation_hit_test(14, 551), 2);
    EXPECT_EQ(exploding_invader, 0u);
    EXPECT_EQ(explosion_steps, 20);
    for (int i = 0; i < 20; i++)
        formation_step();
    EXPECT_EQ(formation[0].kind, 0);
    EXPECT_EQ(formation_count(), 599);
    EXPECT_EQ(march_cursor, 1); // the march resumes where it was
}

TEST(PlaySmoke, BombComesFromColumn65ThenFromTheLowColumns) {
    fresh_play();
    for (int row = 0; row < FORMATION_ROWS; row++)
        formation[row * 100 + 65].kind = 0;
    bomb_alternator = 0;
    bomb_step_count = formation_count() + 15; // the next call attempts
    bomb_seed = 0;
    bomb_try_drop();
    EXPECT_EQ(bombs[0].kind, 1);
    EXPECT_EQ(bombs[0].x, formation[6].x);
    EXPECT_EQ(bombs[0].y, formation[6].y + 8);
    EXPECT_EQ(bomb_alternator, 1);
}

TEST(PlaySmoke, BombDestroysAReadyCannonOnlyStrictlyInside) {
    fresh_play();
    cannon_x = 100;
    cannon_appear_timer = 0;
    cannon_explosion_timer = 0;
    bombs[0] = Bomb{100, 946, 1, 0}; // on the cannon's left edge: misses
    bombs[1] = Bomb{101, 946, 2, 0};
    bomb_step();
    EXPECT_EQ(bombs[0].kind, 1);
    EXPECT_EQ(bombs[1].kind, 0);
    EXPECT_EQ(cannon_explosion_timer, 90);
    int lost = 0;
    for (int frame = 0; frame < 90; frame++)
        lost += player_update();
    EXPECT_EQ(lost, 1);
    EXPECT_EQ(cannon_appear_timer, 60);
}

TEST(PlaySmoke, UpperRowsMarchOffTheWindowWhenOuterColumnsAreGone) {
    start_video();
    fake_clock_reset(1000);
    game_start();
    // with six right columns gone column 99 turns at 1904, past the window;
    // with column 0 gone the upper column 0 turns at -4
    for (int row = 0; row < 6; row++) {
        formation[row * 100].kind = 0;
        for (int column = 94; column < 100; column++)
            formation[row * 100 + column].kind = 0;
    }
    int16_t smallest = 0, largest = 0;
    int frames = 0;
    while (frames < 20000 && (smallest >= 0 || largest <= SCREEN_WIDTH)) {
        cannon_appear_timer = 1000; // bombs pass a blinking cannon
        if (frames % 10 == 0)
            push_key(SDLK_z, frames % 20 == 0);
        ASSERT_EQ(game_frame(), 1) << "frame " << frames;
        for (const Invader& invader : formation) {
            smallest = std::min(smallest, invader.x);
            largest = std::max(largest, invader.x);
        }
        frames++;
    }
    EXPECT_EQ(smallest, -4);
    EXPECT_EQ(largest, 1904);
    EXPECT_GT(shots_fired, 0);
}
