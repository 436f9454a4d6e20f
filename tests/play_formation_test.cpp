// The formation: the turns at the edges, the invasion line and an
// explosion played out within one frame.
#include <array>
#include <vector>

#include "support/play_rig.h"

namespace {

// Only slots first to last of the bottom rows, and above them a few invaders
// far enough apart that no search window of 600 slots is empty.
void thin_out(int first, int last) {
    for (int s = 0; s < FORMATION_SLOTS; s++)
        if (s < first || s > last)
            formation[s].kind = 0;
    for (int s : {600, 699, 1100, 1600, 2100, 2600, 3100, 3600})
        formation[s].kind = 3;
}

} // namespace

TEST(FormationMarch, TurnsAtTheWrapsThatTheBottomRowsDecideAndMarchFartherWhenThinned) {
    // Columns lost at the left and the right of the bottom six rows, wraps so
    // far, the direction of the next sweep, and where one invader stands then.
    // Whole, the first right turn comes at the wrap that ends sweep 52, then 53
    // sweeps each way; each column lost takes the march 16 px farther out.
    const int L = MARCH_LEFT, D = MARCH_DESCEND;
    const int cases[][7] = {{0, 0, 51, 0, 99, 1804, 544},  {0, 0, 52, L | D, 99, 1808, 544},
                            {0, 0, 53, L, 99, 1808, 552},  {0, 0, 105, L, 600, 16, 480},
                            {0, 0, 106, D, 600, 12, 480},  {0, 0, 107, 0, 600, 12, 488},
                            {0, 2, 59, 0, 699, 1836, 472}, {0, 2, 60, L | D, 699, 1840, 472},
                            {1, 0, 109, L, 600, 0, 480},   {1, 0, 110, D, 600, -4, 480}};
    int group = -1;
    for (auto [left, right, sweeps, direction, slot, x, y] : cases) {
        if (left * 100 + right != group) {
            group = left * 100 + right;
            full_formation();
            thin_out(0, 599);
            for (int s = 0; s < 600; s++)
                if (s % 100 < left || s % 100 >= 100 - right)
                    formation[s].kind = 0;
        }
        for (int guard = 0; sweep_count < uint32_t(sweeps) && guard < 100000; guard++)
            formation_step();
        EXPECT_TRUE(march_direction == uint32_t(direction) && formation[slot].x == x &&
                    formation[slot].y == y)
            << "lost " << left << "/" << right << ", sweep " << sweeps << ": " << formation[slot].x;
    }
}

TEST(FormationInvasion, Row0InvadesOnIts51stDescentAt952AndRow1OnIts52ndAt948) {
    for (auto [row, descents_wanted, y_wanted] : {std::array{0, 51, 952}, {1, 52, 948}}) {
        full_formation();
        thin_out(100 * row, 100 * row + 99);
        Invader& lead = formation[100 * row];
        int descents = 0, invaded = 0;
        for (int16_t y = lead.y; !invaded && descents < 60; descents += lead.y != y, y = lead.y) {
            invaded = formation_step();
            empty_queue();
            ASSERT_TRUE(invaded || lead.y < 948);
        }
        EXPECT_TRUE(descents == descents_wanted && lead.y == y_wanted) << "row " << row;
        EXPECT_EQ(march_cursor, 100 * row + 1) << "the invading step still searched";
    }
}

TEST(FormationExplosion, AnInvaderHitInAFrameIsGoneUnseenAndThatFrameMarches30Steps) {
    new_game(0);
    player_shot = PlayerShot{16, 552, 1};
    ASSERT_EQ(game_frame(), 1);
    EXPECT_TRUE(formation[0].kind == 0 && formation_count() == 599);
    EXPECT_TRUE(bomb_seed == 30 && march_cursor == 30) << "slot 0's dead place costs a step";
    present_frame();
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 12; x++)
            ASSERT_TRUE(pixel_gray(10 + x, 544 + y) == 0 &&
                        pixel_gray(30 + x, 544 + y) == sprite_invader1_a.pixels[12 * y + x]);
}

// The id of the march note the step started on voice 2, or 0.
int32_t step_note() {
    voices[2] = Voice{};
    formation_step();
    return voices[2].remaining ? sound_on(2) : 0;
}

TEST(FormationNotes, OneNotePerSweepAtTheWrapCyclingFromNote9AgainEachWave) {
    full_formation();
    std::vector<int32_t> notes;
    for (uint32_t sweeps = 0; notes.size() < 6;) {
        int32_t note = step_note();
        ASSERT_EQ(note != 0, sweep_count != sweeps) << "step of sweep " << sweep_count;
        sweeps = sweep_count;
        if (note)
            notes.push_back(note);
        if (notes.size() == 5 && note) {
            formation_reset();
            sweeps = 0;
        }
    }
    EXPECT_EQ(notes, (std::vector<int32_t>{9, 10, 11, 12, 9, 9}));
}

TEST(FormationNotes, SweepsShorterThan25StepsGetANoteEvery25Steps) {
    full_formation();
    thin_out(0, 3); // 12 invaders: a sweep of 12 steps
    std::vector<int> at;
    for (int step = 1; step <= 200; step++)
        if (step_note())
            at.push_back(step);
    ASSERT_GE(at.size(), 7u);
    for (size_t i = 1; i < at.size(); i++)
        EXPECT_EQ(at[i] - at[i - 1], 25) << "note " << i;
}
