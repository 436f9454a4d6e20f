// Invader bombs: where and how often they drop, their kinds, and when they
// hit or pass the cannon.
#include <initializer_list>

#include "support/play_rig.h"

namespace {

// The next bomb_try_drop makes an attempt.
void drop_now() {
    bomb_step_count = formation_count() + 15;
    bomb_try_drop();
}

} // namespace

TEST(BombDrop, FromTheLowestInvaderOfColumn65ThenOfColumns6To9And0To4) {
    const int order[] = {65, 6, 7, 8, 9, 0, 1, 2, 3, 4}; // column 5 is never tried
    for (int emptied = 0; emptied <= 10; emptied++) {
        full_formation();
        for (int i = 0; i < emptied * FORMATION_ROWS; i++)
            formation[i % FORMATION_ROWS * 100 + order[i / FORMATION_ROWS]].kind = 0;
        drop_now();
        const Bomb& b = bombs[0];
        EXPECT_TRUE(bomb_step_count == 0 && bomb_alternator == (emptied < 10))
            << "every attempt starts the pause again";
        EXPECT_TRUE(emptied < 10 ? b.x == 16 * (order[emptied] + 1) && b.y == 552 && b.kind == 1
                                 : b.kind == 0)
            << emptied << " columns emptied: bomb at " << b.x << "," << b.y;
    }
    // seed 1 starts at column 64, at its lowest live invader of all forty rows
    full_formation();
    bomb_seed = 1;
    for (int row = 0; row < 20; row++)
        formation[row * 100 + 64].kind = 0;
    formation[2064].x = 404; // wherever it marched to
    drop_now();
    EXPECT_TRUE(bombs[0].x == 404 && bombs[0].y == 544 - 240 + 8);
}

TEST(BombDrop, AnAttemptEveryCountedInvadersPlus16MarchSteps) {
    for (auto [alive, period] : {std::pair{600, 616}, {1, 17}}) {
        full_formation();
        for (int s = alive; s < 600; s++)
            formation[s].kind = 0; // the upper rows still stand in columns 65 and 6
        for (int call = 1; call <= 3 * period; call++) {
            bomb_try_drop();
            ASSERT_EQ(bomb_alternator, call / period) << alive << " alive, call " << call;
        }
    }
}

TEST(BombDrop, TwoDropsInAFrameDifferInKindAndADropInTheNextFrameMatchesTheLast) {
    full_formation();
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

TEST(BombFall, TheCannonIsHitStrictlyInsideItsColumnsFromY947ToTheGroundUnlessBlinkingOrDying) {
    for (auto [appear, explosion] : {std::pair{0, 0}, {60, 0}, {1, 0}, {0, 90}, {0, 1}})
        // moved to 946, 947 and 956: the first misses above, the last is the final chance
        for (int16_t y : std::initializer_list<int16_t>{943, 944, 953})
            for (int16_t x : std::initializer_list<int16_t>{200, 201, 212, 213}) {
                quiet_field();
                cannon_x = 200;
                cannon_appear_timer = appear;
                cannon_explosion_timer = explosion;
                bombs[0] = Bomb{x, y, 1, 0};
                bomb_step();
                bool hit = !appear && !explosion && x > 200 && x < 213 && y > 943;
                EXPECT_TRUE(cannon_explosion_timer == (hit ? 90 : explosion) &&
                            bombs[0].kind == (!hit && y < 953) &&
                            queue_count == (hit || y > 950 ? 1 : 2) &&
                            sound_on(0) == (hit ? SND_CANNON_DESTROYED : 0))
                    << appear << " " << explosion << ": " << x << "," << y;
            }
}
