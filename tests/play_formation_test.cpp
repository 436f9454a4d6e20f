// The formation: layout, the march and its pictures, the turns at the edges,
// the invasion line, explosions, march notes and the shot's hit test.
#include <gtest/gtest.h>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/shields.h"
#include "sound/mixer.h"
#include "support/harness.h"

namespace {

struct Want {
    const uint8_t* pixels; // null: a black fill
    int x, y, w, h;
};

void empty_queue() {
    queue_read = queue_write = queue_count = 0;
}

// Exactly these commands, oldest first, since the queue was last emptied.
void expect_queue(std::initializer_list<Want> want) {
    ASSERT_EQ(queue_count, int(want.size()));
    int i = 0;
    for (const Want& w : want) {
        const DrawCommand& c = draw_queue[(queue_read + i++) % DRAW_QUEUE_SLOTS];
        EXPECT_TRUE(c.pixels == w.pixels && c.x == w.x && c.y == w.y && c.w == w.w &&
                    c.h == w.h && c.gray == 0)
            << "command " << i - 1 << " at " << c.x << "," << c.y << " " << c.w << "x" << c.h;
    }
}

// The sound last started on voice 2, told by its played length; 0 none.
int32_t note_heard() {
    int32_t id = 0;
    for (int32_t i = 1; i <= SOUND_COUNT; i++)
        id = voices[2].length == played_length(i) ? i : id;
    voices[2] = Voice{};
    return id;
}

void fresh_formation() {
    start_video();
    for (ShieldBlock& b : shield_blocks)
        b.alive = 0;
    formation_reset();
    empty_queue();
    voices[2] = Voice{};
}

// Only the given invaders of the bottom rows, and above them a few far
// enough apart that no search window of 600 slots is empty.
void thin_out(int first_slot, int last_slot) {
    for (int s = 0; s < FORMATION_SLOTS; s++)
        if (s < first_slot || s > last_slot)
            formation[s].kind = 0;
    for (int s : {600, 1100, 1600, 2100, 2600, 3100, 3600})
        formation[s].kind = 3;
}

void run_sweeps(int n) {
    for (int i = 0; i < n; i++) {
        uint32_t before = sweep_count;
        for (int guard = 0; sweep_count == before && guard < 5000; guard++) {
            formation_step();
            empty_queue();
        }
        ASSERT_NE(sweep_count, before) << "the march did not wrap";
    }
}

} // namespace

TEST(FormationReset, FortyRowsOfHundredInThreeKindsAndAFreshMarch) {
    start_video();
    steps_since_note = 1234;
    march_cursor = -1;
    march_direction = sweep_count = sweep_started = march_note_index = 3;
    explosion_steps = bomb_step_count = bomb_seed = 7;
    empty_queue();
    formation_reset();
    for (int s = 0; s < FORMATION_SLOTS; s++) {
        const Invader& v = formation[s];
        ASSERT_TRUE(v.x == 16 * (s % 100 + 1) && v.y == 544 - 12 * (s / 100) &&
                    v.kind == s / 1600 + 1)
            << "slot " << s;
    }
    EXPECT_TRUE(march_cursor == 0 && march_direction == 0 && sweep_count == 0 &&
                sweep_started == 0 && march_note_index == 0 && explosion_steps == 0 &&
                bomb_step_count == 0 && bomb_seed == 0);
    EXPECT_EQ(steps_since_note, 1234) << "the note spacing runs on across resets";
    EXPECT_EQ(queue_count, 0) << "a reset draws nothing";
    formation[600].kind = formation[3999].kind = 0;
    EXPECT_EQ(formation_count(), 600) << "only the bottom six rows count";
}

TEST(FormationStep, EachInvaderErasesItsOldPlaceThenDrawsOneStepOnInItsFrame) {
    fresh_formation();
    struct Seen {
        int sweep, slot;
        Want erase, picture;
    };
    const Seen seen[] = {
        {0, 0, {nullptr, 10, 544, 12, 8}, {sprite_invader1_a.pixels, 14, 544, 12, 8}},
        {0, 1600, {nullptr, 11, 352, 10, 8}, {sprite_invader2_a.pixels, 15, 352, 10, 8}},
        {0, 3999, {nullptr, 1596, 76, 8, 8}, {sprite_invader3_a.pixels, 1600, 76, 8, 8}},
        {1, 0, {nullptr, 14, 544, 12, 8}, {sprite_invader1_b.pixels, 18, 544, 12, 8}},
        {1, 1600, {nullptr, 15, 352, 10, 8}, {sprite_invader2_b.pixels, 19, 352, 10, 8}},
        {1, 3200, {nullptr, 16, 160, 8, 8}, {sprite_invader3_b.pixels, 20, 160, 8, 8}},
    };
    int next = 0;
    for (int step = 0; step < 2 * FORMATION_SLOTS; step++) {
        int s = step % FORMATION_SLOTS;
        ASSERT_EQ(march_cursor, s);
        empty_queue();
        ASSERT_EQ(formation_step(), 0);
        ASSERT_EQ(queue_count, 2) << "slot " << s;
        if (next < 6 && seen[next].sweep == step / FORMATION_SLOTS && seen[next].slot == s) {
            SCOPED_TRACE(step);
            expect_queue({seen[next].erase, seen[next].picture});
            next++;
        }
    }
    EXPECT_EQ(sweep_count, 2u);
    EXPECT_EQ(bomb_seed, 8000);
}

TEST(FormationTurn, FirstRightTurnEndsSweep52AndSweep53Descends) {
    fresh_formation();
    run_sweeps(51);
    EXPECT_EQ(formation[99].x, 1804);
    EXPECT_EQ(march_direction, 0u) << "1804 does not turn";
    run_sweeps(1);
    EXPECT_EQ(formation[99].x, 1808);
    EXPECT_EQ(march_direction, MARCH_LEFT | MARCH_DESCEND);
    run_sweeps(1);
    EXPECT_TRUE(formation[0].x == 224 && formation[0].y == 552);
    EXPECT_TRUE(formation[3999].x == 1808 && formation[3999].y == 84);
    EXPECT_EQ(march_direction, MARCH_LEFT);
}

TEST(FormationTurn, The53SweepCrossingsAndOuterColumnsShotAway) {
    struct Case {
        int lost_left, lost_right; // columns shot away in the bottom six rows
        int sweep;                 // the wrap after which the direction is checked
        uint32_t direction;
        int upper_slot, upper_x; // where an upper-row invader stands then
    };
    const Case cases[] = {
        {0, 0, 106, MARCH_DESCEND, 600, 12},     {0, 0, 105, MARCH_LEFT, 600, 16},
        {0, 0, 107, 0, 600, 12},                 {0, 0, 159, 0, 699, 1804},
        {0, 0, 160, 3, 699, 1808},               {0, 0, 161, MARCH_LEFT, 699, 1808},
        {0, 2, 59, 0, 699, 1836},                {0, 2, 60, 3, 699, 1840},
        {0, 6, 76, 3, 699, 1904},                {1, 0, 109, MARCH_LEFT, 600, 0},
        {1, 0, 110, MARCH_DESCEND, 600, -4},
    };
    for (const Case& c : cases) {
        fresh_formation();
        thin_out(0, 599);
        formation[699].kind = 3;
        for (int row = 0; row < 6; row++)
            for (int k = 0; k < 100; k++)
                if (k < c.lost_left || k >= 100 - c.lost_right)
                    formation[row * 100 + k].kind = 0;
        run_sweeps(c.sweep);
        EXPECT_EQ(march_direction, c.direction) << c.lost_left << c.lost_right << " " << c.sweep;
        EXPECT_EQ(formation[c.upper_slot].x, c.upper_x) << c.lost_left << c.lost_right << " "
                                                        << c.sweep;
    }
}

TEST(FormationCheckTurn, OnlyLiveBottomInvadersSteerAndNoneTurnsALeftMarch) {
    struct Case {
        uint32_t direction;
        int16_t low_x, high_x; // 0, 0: none alive in the bottom six rows
        uint32_t after;
    };
    for (Case c : {Case{0, 16, 1804, 0}, {0, 16, 1808, 3}, {MARCH_LEFT, 16, 1600, MARCH_LEFT},
                   {MARCH_LEFT, 12, 1600, MARCH_DESCEND}, {MARCH_LEFT, 0, 0, MARCH_DESCEND},
                   {0, 0, 0, 0}}) {
        fresh_formation();
        for (int s = 0; s < 600; s++)
            formation[s] = Invader{int16_t(s % 2 ? -40 : 2000), 544, 0};
        if (c.high_x != 0) {
            formation[250] = Invader{c.low_x, 500, 1};
            formation[333] = Invader{c.high_x, 500, 1};
        }
        formation[600].x = -100;
        formation[3999].x = 2000;
        march_direction = c.direction;
        formation_check_turn();
        EXPECT_EQ(march_direction, c.after) << c.direction << " " << c.low_x << "-" << c.high_x;
    }
}

TEST(FormationInvasion, Row0On51stDescentAt952OrRow1OnItsOwn52ndAt948) {
    struct Case {
        int row, descents, y;
    };
    for (Case c : {Case{0, 51, 952}, {1, 52, 948}}) {
        fresh_formation();
        thin_out(100 * c.row, 100 * c.row + 99);
        Invader& lead = formation[100 * c.row];
        int descents = 0, invaded = 0;
        for (int16_t y = lead.y; !invaded && descents < 60; descents += lead.y != y, y = lead.y) {
            empty_queue();
            invaded = formation_step();
            ASSERT_TRUE(invaded || lead.y < 948);
        }
        EXPECT_EQ(descents, c.descents);
        EXPECT_EQ(lead.y, c.y);
        EXPECT_EQ(march_cursor, 100 * c.row + 1) << "the first invader of the descent";
        const uint8_t* frame = sweep_count & 1 ? sprite_invader1_b.pixels
                                               : sprite_invader1_a.pixels;
        expect_queue({{nullptr, lead.x - 6, c.y - 8, 12, 8}, {frame, lead.x - 6, c.y, 12, 8}});
    }
    for (int16_t from : {936, 940}) {
        fresh_formation();
        formation[0].y = from;
        march_direction = MARCH_DESCEND;
        EXPECT_EQ(formation_step(), from == 940) << "from " << from;
    }
}

TEST(FormationExplosion, TwentyStepsOfTheTwelvePixelEraseAndTheExplosion) {
    fresh_formation();
    formation[1].kind = 2;
    formation_step();
    formation_step(); // slot 1 to x 36
    ASSERT_EQ(formation_hit_test(36, 548), 3);
    EXPECT_TRUE(exploding_invader == 1 && explosion_steps == 20);
    int32_t seed = bomb_seed, notes = steps_since_note;
    for (int i = 1; i <= 20; i++) {
        SCOPED_TRACE(i);
        empty_queue();
        EXPECT_EQ(formation_step(), 0);
        if (i < 20)
            expect_queue({{nullptr, 30, 544, 12, 8}, {sprite_explosion.pixels, 32, 544, 8, 8}});
        EXPECT_EQ(formation[1].kind, i < 20 ? 2 : 0) << "the kind stays until the last step";
        EXPECT_EQ(march_cursor, 2);
    }
    expect_queue({{nullptr, 30, 544, 12, 8}});
    EXPECT_EQ(formation_count(), 599);
    EXPECT_EQ(bomb_seed, seed) << "no march work during an explosion";
    EXPECT_EQ(steps_since_note, notes + 20);
    formation_step();
    EXPECT_EQ(formation[2].x, 52) << "the march resumes at the same cursor";
}

TEST(FormationExplosion, AHitInAFrameLeavesA30StepMarchAndIsNeverSeen) {
    start_video();
    fake_clock_reset(1000);
    game_start();
    player_shot = PlayerShot{16, 552, 1};
    ASSERT_EQ(game_frame(), 1);
    EXPECT_EQ(formation[0].kind, 0);
    EXPECT_EQ(bomb_seed, 30);
    EXPECT_EQ(march_cursor, 30) << "slot 0's dead place costs one step, 1 to 29 move";
    EXPECT_TRUE(formation[29].x == 16 * 30 + 4 && formation[30].x == 16 * 31);
    present_frame();
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 12; x++) {
            ASSERT_EQ(pixel_gray(10 + x, 544 + y), 0);
            ASSERT_EQ(pixel_gray(30 + x, 544 + y), sprite_invader1_a.pixels[12 * y + x]);
        }
}

TEST(MarchNotes, OnePerSweepCycling9To12AndFrom9AfterEachReset) {
    fresh_formation();
    steps_since_note = 0;
    for (int s = 1; s < FORMATION_SLOTS; s++)
        formation_step();
    EXPECT_EQ(note_heard(), 0) << "no note before the wrap";
    formation_step();
    EXPECT_EQ(note_heard(), SND_MARCH_1) << "the note comes with the wrapping step";
    for (int32_t note : {SND_MARCH_2, SND_MARCH_3, SND_MARCH_4, SND_MARCH_1, SND_MARCH_2}) {
        run_sweeps(1);
        EXPECT_EQ(note_heard(), note);
    }
    formation_reset();
    run_sweeps(1);
    EXPECT_EQ(note_heard(), SND_MARCH_1);

    // sweeps of 8 steps: a note every 25 steps
    fresh_formation();
    for (int s = 0; s < FORMATION_SLOTS; s++)
        formation[s].kind = s % 500 == 0;
    steps_since_note = 0;
    for (int step = 1; step <= 100; step++) {
        formation_step();
        EXPECT_EQ(note_heard(), step % 25 ? 0 : SND_MARCH_1 + step / 25 - 1) << step;
    }
    EXPECT_EQ(sweep_count, 12u);
}

TEST(FormationHitTest, NineRowsHighHalfOpenAcrossAndNothingBelowTheLowestRow) {
    struct Probe {
        int x, y, slot; // -1: no hit
    };
    // slot 2 is made kind 2 (x 48), slot 4 kind 3 (x 80)
    for (Probe p : {Probe{10, 548, 0}, {21, 544, 0}, {9, 548, -1}, {22, 548, -1}, {26, 548, 1},
                    {37, 548, 1}, {42, 548, -1}, {43, 548, 2}, {52, 548, 2}, {53, 548, -1},
                    {75, 548, -1}, {76, 548, 4}, {83, 548, 4}, {84, 548, -1}, {16, 551, 0},
                    {16, 552, -1}, {16, 543, -1}, {16, 540, 100}, {16, 532, 100},
                    {16, 531, -1}, {16, 484, 500}, {16, 480, -1}, {1600, 484, 599}}) {
        fresh_formation();
        formation[2].kind = 2;
        formation[4].kind = 3;
        explosion_steps = 0;
        int kind = p.slot < 0 ? 0 : formation[p.slot].kind;
        EXPECT_EQ(formation_hit_test(p.x, p.y), kind ? kind + 1 : 0) << p.x << "," << p.y;
        if (kind) {
            EXPECT_TRUE(exploding_invader == uint32_t(p.slot) && explosion_steps == 20);
        }
    }
    // the floor is the row of the lowest-numbered live slot
    fresh_formation();
    for (int s = 0; s < 100; s++)
        formation[s].kind = 0;
    EXPECT_EQ(formation_hit_test(16, 540), 0);
    EXPECT_EQ(formation_hit_test(16, 539), 2);
    fresh_formation();
    march_direction = MARCH_DESCEND;
    formation_step(); // slot 0 at 552, slot 1 still at 544
    EXPECT_EQ(formation_hit_test(32, 552), 2);
    EXPECT_EQ(exploding_invader, 1u);
}

TEST(FormationStop, AnEmptyBottomStopsTheMarchOnceTheSearchWrapsIntoIt) {
    fresh_formation();
    for (int s = 0; s < 600; s++)
        formation[s].kind = 0;
    formation_step();
    EXPECT_EQ(march_cursor, 600) << "a dead slot at the cursor costs one searching call";
    EXPECT_EQ(bomb_seed, 1);
    for (int i = 0; i < 3399; i++)
        formation_step();
    EXPECT_TRUE(march_cursor == 3999 && formation[600].x == 20);
    formation_step();
    EXPECT_EQ(march_cursor, -1);
    EXPECT_EQ(sweep_count, 1u);
    steps_since_note = 3;
    empty_queue();
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(formation_step(), 0);
    EXPECT_EQ(queue_count, 0);
    EXPECT_EQ(bomb_seed, 3401);
    EXPECT_EQ(steps_since_note, 13) << "stopped steps still count";
}
