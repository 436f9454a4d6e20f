// The formation: its hit test, the bottom rows steering the march and the
// march notes.
#include <array>
#include <vector>

#include "support/play_rig.h"

TEST(FormationHit, EachKindIsHitWithinItsOwnWidthAndOnlyAboveTheLowestLiveRow) {
    for (const auto& [kind, half, result, points] :
         {std::array{1, 6, 2, 10}, std::array{2, 5, 3, 20}, std::array{3, 4, 4, 30}}) {
        full_formation();
        formation[0].kind = uint8_t(kind); // x 16, rows 544 to 552
        EXPECT_TRUE(formation_hit_test(16 + half, 548) == 0 &&
                    formation_hit_test(15 - half, 548) == 0 && formation_hit_test(16, 552) == 0)
            << "kind " << kind;
        EXPECT_TRUE(formation_hit_test(16 - half, 551) == result &&
                    invader_points(result) == points && exploding_invader == 0 &&
                    explosion_steps == EXPLOSION_STEPS)
            << "kind " << kind;
    }
}

TEST(FormationMarch, TheBottomRowsDecideTheTurnsSoThinnedTheyMarchFarther) {
    // Columns lost at the left and the right of the bottom six rows, wraps
    // so far, the direction of the next sweep, and where one invader stands.
    const int L = MARCH_LEFT, D = MARCH_DESCEND;
    const int cases[][7] = {{0, 2, 59, 0, 600, 252, 472},
                            {0, 2, 60, L | D, 600, 256, 472},
                            {1, 0, 109, L, 600, 0, 480},
                            {1, 0, 110, D, 600, -4, 480}};
    for (const auto& [left, right, sweeps, direction, slot, x, y] : cases) {
        full_formation();
        for (int s = 0; s < FORMATION_SLOTS; s++)
            if (s < 600 ? s % 100 < left || s % 100 >= 100 - right : s % 500 != 100)
                formation[s].kind = 0; // above, one in 500 keeps every search window busy
        for (int guard = 0; sweep_count < uint32_t(sweeps) && guard < 100000; guard++)
            formation_step();
        EXPECT_TRUE(march_direction == uint32_t(direction) && formation[slot].x == x &&
                    formation[slot].y == y)
            << "lost " << left << "/" << right << ", sweep " << sweeps << ": " << formation[slot].x;
    }
}

// The id of the march note the step started on voice 2, or 0.
static int32_t step_note() {
    voices[2] = Voice{};
    formation_step();
    return voices[2].remaining ? sound_on(2) : 0;
}

// A note starts each sweep, at least 25 steps after the last: 19 invaders
// sweep in 19 steps.
TEST(FormationNotes, OneNotePerSweepCycling9To12AndFrom9AgainEachWaveAtMostEvery25Steps) {
    full_formation();
    std::vector<int32_t> notes;
    for (uint32_t sweeps = 0; notes.size() < 6;) {
        int32_t note = step_note();
        ASSERT_EQ(note != 0, sweep_count != sweeps) << "step of sweep " << sweep_count;
        sweeps = sweep_count;
        if (note)
            notes.push_back(note);
        if (notes.size() == 5 && note)
            formation_reset(), sweeps = 0;
    }
    EXPECT_EQ(notes, (std::vector<int32_t>{9, 10, 11, 12, 9, 9}));
    for (int s = 12; s < FORMATION_SLOTS; s++)
        formation[s].kind = s % 500 == 100 ? 3 : 0;
    std::vector<int> at;
    for (int step = 1; step <= 200; step++)
        if (step_note())
            at.push_back(step);
    ASSERT_GE(at.size(), 7u);
    for (size_t i = 1; i < at.size(); i++)
        EXPECT_EQ(at[i] - at[i - 1], 25) << "note " << i;
}
