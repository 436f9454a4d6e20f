// Invader bombs: where, how often and of which kind they drop. Where they
// land is pinned by the replayed games.
#include <climits>
#include <string>

#include "support/play_rig.h"

// The next bomb_try_drop makes an attempt.
static void drop_now() {
    bomb_step_count = formation_count() + 15;
    bomb_try_drop();
}

TEST(BombDrop, FromTheLowestInvaderOfColumn65ThenOfColumns6To9And0To4) {
    const int order[] = {65, 6, 7, 8, 9, 0, 1, 2, 3, 4}; // column 5 is never tried
    for (int emptied = 0; emptied <= 10; emptied++) {
        full_formation();
        for (int i = 0; i < emptied * FORMATION_ROWS; i++)
            formation[i % FORMATION_ROWS * 100 + order[i / FORMATION_ROWS]].kind = 0;
        drop_now();
        const Bomb& b = bombs[0];
        // and every attempt starts the pause again
        EXPECT_TRUE(bomb_step_count == 0 &&
                    (emptied < 10 ? b.x == 16 * (order[emptied] + 1) && b.y == 552 && b.kind == 1
                                  : b.kind == 0))
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

// Two drops in one frame differ in kind and a drop in the next frame matches
// the last; an endless game carries the alternator past 2^31 and on.
TEST(BombDrop, KindsAlternateByDropAndByFrameAcrossTheWrapOfTheAlternator) {
    for (int32_t start : {0, INT32_MAX - 1}) {
        full_formation();
        bomb_alternator = start;
        drop_now();
        drop_now();
        drop_now();
        bomb_step();
        drop_now();
        std::string kinds;
        for (int i = 0; i < 5; i++)
            kinds += char('0' + bombs[i].kind);
        EXPECT_EQ(kinds, "12110") << start;
    }
}
