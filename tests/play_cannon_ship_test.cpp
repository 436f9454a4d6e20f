// The cannon, its shot and the mystery ship: moving, firing on the press,
// what the shot hits and scores, the death of the cannon, and when, from
// where and for how much the ship crosses.
#include <gtest/gtest.h>

#include <vector>

#include "support/play_rig.h"

namespace {

const uint8_t* const SHOT = sprite_shot.pixels;

void fly_ship_at(int32_t x) {
    ship_x = x;
    ship_steps = 1000;
    ship_explosion_timer = 0;
}

} // namespace

TEST(Cannon, MovesAPixelAFrameAndNeverLeaves1To1806) {
    const ButtonMask L = BUTTON_LEFT, R = BUTTON_RIGHT, UD = BUTTON_UP | BUTTON_DOWN;
    // x, buttons, stick, x after one frame
    const int32_t cases[][4] = {{100, L, 0, 99},    {100, 0, R, 101},   {100, L, R, 100},
                                {1, L | R, 0, 2},   {1, L, 0, 1},       {2, L, 0, 1},
                                {1806, R, 0, 1806}, {1805, R, 0, 1806}, {1806, L | R, 0, 1806},
                                {100, UD, 0, 100}};
    for (auto [x, buttons, stick, after] : cases) {
        quiet_field();
        cannon_x = x;
        pad_buttons[0] = buttons;
        pad_axes[0] = stick;
        EXPECT_EQ(player_update(), 0);
        EXPECT_EQ(cannon_x, after) << x << " " << buttons << " " << stick;
        EXPECT_TRUE(after == x ? queue_count == 0 // a ready cannon standing still draws nothing
                               : queued_exactly({{nullptr, x, 955, 13, 8},
                                                 {sprite_cannon.pixels, after, 955, 13, 8}}));
    }
}

TEST(Cannon, FiresOneShotPerPressFromItsCentre) {
    quiet_field();
    cannon_x = 100;
    hold(BUTTON_FIRE);
    player_update();
    EXPECT_TRUE(player_shot.active && player_shot.x == 106 && player_shot.y == 947 &&
                shots_fired == 1 && sound_on(0) == SND_SHOT);
    // held on with the shot gone, let go, pressed while moving right, let go,
    // pressed while the shot flies (used up), held on after it is gone
    const uint32_t F = BUTTON_FIRE, script[][3] = {{F, 0, 1}, {0, 0, 1}, {F | BUTTON_RIGHT, 0, 2},
                                                   {0, 1, 2}, {F, 1, 2}, {F, 0, 2}};
    for (auto [mask, flying, fired] : script) {
        player_shot.active = uint8_t(flying);
        hold(mask);
        player_update();
        EXPECT_EQ(shots_fired, int32_t(fired)) << "buttons " << mask << ", shot " << flying;
    }
    EXPECT_EQ(player_shot.x, 107) << "from the centre of the moved cannon";
    // fire still held from the title screen fires in the first frame of play
    new_game(0);
    hold(BUTTON_FIRE);
    game_frame();
    EXPECT_TRUE(shots_fired == 1 && player_shot.x == 16 && player_shot.y == 943);
    game_start();
    game_frame();
    EXPECT_EQ(shots_fired, 0) << "a new game keeps the held fire";
}

TEST(Shot, RestsTwentyFramesAfterAnInvaderHitThenFliesFrom943To11) {
    quiet_field();
    cannon_x = 100;
    formation[0] = Invader{16, 544, 1};
    player_shot = PlayerShot{16, 552, 1};
    EXPECT_EQ(shots_update(), 10);
    EXPECT_TRUE(!player_shot.active && shot_cooldown == 20 && sound_on(1) == SND_INVADER_HIT);
    EXPECT_TRUE(queued_exactly({{nullptr, 15, 552, 3, 8}}));
    // fired at once: the sound and the count now, the flight after the cooldown
    hold(BUTTON_FIRE);
    player_update();
    EXPECT_TRUE(sound_on(0) == SND_SHOT && shots_fired == 1);
    empty_queue();
    for (int frame = 1; frame <= 20; frame++, empty_queue()) {
        player_update();
        EXPECT_EQ(shots_update(), 0);
        EXPECT_TRUE(queue_count == 0 && player_shot.y == 947) << "frame " << frame;
    }
    shots_update();
    EXPECT_TRUE(queued_exactly({{nullptr, 105, 947, 3, 8}, {SHOT, 105, 943, 3, 8}}));
    int moves = 1;
    for (empty_queue(); player_shot.active && moves < 300; moves++, empty_queue()) {
        EXPECT_EQ(shots_update(), 0);
        EXPECT_TRUE(player_shot.y > 7 || queued_exactly({{nullptr, 105, 11, 3, 8}}));
    }
    EXPECT_TRUE(moves == 235 && player_shot.y == 7) << "tested at 7, last drawn at 11";
}

TEST(Shot, ScoresTheShipByTheShotsOrdinalAndEverythingOneMoveMeets) {
    const int32_t worth[] = {100, 50, 100, 200, 300, 50, 100, 50, 100, 200, 300, 50};
    quiet_field();
    for (int n = 1; n <= 12; n++) {
        player_shot.active = 0;
        player_fire(500);
        player_shot.y = 27;
        fly_ship_at(500);
        formation[0] = Invader{500, 16, uint8_t(n == 4)}; // the 4th also meets an invader
        EXPECT_EQ(shots_update(), worth[n - 1] + (n == 4 ? 10 : 0)) << "shot " << n;
        EXPECT_TRUE(!player_shot.active && sound_on(3) == SND_SHIP_HIT);
        EXPECT_EQ(shot_cooldown, n == 4 ? 20 : 0);
        shot_cooldown = 0;
    }
    shields_build();
    formation[0] = Invader{25, 927, 1}; // a shield block and an invader at one point
    player_shot = PlayerShot{25, 935, 1};
    EXPECT_TRUE(shots_update() == 10 && shield_blocks[0].alive == 0);
}

TEST(Cannon, DiesInNinetyFramesWithoutPollingAndCountsOneLoss) {
    quiet_field();
    cannon_x = 300;
    cannon_explosion_timer = 90;
    push_key(SDLK_z, true);
    push_key(SDLK_ESCAPE, true);
    quit_requested = 0;
    const uint8_t* const A = sprite_cannon_blast_a.pixels;
    const uint8_t* const B = sprite_cannon_blast_b.pixels;
    // timer 90 to 88 shows A, then four frames of each in turn, and 3 to 1 A
    std::vector<const uint8_t*> want(3, A);
    while (want.size() < 87)
        want.insert(want.end(), 4, want.back() == A ? B : A);
    want.insert(want.end(), 3, A);
    int losses = 0;
    for (int frame = 1; frame <= 90; frame++) {
        empty_queue();
        losses += player_update();
        EXPECT_TRUE(frame == 90 || queued_exactly({{want[frame - 1], 300, 955, 13, 8}})) << frame;
    }
    EXPECT_TRUE(queued_exactly({{want[89], 300, 955, 13, 8}, {nullptr, 300, 955, 13, 8}}));
    EXPECT_TRUE(losses == 1 && quit_requested == 0 && fire_held == 0 && cannon_appear_timer == 60);
    EXPECT_TRUE(player_update() == 0 && quit_requested == 1 && shots_fired == 1)
        << "the events waited in SDL's queue";
}

TEST(Ship, Comes240FramesIntoAGameFromTheSideOfTheShotsParityAndWaitsByThemAfter) {
    for (int32_t shots : {0, 7}) {
        new_game(0);
        empty_queue();
        for (int frame = 1; frame < 240; frame++) {
            shots_fired = frame < 200 ? shots ^ 1 : shots; // the parity at the moment counts
            ship_update();
        }
        EXPECT_TRUE(ship_steps == 0 && queue_count == 0);
        int sounds = 0;
        for (int step = 1; step <= 1804; step++) {
            silence();
            empty_queue();
            ship_update();
            sounds += sound_on(3) == SND_SHIP_FLYING;
            EXPECT_TRUE(step > 1 ||
                        queued_exactly({{nullptr, shots ? 1804 : 0, 16, 16, 8},
                                        {sprite_ship_a.pixels, shots ? 1803 : 1, 16, 16, 8}}));
        }
        EXPECT_TRUE(sounds == 72 && queued_exactly({{nullptr, shots ? 1 : 1803, 16, 16, 8}}))
            << "the last step only erases";
        EXPECT_TRUE(ship_x == SHIP_PARKED_X && ship_countdown == (shots ? 500 : 250));
    }
}

TEST(Ship, IsHitInSixteenColumnsAndRows16To23UnlessExploding) {
    const int probes[][3] = {{492, 20, 1}, {491, 20, 0}, {507, 20, 1}, {508, 20, 0},
                             {500, 16, 1}, {500, 23, 1}, {500, 15, 0}, {500, 24, 0}};
    for (auto [x, y, hit] : probes) {
        quiet_field();
        fly_ship_at(500);
        EXPECT_EQ(ship_hit_test(x, y), hit) << x << "," << y;
        EXPECT_TRUE(hit ? queued_exactly(
                              {{nullptr, 492, 16, 16, 8}, {sprite_explosion.pixels, 496, 16, 8, 8}})
                        : queue_count == 0);
    }
    ship_explosion_timer = 50;
    player_shot = PlayerShot{500, 27, 1};
    for (int16_t y : {23, 19, 15}) {
        empty_queue();
        EXPECT_EQ(shots_update(), 0);
        EXPECT_TRUE(queued_exactly({{nullptr, 499, y + 4, 3, 8}, {SHOT, 499, y, 3, 8}}))
            << "the shot flies on through the wreck";
    }
    quiet_field();
    for (int y = 0; y < 980; y++)
        for (int x = 0; x < 1820; x++)
            ASSERT_EQ(ship_hit_test(x, y), 0) << "no ship flying: " << x << "," << y;
}

TEST(Ship, ExplodesNinetyFramesThenWaitsFiveTimesItsValueByTheShotsFiredThen) {
    const int cases[][3] = {{4, 4, 1000}, {5, 6, 250}}; // shots at the hit, at the end, wait
    for (auto [at_hit, after, wait] : cases) {
        quiet_field();
        fly_ship_at(700);
        shots_fired = at_hit;
        ASSERT_EQ(ship_hit_test(700, 20), 1);
        shots_fired = after;
        empty_queue();
        for (int frame = 1; frame < 90; frame++)
            ship_update();
        EXPECT_TRUE(queue_count == 0 && ship_x == 700) << "the wreck stands still";
        ship_update();
        EXPECT_TRUE(queued_exactly({{nullptr, 696, 16, 8, 8}}) && ship_countdown == wait);
        for (int frame = 0; frame < wait; frame++)
            ship_update();
        EXPECT_EQ(ship_x, 9) << "from the left: " << after << " is even";
    }
}

TEST(Ship, AFlyingOrExplodingShipFliesOnIntoTheNextGame) {
    quiet_field();
    ship_x = ship_steps = 900;
    game_start();
    for (int frame = 1; frame < 240; frame++)
        ship_update();
    EXPECT_TRUE(ship_x == 900 + 239 && ship_steps == 900 - 239);
    ship_update();
    EXPECT_TRUE(ship_x == 9 && ship_steps == 1803) << "a new crossing from the edge";
    quiet_field();
    ship_x = 700;
    ship_steps = 1000;
    ship_leftward = 1;
    ship_explosion_timer = 40;
    game_start();
    ship_update();
    EXPECT_TRUE(ship_x == 699 && ship_steps == 999 && sound_on(3) == SND_SHIP_FLYING);
}
