// The cannon, its shot and the mystery ship: firing on the press, the rest
// after a hit, what one move of the shot scores, and when, from where and
// for how much the ship crosses.
#include <array>
#include <string>
#include <vector>

#include "support/play_rig.h"

namespace {

void fly_ship_at(int32_t x) {
    ship_x = x;
    ship_steps = 1000;
    ship_explosion_timer = 0;
}

} // namespace

TEST(Cannon, FiresOneShotPerPressFromItsCentre) {
    quiet_field();
    cannon_x = 100;
    // pressed, held on with the shot gone, let go, pressed while moving right,
    // let go, pressed while the shot flies (used up), held on after it is gone
    const uint32_t F = BUTTON_FIRE,
                   script[][3] = {{F, 0, 1}, {F, 0, 1}, {0, 0, 1}, {F | BUTTON_RIGHT, 0, 2},
                                  {0, 1, 2}, {F, 1, 2}, {F, 0, 2}};
    for (auto [mask, flying, fired] : script) {
        player_shot.active = uint8_t(flying);
        pad_buttons[0] = mask;
        player_update();
        EXPECT_EQ(shots_fired, int32_t(fired)) << "buttons " << mask << ", shot " << flying;
    }
    EXPECT_TRUE(player_shot.x == 107 && player_shot.y == 947 && sound_on(0) == SND_SHOT)
        << "from the centre of the moved cannon";
    // fire still held from the title screen fires in the first frame of play
    new_game(0);
    pad_buttons[0] = BUTTON_FIRE;
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
    EXPECT_TRUE(shots_update() == 10 && !player_shot.active && shot_cooldown == 20);
    // fired at once: the sound and the count now, the flight after the rest
    pad_buttons[0] = BUTTON_FIRE;
    player_update();
    EXPECT_TRUE(sound_on(0) == SND_SHOT && shots_fired == 1);
    for (int frame = 1, moves = 0; frame <= 255; frame++, moves += frame > 20) {
        empty_queue();
        shots_update();
        ASSERT_TRUE(player_shot.y == 947 - 4 * moves && player_shot.active == (moves < 235) &&
                    queue_count == (moves > 0) + (moves > 0 && moves < 235))
            << "frame " << frame << ": tested at 7, last drawn at 11";
    }
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

TEST(Ship, Comes240FramesIntoAGameFromTheSideOfTheShotsParityAndWaitsByThemAfter) {
    for (int32_t shots : {0, 7}) {
        new_game(0);
        for (int frame = 1; frame < 240; frame++) {
            shots_fired = frame < 200 ? shots ^ 1 : shots; // the parity at the moment counts
            ship_update();
        }
        EXPECT_EQ(ship_steps, 0);
        for (int step = 1; step <= 1804; step++) {
            ship_update();
            ASSERT_TRUE(step > 1 || ship_x == (shots ? 1811 : 9)) << ship_x;
        }
        EXPECT_TRUE(ship_x == SHIP_PARKED_X && ship_countdown == (shots ? 500 : 250))
            << "parked for five times the worth of the next shot";
    }
}

TEST(Ship, IsHitInSixteenColumnsAndRows16To23AndNotWhileExploding) {
    const int probes[][3] = {{492, 20, 1}, {491, 20, 0}, {507, 20, 1}, {508, 20, 0},
                             {500, 16, 1}, {500, 23, 1}, {500, 15, 0}, {500, 24, 0}};
    for (auto [x, y, hit] : probes) {
        quiet_field();
        fly_ship_at(500);
        EXPECT_TRUE(ship_hit_test(x, y) == hit && ship_explosion_timer == 90 * hit)
            << x << "," << y;
    }
    ship_explosion_timer = 50;
    player_shot = PlayerShot{500, 27, 1};
    for (int y : {23, 19, 15})
        EXPECT_TRUE(shots_update() == 0 && player_shot.active && player_shot.y == y)
            << "the shot flies on through the wreck";
}

TEST(Ship, ExplodesNinetyFramesThenWaitsFiveTimesItsValueByTheShotsFiredThen) {
    for (auto [at_hit, after, wait] : {std::array{4, 4, 1000}, {5, 6, 250}}) {
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
        EXPECT_TRUE(queue_count == 1 && ship_countdown == wait);
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
    fly_ship_at(700);
    ship_leftward = 1;
    ship_explosion_timer = 40;
    game_start();
    ship_update();
    EXPECT_TRUE(ship_x == 699 && ship_steps == 999) << "the wreck flies on, whole";
}

// The pictures an update queued at the cannon's row: 'c' cannon, 'a' and
// 'b' the two wreck pictures, '.' an erase.
std::string cannon_pictures() {
    std::string seen;
    for (int i = 0; i < queue_count; i++) {
        const uint8_t* p = draw_queue[(queue_read + i) % DRAW_QUEUE_SLOTS].pixels;
        seen += p == sprite_cannon.pixels           ? 'c'
                : p == sprite_cannon_blast_a.pixels ? 'a'
                : p == sprite_cannon_blast_b.pixels ? 'b'
                                                    : '.';
    }
    return seen;
}

// 90 frames of wreck, four of each picture, the last one erased; then the
// cannon shows every other frame for 60 and stands still from then on.
TEST(Cannon, TheWreckFlickersEveryFourFramesThenTheCannonBlinksInForSixty) {
    quiet_field();
    cannon_explosion_timer = 90;
    std::string wreck = "aaa", entry;
    for (int run = 0; run < 21; run++)
        wreck += run % 2 ? "aaaa" : "bbbb";
    wreck += "aaa.";
    for (int frame = 1; frame <= 30; frame++)
        entry += "|.|.c";
    std::string seen[2];
    for (int frame = 1; frame <= 90 + 61; frame++) {
        empty_queue();
        pad_buttons[0] = BUTTON_LEFT * (frame == 50); // the wreck does not move
        player_update();
        seen[frame > 90] += (frame > 90 ? "|" : "") + cannon_pictures();
    }
    EXPECT_EQ(seen[0], wreck);
    EXPECT_EQ(seen[1], entry + "|");
    EXPECT_EQ(cannon_x, 1000);
}

TEST(Ship, HumsEveryTwentyFifthStepAndChangesPictureEveryFourth) {
    quiet_field();
    fly_ship_at(500);
    std::string pictures;
    std::vector<int> hums;
    for (int step = 1; step <= 100; step++) {
        empty_queue();
        voices[3] = Voice{};
        ship_update();
        if (voices[3].remaining)
            hums.push_back(step);
        EXPECT_EQ(sound_on(3), voices[3].remaining ? SND_SHIP_FLYING : 0);
        const uint8_t* p = draw_queue[1].pixels;
        pictures += p == sprite_ship_a.pixels ? 'a' : p == sprite_ship_b.pixels ? 'b' : '?';
    }
    EXPECT_EQ(hums, (std::vector<int>{1, 26, 51, 76}));
    EXPECT_EQ(pictures.substr(0, 12), "bbbbaaaabbbb");
    EXPECT_EQ(pictures.find('?'), std::string::npos);
}
