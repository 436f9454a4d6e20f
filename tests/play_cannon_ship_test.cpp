// The cannon, its shot and the mystery ship: firing on the press, what one
// move of the shot scores, when, from where and for how much the ship
// crosses, and the cannon's death and return.
#include "support/play_rig.h"

// The pictures the last update queued: 'c' cannon, 'a' and 'b' its wreck,
// 'A' and 'B' the ship, '.' anything else (an erase).
static std::string queued() {
    return queued({sprite_cannon.pixels, sprite_cannon_blast_a.pixels, sprite_cannon_blast_b.pixels,
                   sprite_ship_a.pixels, sprite_ship_b.pixels},
                  "cabAB.");
}

TEST(Cannon, FiresOneShotPerPressFromItsCentre) {
    quiet_field();
    // pressed, held on with the shot gone, let go, pressed while moving right,
    // let go, pressed while the shot flies (used up), held on after it is gone
    const uint32_t F = BUTTON_FIRE,
                   script[][3] = {{F, 0, 1}, {F, 0, 1}, {0, 0, 1}, {F | BUTTON_RIGHT, 0, 2},
                                  {0, 1, 2}, {F, 1, 2}, {F, 0, 2}};
    for (const auto& [mask, flying, fired] : script) {
        player_shot.active = uint8_t(flying);
        pad_buttons[0] = mask;
        player_update();
        EXPECT_EQ(shots_fired, int32_t(fired)) << "buttons " << mask << ", shot " << flying;
    }
    EXPECT_TRUE(player_shot.x == 1007 && player_shot.y == 947 && sound_on(0) == SND_SHOT);
    player_shot.active = 1;
    shot_cooldown = 20; // as an invader's hit leaves it: the shot rests, then flies on
    for (int frame = 1; frame <= 20; frame++)
        shots_update();
    EXPECT_TRUE(player_shot.y == 947 && shots_update() == 0 && player_shot.y == 943);
}

TEST(Shot, OneMoveScoresTheShipByTheShotsOrdinalAndEverythingElseItMeets) {
    const int32_t ship[] = {100, 50, 100, 200, 300, 50, 100, 50, 100, 200, 300, 50};
    quiet_field();
    for (int n = 1; n <= 12; n++) {
        shots_fired = n;
        player_shot = PlayerShot{500, 27, 1};
        ship_x = 500, ship_steps = 1000, ship_explosion_timer = shot_cooldown = 0;
        formation[0] = Invader{500, 16, uint8_t(n % 4)}; // invaders of every kind, and none
        EXPECT_EQ(shots_update(), ship[n - 1] + 10 * (n % 4)) << "shot " << n;
        EXPECT_TRUE(!player_shot.active && sound_on(3) == SND_SHIP_HIT &&
                    shot_cooldown == (n % 4 ? 20 : 0));
    }
    shields_build();
    formation[0] = Invader{25, 927, 1}; // a shield block and an invader at one point
    player_shot = PlayerShot{25, 935, 1};
    EXPECT_TRUE(shots_update() == 10 && shield_blocks[0].alive == 0);
}

TEST(Ship, Comes240FramesIntoAGameFromTheSideOfTheShotsParityAndWaitsByThemAfterAHit) {
    for (int32_t shots : {4, 7}) {
        new_game(0);
        for (int frame = 1; frame <= 240; frame++) {
            shots_fired = frame < 200 ? shots ^ 1 : shots; // the parity at the moment counts
            ship_update();
        }
        const int32_t x = shots % 2 ? 1811 : 9, wait = 5 * (shots % 2 ? 100 : 200);
        ASSERT_TRUE(ship_x == x && ship_hit_test(x + 7, 23) == 1 && ship_hit_test(x - 8, 16) == 0);
        for (int frame = 1; frame < 90; frame++)
            ship_update();
        EXPECT_EQ(ship_x, x) << "the wreck stands still";
        for (int frame = 0; frame <= wait; frame++)
            ship_update();
        EXPECT_EQ(ship_x, x) << "back five times the worth of the next shot later";
    }
}

TEST(Ship, HumsEveryTwentyFifthStepChangesPictureEveryFourthAndIsHitInItsBox) {
    quiet_field();
    ship_x = 500, ship_steps = 1000;
    std::string pictures;
    for (int step = 1; step <= 100; step++) {
        empty_queue();
        voices[3] = Voice{};
        ship_update();
        EXPECT_EQ(sound_on(3) == SND_SHIP_FLYING, step % 25 == 1) << "step " << step;
        pictures += queued();
    }
    EXPECT_EQ(pictures.substr(0, 24), ".B.B.B.B.A.A.A.A.B.B.B.B");
    // the box is sixteen columns by rows 16 to 23; its far corner is hit in a crossing
    const int probes[][3] = {{-9, 20, 0}, {8, 20, 0}, {0, 15, 0}, {0, 24, 0}, {-8, 16, 1}};
    for (const auto& [dx, y, hit] : probes)
        EXPECT_EQ(ship_hit_test(ship_x + dx, y), hit) << dx << "," << y;
}

// A bomb's hit, then 90 frames of wreck, four of each picture, the last one
// erased; then the cannon shows every other frame for 60, safe from bombs.
TEST(Cannon, DiesByABombThenTheWreckFlickersAndTheCannonBlinksInForSixty) {
    quiet_field();
    EXPECT_TRUE(cannon_hit_test(1000, 960) == 0 && cannon_hit_test(1013, 960) == 0);
    EXPECT_TRUE(cannon_hit_test(1001, 955) == 1 && sound_on(0) == SND_CANNON_DESTROYED);
    const std::string wreck = "aaabbbbaaaabbbbaaaabbbbaaaabbbbaaaabbbbaaaabbbb"
                              "aaaabbbbaaaabbbbaaaabbbbaaaabbbbaaaabbbbaaa.";
    std::string entry, seen[2];
    for (int frame = 1; frame <= 30; frame++)
        entry += "|.|.c";
    for (int frame = 1; frame <= 90 + 61; frame++) {
        empty_queue();
        pad_buttons[0] = BUTTON_LEFT * (frame == 50); // the wreck does not move
        player_update();
        seen[frame > 90] += (frame > 90 ? "|" : "") + queued();
        EXPECT_FALSE(frame < 150 && cannon_hit_test(1005, 960)) << "frame " << frame;
    }
    EXPECT_TRUE(seen[0] == wreck && seen[1] == entry + "|" && cannon_x == 1000 &&
                cannon_hit_test(1005, 960));
}
