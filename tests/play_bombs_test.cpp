// Invader bombs: where and how often they drop, their kinds and pictures,
// and what they hit on the way down.
#include <gtest/gtest.h>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/shields.h"
#include "sound/mixer.h"
#include "support/harness.h"

namespace {

struct Want {
    const uint8_t* pixels; // null: a black fill
    int x, y, w, h;
};

const uint8_t* const BLACK = nullptr;
const uint8_t* const CROSS = sprite_bomb_cross.pixels;
const uint8_t* const ZIGZAG = sprite_bomb_zigzag.pixels;

void empty_queue() {
    queue_read = queue_write = queue_count = 0;
}

const DrawCommand& queued(int i) {
    return draw_queue[(queue_read + i) % DRAW_QUEUE_SLOTS];
}

// Exactly these commands, in this order, since the last empty_queue.
void expect_queue(std::initializer_list<Want> want) {
    ASSERT_EQ(queue_count, int(want.size()));
    int i = 0;
    for (const Want& w : want) {
        const DrawCommand& c = queued(i);
        EXPECT_EQ(c.pixels, w.pixels) << "command " << i;
        EXPECT_EQ(c.x, w.x) << "command " << i;
        EXPECT_EQ(c.y, w.y) << "command " << i;
        EXPECT_EQ(c.w, w.w) << "command " << i;
        EXPECT_EQ(c.h, w.h) << "command " << i;
        EXPECT_EQ(c.gray, 0) << "command " << i;
        i++;
    }
}

void silence() {
    for (Voice& v : voices)
        v = Voice{};
}

// The sound id last started on a voice, told by its played length; 0 none.
int32_t sound_on(int voice) {
    for (int32_t id = 1; id <= SOUND_COUNT; id++)
        if (voices[voice].length == played_length(id))
            return id;
    return 0;
}

// A fresh formation, no bombs, no shields, and a ready cannon far away.
void fresh_play() {
    start_video();
    formation_reset();
    for (Bomb& b : bombs)
        b = Bomb{};
    bomb_alternator = 0;
    for (ShieldBlock& b : shield_blocks)
        b.alive = 0;
    cannon_x = 1000;
    cannon_appear_timer = 0;
    cannon_explosion_timer = 0;
    empty_queue();
    silence();
}

void clear_column(int column) {
    for (int row = 0; row < FORMATION_ROWS; row++)
        formation[row * 100 + column].kind = 0;
}

// The next bomb_try_drop makes an attempt.
void attempt_due() {
    bomb_step_count = formation_count() + 15;
}

int bombs_falling() {
    int n = 0;
    for (const Bomb& b : bombs)
        n += b.kind != 0;
    return n;
}

// The one falling bomb; fails the test when there is none.
const Bomb* first_bomb() {
    for (const Bomb& b : bombs)
        if (b.kind != 0)
            return &b;
    return nullptr;
}

} // namespace

TEST(BombDrop, TheFirstColumnIsTheSeedXor165ThenColumns0To9) {
    struct Case {
        std::initializer_list<int> cleared;
        int column; // -1: no bomb
    };
    const Case cases[] = {
        {{}, 65},
        {{65}, 6},
        {{65, 6, 7, 8}, 9},
        {{65, 6, 7, 8, 9}, 0},
        {{65, 6, 7, 8, 9, 0, 1, 2, 3}, 4},
        {{65, 6, 7, 8, 9, 0, 1, 2, 3, 4}, -1}, // ten tried; column 5 stands untried
    };
    for (const Case& c : cases) {
        fresh_play();
        for (int column : c.cleared)
            clear_column(column);
        bomb_seed = 0;
        attempt_due();
        bomb_try_drop();
        EXPECT_EQ(bomb_step_count, 0) << "every attempt starts the pause again";
        const Bomb* b = first_bomb();
        if (c.column < 0) {
            EXPECT_EQ(b, nullptr);
            EXPECT_EQ(bomb_alternator, 0);
            continue;
        }
        ASSERT_NE(b, nullptr) << "column " << c.column;
        EXPECT_EQ(b, &bombs[0]);
        EXPECT_EQ(b->x, 16 * (c.column + 1)) << "column " << c.column;
        EXPECT_EQ(b->y, 544 + 8);
        EXPECT_EQ(b->kind, 1);
        EXPECT_EQ(b->anim, 0);
        EXPECT_EQ(bomb_alternator, 1);
    }

    struct Seed {
        int32_t seed, column;
    };
    for (Seed s : {Seed{1, 64}, {165, 0}, {100, 93}, {64, 29}}) {
        fresh_play();
        bomb_seed = s.seed;
        attempt_due();
        bomb_try_drop();
        ASSERT_NE(first_bomb(), nullptr) << "seed " << s.seed;
        EXPECT_EQ(first_bomb()->x, 16 * (s.column + 1)) << "seed " << s.seed;
    }
}

TEST(BombDrop, FromTheLowestLiveInvaderOfAllFortyRows) {
    fresh_play();
    for (int row = 0; row < 20; row++)
        formation[row * 100 + 65].kind = 0;
    formation[20 * 100 + 65].x = 404; // anywhere it marched to
    attempt_due();
    bomb_try_drop();
    ASSERT_NE(first_bomb(), nullptr);
    EXPECT_EQ(first_bomb()->x, 404);
    EXPECT_EQ(first_bomb()->y, 544 - 12 * 20 + 8);
}

TEST(BombDrop, AnAttemptEveryCountPlus16Calls) {
    struct Case {
        int alive;
        int period;
    };
    for (Case c : {Case{600, 616}, {1, 17}, {0, 16}, {300, 316}}) {
        fresh_play();
        for (int s = c.alive; s < 600; s++)
            formation[s].kind = 0;
        for (int s = 600; s < FORMATION_SLOTS; s++)
            if (s % 100 != 65 && s % 100 != 6)
                formation[s].kind = 0;
        // an upper-row invader stands in columns 65 and 6 whatever the bottom holds
        for (int drop = 1; drop <= 3; drop++) {
            for (int call = 1; call < c.period; call++) {
                bomb_try_drop();
                ASSERT_EQ(bombs_falling(), drop - 1) << c.alive << " alive, call " << call;
            }
            bomb_try_drop();
            ASSERT_EQ(bombs_falling(), drop) << c.alive << " alive";
            EXPECT_EQ(bomb_step_count, 0);
        }
    }
}

TEST(BombKinds, TwoDropsInAFrameDifferAndTheNextFramesDropMatchesTheLast) {
    fresh_play();
    auto drop = [] {
        attempt_due();
        bomb_try_drop();
    };
    drop();
    drop();
    EXPECT_EQ(bombs[0].kind, 1);
    EXPECT_EQ(bombs[1].kind, 2) << "same frame";
    EXPECT_EQ(bomb_alternator, 2);
    bomb_step();
    EXPECT_EQ(bomb_alternator, 3);
    drop();
    EXPECT_EQ(bombs[2].kind, 2) << "next frame: as the last one";
    bomb_step();
    drop();
    EXPECT_EQ(bombs[3].kind, 2);
    EXPECT_EQ(bomb_alternator, 6);
}

TEST(BombDrop, SlotsAreTakenLowestFirstAndAFullRackDropsNothing) {
    fresh_play();
    bombs[0].kind = 2;
    bombs[2].kind = 1;
    attempt_due();
    bomb_try_drop();
    EXPECT_EQ(bombs[1].kind, 1);
    EXPECT_EQ(bombs[1].x, 16 * 66);

    fresh_play();
    for (Bomb& b : bombs)
        b = Bomb{50, 100, 1, 7};
    bomb_alternator = 41;
    attempt_due();
    bomb_try_drop();
    EXPECT_EQ(bomb_alternator, 41);
    EXPECT_EQ(bomb_step_count, 0);
    for (const Bomb& b : bombs)
        ASSERT_EQ(b.y, 100);
}

TEST(BombStep, ErasesMovesThreeDownAndDrawsByKindAndAnimParity) {
    struct Case {
        uint8_t kind, anim;
        const uint8_t* picture; // after anim + 1
    };
    for (Case c : {Case{1, 0, CROSS},
                   {1, 1, CROSS},
                   {2, 0, CROSS},
                   {2, 1, ZIGZAG},
                   {2, 255, ZIGZAG},
                   {2, 254, CROSS}}) {
        fresh_play();
        bombs[5] = Bomb{300, 600, c.kind, c.anim};
        bomb_step();
        SCOPED_TRACE(int(c.kind) * 1000 + c.anim);
        expect_queue({{BLACK, 299, 600, 3, 8}, {c.picture, 299, 603, 3, 8}});
        EXPECT_EQ(bombs[5].y, 603);
        EXPECT_EQ(bombs[5].anim, uint8_t(c.anim + 1));
        EXPECT_EQ(bomb_alternator, 1);
    }
    // a dropped bomb shows first 11 px below its invader's top
    fresh_play();
    attempt_due();
    bomb_try_drop();
    bomb_step();
    expect_queue({{BLACK, 16 * 66 - 1, 552, 3, 8}, {CROSS, 16 * 66 - 1, 555, 3, 8}});
}

TEST(BombStep, TheStepCountsEvenWithNoBombs) {
    fresh_play();
    for (int i = 0; i < 5; i++)
        bomb_step();
    EXPECT_EQ(bomb_alternator, 5);
    EXPECT_EQ(queue_count, 0);
}

TEST(BombStep, TheGroundTakesABombBelow955) {
    fresh_play();
    bombs[0] = Bomb{300, 952, 1, 0};
    bomb_step();
    expect_queue({{BLACK, 299, 952, 3, 8}, {CROSS, 299, 955, 3, 8}});
    empty_queue();
    bomb_step();
    expect_queue({{BLACK, 299, 955, 3, 8}});
    EXPECT_EQ(bombs[0].kind, 0);
    EXPECT_EQ(sound_on(0), 0);
}

TEST(BombStep, TheCannonIsHitStrictlyInsideItsThirteenColumns) {
    struct Case {
        int x;
        bool hit;
    };
    for (Case c : {Case{99, false},
                   {100, false},
                   {101, true},
                   {106, true},
                   {112, true},
                   {113, false},
                   {114, false}}) {
        fresh_play();
        cannon_x = 100;
        bombs[0] = Bomb{int16_t(c.x), 944, 2, 0};
        bomb_step();
        SCOPED_TRACE(c.x);
        if (c.hit) {
            EXPECT_EQ(cannon_explosion_timer, 90);
            EXPECT_EQ(sound_on(0), SND_CANNON_DESTROYED);
            EXPECT_EQ(bombs[0].kind, 0);
            expect_queue({{BLACK, c.x - 1, 944, 3, 8}});
        } else {
            EXPECT_EQ(cannon_explosion_timer, 0);
            EXPECT_EQ(sound_on(0), 0);
            EXPECT_EQ(bombs[0].kind, 2);
        }
    }
}

TEST(BombStep, FourChancesAtTheCannonFromY947ToTheGround) {
    // falling from higher up, the bomb's y after its move is one of 947..949
    // first, and it is tested four times, the last just before the ground
    for (int start : {941, 942, 943}) {
        for (int chance = 0; chance <= 4; chance++) {
            fresh_play();
            cannon_x = 200;
            bombs[0] = Bomb{206, int16_t(start), 1, 0};
            int hit_frame = -1;
            for (int frame = 0; frame < 6 && bombs[0].kind != 0; frame++) {
                // only in the chosen frame is the cannon ready
                cannon_appear_timer = frame == chance + 1 ? 0 : 5;
                bomb_step();
                if (cannon_explosion_timer == 90 && hit_frame < 0)
                    hit_frame = frame;
            }
            SCOPED_TRACE(start * 10 + chance);
            if (chance < 4) {
                EXPECT_EQ(hit_frame, chance + 1);
            } else {
                EXPECT_EQ(hit_frame, -1) << "gone at the ground after four chances";
            }
        }
        // one frame earlier its y + 8 is still above 955
        fresh_play();
        cannon_x = 200;
        bombs[0] = Bomb{206, int16_t(start), 1, 0};
        bomb_step();
        EXPECT_EQ(cannon_explosion_timer, 0) << "start " << start;
    }
}

TEST(BombStep, BombsPassABlinkingOrDyingCannon) {
    struct Case {
        int appear, explosion;
    };
    for (Case c : {Case{60, 0}, {1, 0}, {0, 90}, {0, 1}}) {
        fresh_play();
        cannon_x = 200;
        cannon_appear_timer = c.appear;
        cannon_explosion_timer = c.explosion;
        bombs[0] = Bomb{206, 930, 1, 0};
        for (int frame = 0; frame < 12; frame++)
            bomb_step();
        EXPECT_EQ(bombs[0].kind, 0) << "gone at the ground";
        EXPECT_EQ(cannon_explosion_timer, c.explosion);
        EXPECT_EQ(sound_on(0), 0);
    }
}

TEST(BombStep, OfSeveralBombsOnlyTheLowestSlotDestroysTheCannon) {
    fresh_play();
    cannon_x = 200;
    bombs[3] = Bomb{205, 946, 1, 0};
    bombs[7] = Bomb{207, 946, 2, 0};
    bombs[9] = Bomb{203, 945, 1, 0};
    bomb_step();
    EXPECT_EQ(cannon_explosion_timer, 90);
    EXPECT_EQ(bombs[3].kind, 0);
    EXPECT_EQ(bombs[7].kind, 2) << "falls on";
    EXPECT_EQ(bombs[9].kind, 1);
    expect_queue({{BLACK, 204, 946, 3, 8},
                  {BLACK, 206, 946, 3, 8},
                  {CROSS, 206, 949, 3, 8},
                  {BLACK, 202, 945, 3, 8},
                  {CROSS, 202, 948, 3, 8}});
}

TEST(BombStep, ABombEndsOnTheFirstShieldBlockItMeets) {
    fresh_play();
    shields_build();
    empty_queue();
    bombs[0] = Bomb{25, 913, 1, 0};
    bomb_step(); // y 916, tested at 924: block 0
    expect_queue({{BLACK, 24, 913, 3, 8},
                  {BLACK, 24, 923, 4, 8},
                  {sprite_shield_worn_top.pixels, 24, 931, 4, 8},
                  {sprite_shield_worn_left.pixels, 28, 923, 4, 8}});
    EXPECT_EQ(bombs[0].kind, 0);
    EXPECT_EQ(shield_blocks[0].alive, 0);

    // the next bombs down the same column: the bottom block, then the ground
    auto fall = [] {
        bombs[0] = Bomb{25, 880, 2, 0};
        for (int frame = 0; frame < 40 && bombs[0].kind != 0; frame++)
            bomb_step();
        return int(bombs[0].y);
    };
    EXPECT_EQ(fall(), 925) << "tested at 933: the bottom block";
    EXPECT_EQ(shield_blocks[192].alive, 0);
    EXPECT_EQ(fall(), 958) << "nothing left: the ground";
}
