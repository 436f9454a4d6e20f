// The mystery ship: when and from where it comes, its crossing, its sound
// and pictures, the hit band, the explosion and what a new game keeps.
#include <gtest/gtest.h>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/shields.h"
#include "play/ship.h"
#include "sound/mixer.h"
#include "support/harness.h"

namespace {

struct Want {
    const uint8_t* pixels; // null: a black fill
    int x, y, w, h;
};

const uint8_t* const BLACK = nullptr;
const uint8_t* const SHIP_A = sprite_ship_a.pixels;
const uint8_t* const SHIP_B = sprite_ship_b.pixels;

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

void parked_ship() {
    start_video();
    ship_x = SHIP_PARKED_X;
    ship_y = 16;
    ship_countdown = 0;
    ship_steps = 0;
    ship_explosion_timer = 0;
    ship_leftward = 0;
    shots_fired = 0;
    empty_queue();
    silence();
}

void fly_ship_at(int32_t x) {
    parked_ship();
    ship_x = x;
    ship_steps = 1000;
}

// Only the shot and the ship in play.
void clear_play() {
    for (Invader& v : formation)
        v = Invader{};
    for (ShieldBlock& b : shield_blocks)
        b.alive = 0;
    for (Bomb& b : bombs)
        b = Bomb{};
    shot_cooldown = 0;
}

} // namespace

TEST(ShipCountdown, TheShipComesAfter240FramesFromTheSideOfTheShotsParity) {
    struct Case {
        int32_t shots;
        int32_t leftward, erase_x, x, picture_x;
    };
    for (Case c : {Case{0, 0, 0, 9, 1}, {7, 1, 1804, 1811, 1803}, {2, 0, 0, 9, 1}}) {
        parked_ship();
        ship_countdown = 240;
        ship_y = 40;
        shots_fired = c.shots ^ 1; // the parity counts when the countdown runs out
        for (int frame = 1; frame < 240; frame++) {
            ship_update();
            if (frame == 200)
                shots_fired = c.shots;
        }
        EXPECT_EQ(ship_steps, 0);
        EXPECT_EQ(ship_x, SHIP_PARKED_X);
        EXPECT_EQ(queue_count, 0);
        ship_update();
        SCOPED_TRACE(c.shots);
        EXPECT_EQ(ship_leftward, c.leftward);
        EXPECT_EQ(ship_steps, 1803);
        EXPECT_EQ(ship_x, c.x);
        EXPECT_EQ(ship_y, 16);
        EXPECT_EQ(ship_countdown, 0);
        expect_queue({{BLACK, c.erase_x, 16, 16, 8}, {SHIP_A, c.picture_x, 16, 16, 8}});
        EXPECT_EQ(sound_on(3), 0) << "1804 is no multiple of 25";
    }
}

TEST(ShipCrossing, Steps1804WithTheFlyingSound72TimesAndPicturesInFours) {
    for (int32_t shots : {0, 1}) {
        parked_ship();
        shots_fired = shots;
        ship_countdown = 1;
        int sounds = 0, first_sound = 0, last_picture = shots ? 1804 : 0;
        for (int step = 1; step <= 1804; step++) {
            empty_queue();
            silence();
            ship_update();
            SCOPED_TRACE(step);
            if (sound_on(3) == SND_SHIP_FLYING) {
                sounds++;
                if (first_sound == 0)
                    first_sound = step;
                EXPECT_EQ((1804 - step + 1) % 25, 0);
            } else {
                ASSERT_EQ(sound_on(3), 0);
            }
            int picture = shots ? 1804 - step : step; // new x - 8
            if (step < 1804) {
                // codes 1, 1, 1, 1, 2, 2, 2, 2, ... by bit 2 of the steps left
                const uint8_t* frame = ((1804 - step) & 4) ? SHIP_B : SHIP_A;
                if (step <= 4) {
                    EXPECT_EQ(frame, SHIP_A);
                } else if (step <= 8) {
                    EXPECT_EQ(frame, SHIP_B);
                }
                expect_queue({{BLACK, last_picture, 16, 16, 8}, {frame, picture, 16, 16, 8}});
                last_picture = picture;
            } else {
                expect_queue({{BLACK, last_picture, 16, 16, 8}});
            }
        }
        EXPECT_EQ(sounds, 72);
        EXPECT_EQ(first_sound, 5);
        EXPECT_EQ(ship_steps, 0);
        EXPECT_EQ(ship_x, SHIP_PARKED_X);
        EXPECT_EQ(ship_countdown, shots ? 500 : 250);
        EXPECT_EQ(last_picture, shots ? 1 : 1803) << "the crossing covers columns 1 to 1818";
    }
}

TEST(ShipHitTest, SixteenColumnsHalfOpenAndRows16To23) {
    struct Probe {
        int32_t x, y;
        int hit;
    };
    for (Probe p : {Probe{492, 20, 1},
                    {491, 20, 0},
                    {507, 20, 1},
                    {508, 20, 0},
                    {500, 16, 1},
                    {500, 23, 1},
                    {500, 15, 0},
                    {500, 24, 0}}) {
        fly_ship_at(500);
        ship_y = 16;
        EXPECT_EQ(ship_hit_test(p.x, p.y), p.hit) << p.x << "," << p.y;
        SCOPED_TRACE(p.x * 100 + p.y);
        if (p.hit) {
            EXPECT_EQ(ship_explosion_timer, 90);
            expect_queue({{BLACK, 492, 16, 16, 8}, {sprite_explosion.pixels, 496, 16, 8, 8}});
            EXPECT_EQ(ship_hit_test(p.x, p.y), 0) << "an exploding ship is not hit again";
        } else {
            EXPECT_EQ(ship_explosion_timer, 0);
            EXPECT_EQ(queue_count, 0);
        }
    }
    parked_ship();
    for (int y = 0; y < 980; y++)
        for (int x = 0; x < 1820; x++)
            ASSERT_EQ(ship_hit_test(x, y), 0) << "no ship flying: " << x << "," << y;
}

TEST(ShipExplosion, NinetyFramesThenTheEraseAndTheWaitByTheShotsFired) {
    fly_ship_at(700);
    shots_fired = 4;
    ASSERT_EQ(ship_hit_test(700, 20), 1);
    empty_queue();
    for (int frame = 1; frame < 90; frame++)
        ship_update();
    EXPECT_EQ(queue_count, 0) << "the wreck stands still";
    EXPECT_EQ(ship_x, 700);
    EXPECT_EQ(ship_steps, 1000);
    ship_update();
    expect_queue({{BLACK, 696, 16, 8, 8}});
    EXPECT_EQ(ship_explosion_timer, 0);
    EXPECT_EQ(ship_steps, 0);
    EXPECT_EQ(ship_x, SHIP_PARKED_X);
    EXPECT_EQ(ship_countdown, 1000);
    empty_queue();
    for (int frame = 1; frame < 1000; frame++)
        ship_update();
    EXPECT_EQ(queue_count, 0);
    ship_update();
    EXPECT_EQ(ship_x, 9) << "from the left: 4 is even";

    // the 6th shot fired during the explosion sets the wait
    fly_ship_at(700);
    shots_fired = 5;
    ship_hit_test(700, 20);
    shots_fired = 6;
    for (int frame = 0; frame < 90; frame++)
        ship_update();
    EXPECT_EQ(ship_countdown, 250);
}

TEST(ShipAndShot, TheShotMeetsTheShipAt23AndPassesAnExplodingOne) {
    fly_ship_at(500);
    clear_play();
    player_shot = PlayerShot{500, 947, 1};
    int hit_y = 0;
    while (player_shot.active && hit_y == 0) {
        int16_t y = player_shot.y;
        if (shots_update() > 0)
            hit_y = y - 4;
    }
    EXPECT_EQ(hit_y, 23);
    EXPECT_EQ(ship_explosion_timer, 90);

    fly_ship_at(500);
    clear_play();
    ship_explosion_timer = 50;
    player_shot = PlayerShot{500, 27, 1};
    for (int16_t y : {23, 19, 15}) {
        empty_queue();
        EXPECT_EQ(shots_update(), 0);
        EXPECT_EQ(player_shot.active, 1);
        expect_queue({{BLACK, 499, y + 4, 3, 8}, {sprite_shot.pixels, 499, y, 3, 8}});
    }
}

TEST(ShipCarryOver, AFlyingShipFliesOnIntoTheNextGame) {
    parked_ship();
    fake_clock_reset(2000);
    ship_x = 900;
    ship_steps = 900;
    ship_leftward = 0;
    game_start();
    EXPECT_EQ(ship_countdown, 240);
    EXPECT_EQ(ship_x, 900);
    EXPECT_EQ(ship_steps, 900);
    empty_queue();
    for (int frame = 1; frame < 240; frame++)
        ship_update();
    EXPECT_EQ(ship_x, 900 + 239);
    EXPECT_EQ(ship_steps, 900 - 239);
    empty_queue();
    ship_update();
    // a new crossing from the edge; the old picture at 1131 stays behind
    expect_queue({{BLACK, 0, 16, 16, 8}, {SHIP_A, 1, 16, 16, 8}});
    EXPECT_EQ(ship_steps, 1803);
}

TEST(ShipCarryOver, AnExplodingShipComesBackToLife) {
    parked_ship();
    fake_clock_reset(2000);
    ship_x = 700;
    ship_steps = 1000;
    ship_leftward = 1;
    ship_explosion_timer = 40;
    game_start();
    EXPECT_EQ(ship_explosion_timer, 0);
    empty_queue();
    silence();
    ship_update();
    EXPECT_EQ(sound_on(3), SND_SHIP_FLYING) << "1000 steps left: a multiple of 25";
    EXPECT_EQ(ship_x, 699);
    EXPECT_EQ(ship_steps, 999);
    EXPECT_EQ(ship_countdown, 239);
    expect_queue({{BLACK, 692, 16, 16, 8}, {SHIP_B, 691, 16, 16, 8}});
}
