// The formation: the march and its pictures, the turns at the edges, the
// invasion line, explosions, march notes and the shot's hit test.
#include <gtest/gtest.h>

#include <array>

#include "support/play_rig.h"

namespace {

void fresh_formation() {
    quiet_field();
    formation_reset();
}

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

TEST(FormationMarch, EachInvaderErasesItsOldPlaceAndShowsOneStepOnInTheSweepsFrame) {
    fresh_formation();
    struct Seen {
        int step;
        Want erase, picture;
    };
    const Seen seen[] = {
        {0, {nullptr, 10, 544, 12, 8}, {sprite_invader1_a.pixels, 14, 544, 12, 8}},
        {1600, {nullptr, 11, 352, 10, 8}, {sprite_invader2_a.pixels, 15, 352, 10, 8}},
        {3999, {nullptr, 1596, 76, 8, 8}, {sprite_invader3_a.pixels, 1600, 76, 8, 8}},
        {4000, {nullptr, 14, 544, 12, 8}, {sprite_invader1_b.pixels, 18, 544, 12, 8}},
        {7200, {nullptr, 16, 160, 8, 8}, {sprite_invader3_b.pixels, 20, 160, 8, 8}}};
    const Seen* next = seen;
    for (int step = 0; step < 2 * FORMATION_SLOTS; step++) {
        ASSERT_EQ(march_cursor, step % FORMATION_SLOTS);
        empty_queue();
        ASSERT_EQ(formation_step(), 0);
        ASSERT_EQ(queue_count, 2) << "step " << step;
        if (next != std::end(seen) && next->step == step) {
            EXPECT_TRUE(queued_exactly({next->erase, next->picture})) << "step " << step;
            next++;
        }
    }
}

TEST(FormationMarch, TurnsAtTheWrapsThatTheBottomRowsDecideAndMarchFartherWhenThinned) {
    // Columns lost at the left and the right of the bottom six rows, wraps so
    // far, the direction of the next sweep, and where one invader stands then.
    // Whole, the first right turn comes at the wrap that ends sweep 52, then 53
    // sweeps each way; each column lost takes the march 16 px farther out.
    const int L = MARCH_LEFT, D = MARCH_DESCEND;
    const int cases[][7] = {{0, 0, 51, 0, 99, 1804, 544},      {0, 0, 52, L | D, 99, 1808, 544},
                            {0, 0, 53, L, 99, 1808, 552},      {0, 0, 105, L, 600, 16, 480},
                            {0, 0, 106, D, 600, 12, 480},      {0, 0, 107, 0, 600, 12, 488},
                            {0, 0, 159, 0, 699, 1804, 488},    {0, 0, 160, L | D, 699, 1808, 488},
                            {0, 2, 59, 0, 699, 1836, 472},     {0, 2, 60, L | D, 699, 1840, 472},
                            {0, 6, 76, L | D, 699, 1904, 472}, {1, 0, 109, L, 600, 0, 480},
                            {1, 0, 110, D, 600, -4, 480}};
    int group = -1, done = 0;
    for (auto [left, right, sweeps, direction, slot, x, y] : cases) {
        if (left * 100 + right != group) {
            group = left * 100 + right;
            done = 0;
            fresh_formation();
            thin_out(0, 599);
            for (int s = 0; s < 600; s++)
                if (s % 100 < left || s % 100 >= 100 - right)
                    formation[s].kind = 0;
        }
        run_sweeps(sweeps - done);
        done = sweeps;
        EXPECT_TRUE(march_direction == uint32_t(direction) && formation[slot].x == x &&
                    formation[slot].y == y)
            << "lost " << left << "/" << right << " after sweep " << sweeps << ": "
            << march_direction << ", " << formation[slot].x << "," << formation[slot].y;
    }
}

TEST(FormationInvasion, Row0InvadesOnIts51stDescentAt952AndRow1OnIts52ndAt948) {
    for (auto [row, descents_wanted, y_wanted] : {std::array{0, 51, 952}, {1, 52, 948}}) {
        fresh_formation();
        thin_out(100 * row, 100 * row + 99);
        Invader& lead = formation[100 * row];
        int descents = 0, invaded = 0;
        for (int16_t y = lead.y; !invaded && descents < 60; descents += lead.y != y, y = lead.y) {
            empty_queue();
            invaded = formation_step();
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

TEST(FormationMarch, OneNotePerSweepCycling9To12AndFrom9AfterAReset) {
    fresh_formation();
    steps_since_note = 1000; // counted on from the last game
    for (int32_t note : {SND_MARCH_1, SND_MARCH_2, SND_MARCH_3, SND_MARCH_4, SND_MARCH_1}) {
        silence();
        run_sweeps(1);
        EXPECT_TRUE(sound_on(2) == note && steps_since_note == 0) << "at the wrapping step";
    }
    formation_reset();
    silence();
    run_sweeps(1);
    EXPECT_EQ(sound_on(2), SND_MARCH_1) << "each wave begins again with note 9";
    for (int s = 0; s < FORMATION_SLOTS; s++)
        formation[s].kind = s % 500 == 0; // sweeps of 8 steps: a note every 25 steps
    for (int step = 1; step <= 50; step++) {
        silence();
        formation_step();
        EXPECT_EQ(sound_on(2), step % 25 ? 0 : SND_MARCH_1 + step / 25) << step;
    }
}

TEST(FormationHitTest, NineRowsHighHalfOpenAcrossOnlyInTheBottomRowsAndAboveTheLowest) {
    // x, y and the slot hit, -1 none; slot 2 is made kind 2 (x 48), slot 4 kind 3 (x 80)
    const int probes[][3] = {{10, 548, 0},     {21, 544, 0},   {9, 548, -1},   {22, 548, -1},
                             {43, 548, 2},     {52, 548, 2},   {53, 548, -1},  {76, 548, 4},
                             {83, 548, 4},     {84, 548, -1},  {16, 551, 0},   {16, 552, -1},
                             {16, 543, -1},    {16, 540, 100}, {16, 532, 100}, {16, 531, -1},
                             {1600, 484, 599}, {16, 480, -1}};
    for (auto [x, y, slot] : probes) {
        fresh_formation();
        formation[2].kind = 2;
        formation[4].kind = 3;
        int kind = slot < 0 ? 0 : formation[slot].kind;
        EXPECT_EQ(formation_hit_test(x, y), kind ? kind + 1 : 0) << x << "," << y;
        EXPECT_TRUE(!kind || (exploding_invader == uint32_t(slot) && explosion_steps == 20));
    }
    // with row 0 gone the floor is row 1's
    for (int s = 0; s < 100; s++)
        formation[s].kind = 0;
    EXPECT_TRUE(formation_hit_test(16, 540) == 0 && formation_hit_test(16, 539) == 2);
}
