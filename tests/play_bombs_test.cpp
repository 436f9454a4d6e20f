// Invader bombs: where and how often they drop, their kinds and pictures,
// and what they hit on the way down.
#include <gtest/gtest.h>

#include "support/play_rig.h"

namespace {

const uint8_t* const CROSS = sprite_bomb_cross.pixels;
const uint8_t* const ZIGZAG = sprite_bomb_zigzag.pixels;

// A full formation, no bombs or shields, a ready cannon far away.
void fresh_bombs() {
    quiet_field();
    formation_reset();
}

// The next bomb_try_drop makes an attempt.
void drop_now() {
    bomb_step_count = formation_count() + 15;
    bomb_try_drop();
}

// A ready cannon at 200 and one bomb over its centre.
void bomb_over_cannon(int16_t y) {
    fresh_bombs();
    cannon_x = 200;
    bombs[0] = Bomb{206, y, 1, 0};
}

} // namespace

TEST(BombDrop, FromTheLowestInvaderOfColumn65ThenOfColumns6To9And0To4) {
    const int order[] = {65, 6, 7, 8, 9, 0, 1, 2, 3, 4}; // column 5 is never tried
    for (int emptied = 0; emptied <= 10; emptied++) {
        fresh_bombs();
        for (int i = 0; i < emptied * FORMATION_ROWS; i++)
            formation[i % FORMATION_ROWS * 100 + order[i / FORMATION_ROWS]].kind = 0;
        drop_now();
        const Bomb& b = bombs[0];
        EXPECT_EQ(bomb_step_count, 0) << "every attempt starts the pause again";
        EXPECT_EQ(bomb_alternator, emptied < 10);
        EXPECT_TRUE(emptied < 10 ? b.x == 16 * (order[emptied] + 1) && b.y == 552 && b.kind == 1
                                 : b.kind == 0)
            << emptied << " columns emptied: bomb at " << b.x << "," << b.y;
    }
    // seed 1 starts at column 64, at its lowest live invader of all forty rows
    fresh_bombs();
    bomb_seed = 1;
    for (int row = 0; row < 20; row++)
        formation[row * 100 + 64].kind = 0;
    formation[2064].x = 404; // wherever it marched to
    drop_now();
    EXPECT_TRUE(bombs[0].x == 404 && bombs[0].y == 544 - 240 + 8);
}

TEST(BombDrop, AnAttemptEveryCountedInvadersPlus16MarchSteps) {
    const int cases[][2] = {{600, 616}, {1, 17}, {0, 16}}; // invaders counted, period
    for (auto [alive, period] : cases) {
        fresh_bombs();
        for (int s = alive; s < 600; s++)
            formation[s].kind = 0; // the upper rows still stand in columns 65 and 6
        for (int call = 1; call <= 3 * period; call++) {
            bomb_try_drop();
            ASSERT_EQ(bomb_alternator, call / period) << alive << " alive, call " << call;
        }
    }
    // in the march the 616th step drops it, from column (615 XOR 165) mod 100 = 6
    fresh_bombs();
    for (int step = 1; step <= 616; step++)
        formation_step();
    EXPECT_TRUE(bomb_alternator == 1 && bombs[0].x == 16 * 7 + 4) << bombs[0].x;
}

TEST(BombDrop, TwoDropsInAFrameDifferInKindAndADropInTheNextFrameMatchesTheLast) {
    fresh_bombs();
    bombs[0].kind = 2; // slots are taken lowest first
    drop_now();
    drop_now();
    EXPECT_TRUE(bombs[1].kind == 1 && bombs[2].kind == 2) << "the same frame";
    bomb_step();
    drop_now();
    EXPECT_EQ(bombs[3].kind, 2) << "the next frame";
    bomb_step();
    drop_now();
    EXPECT_TRUE(bombs[4].kind == 2 && bomb_alternator == 6);
}

TEST(BombFall, ThreePixelsAFrameAKind2BombAlternatingItsPicturesUntilTheGround) {
    struct Case {
        uint8_t kind, anim;
        const uint8_t* picture; // after anim + 1
    };
    const Case cases[] = {
        {1, 0, CROSS}, {1, 1, CROSS}, {2, 0, CROSS}, {2, 1, ZIGZAG}, {2, 255, ZIGZAG}};
    for (Case c : cases) {
        fresh_bombs();
        bombs[5] = Bomb{300, 952, c.kind, c.anim};
        bomb_step();
        EXPECT_TRUE(queued_exactly({{nullptr, 299, 952, 3, 8}, {c.picture, 299, 955, 3, 8}}))
            << int(c.kind) << " " << int(c.anim);
        empty_queue();
        bomb_step();
        EXPECT_TRUE(queued_exactly({{nullptr, 299, 955, 3, 8}}) && bombs[5].kind == 0)
            << "drawn last at 955, gone below it";
    }
}

TEST(BombFall, TheCannonIsHitStrictlyInsideItsColumnsFromY947ToJustBeforeTheGround) {
    // moved to 946, 947 and 956: the first misses above, the last is the final chance
    for (int16_t y : {943, 944, 953})
        for (int16_t x : {200, 201, 212, 213}) {
            bomb_over_cannon(y);
            bombs[0].x = x;
            bomb_step();
            bool hit = x > 200 && x < 213 && y > 943;
            EXPECT_TRUE(cannon_explosion_timer == (hit ? 90 : 0) &&
                        bombs[0].kind == (!hit && y < 953) &&
                        sound_on(0) == (hit ? SND_CANNON_DESTROYED : 0))
                << x << "," << y;
            EXPECT_TRUE(!hit || queued_exactly({{nullptr, x - 1, y, 3, 8}})) << "not drawn";
        }
}

TEST(BombFall, BombsPassABlinkingOrDyingCannon) {
    const int timers[][2] = {{60, 0}, {1, 0}, {0, 90}, {0, 1}}; // appear, explosion
    for (auto [appear, explosion] : timers) {
        bomb_over_cannon(930);
        cannon_appear_timer = appear;
        cannon_explosion_timer = explosion;
        for (int frame = 0; frame < 12; frame++)
            bomb_step();
        EXPECT_TRUE(bombs[0].kind == 0 && cannon_explosion_timer == explosion && !sound_on(0));
    }
}
