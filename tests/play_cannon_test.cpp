// The cannon and its shot: moving, firing on the press, the flight and its
// hits, the cooldown, the blinking entry and the death animation.
#include <gtest/gtest.h>

#include <vector>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "frame/input.h"
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
const uint8_t* const CANNON = sprite_cannon.pixels;
const uint8_t* const SHOT = sprite_shot.pixels;

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

void hold(ButtonMask mask) {
    pad_buttons[0] = mask;
    pad_axes[0] = 0;
}

void clear_formation() {
    for (Invader& v : formation)
        v = Invader{};
}

// A ready cannon at x with nothing else in play: no invaders, shields,
// bombs or mystery ship, no input.
void fresh_cannon(int32_t x) {
    start_video();
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    cannon_x = x;
    cannon_appear_timer = 0;
    cannon_explosion_timer = 0;
    fire_held = 0;
    player_shot = PlayerShot{};
    shot_cooldown = 0;
    shots_fired = 0;
    clear_formation();
    for (ShieldBlock& b : shield_blocks)
        b.alive = 0;
    for (Bomb& b : bombs)
        b = Bomb{};
    ship_x = SHIP_PARKED_X;
    ship_steps = 0;
    ship_explosion_timer = 0;
    hold(0);
    empty_queue();
    silence();
}

void fly_ship_at(int32_t x) {
    ship_x = x;
    ship_y = 16;
    ship_steps = 1000;
    ship_explosion_timer = 0;
}

} // namespace

TEST(CannonMoves, OnePixelAFrameWithinOneTo1806) {
    struct Case {
        int32_t x;
        ButtonMask mask;
        int32_t after;
    };
    const ButtonMask L = BUTTON_LEFT, R = BUTTON_RIGHT;
    for (Case c : {Case{100, L, 99},
                   {100, R, 101},
                   {100, L | R, 100},
                   {1, L | R, 2},
                   {1, L, 1},
                   {2, L, 1},
                   {1806, R, 1806},
                   {1805, R, 1806},
                   {1806, L | R, 1806},
                   {1806, L, 1805},
                   {100, BUTTON_UP | BUTTON_DOWN, 100}}) {
        fresh_cannon(c.x);
        hold(c.mask);
        EXPECT_EQ(player_update(), 0);
        EXPECT_EQ(cannon_x, c.after) << c.x << " mask " << c.mask;
        SCOPED_TRACE(c.x * 100 + c.mask);
        if (c.after != c.x) {
            expect_queue({{BLACK, c.x, 955, 13, 8}, {CANNON, c.after, 955, 13, 8}});
        } else {
            EXPECT_EQ(queue_count, 0);
        }
    }
    fresh_cannon(1);
    hold(BUTTON_RIGHT);
    for (int i = 0; i < 2000; i++) {
        player_update();
        ASSERT_LE(cannon_x, 1806);
        empty_queue();
    }
    EXPECT_EQ(cannon_x, 1806);
    hold(BUTTON_LEFT);
    for (int i = 0; i < 2000; i++) {
        player_update();
        ASSERT_GE(cannon_x, 1);
        empty_queue();
    }
    EXPECT_EQ(cannon_x, 1);
}

TEST(CannonMoves, KeysAndTheStickBothSteer) {
    fresh_cannon(500);
    push_key(SDLK_RIGHT, true);
    player_update();
    EXPECT_EQ(cannon_x, 501);
    player_update();
    EXPECT_EQ(cannon_x, 502);
    push_key(SDLK_RIGHT, false);
    player_update();
    EXPECT_EQ(cannon_x, 502);
    pad_axes[0] = BUTTON_LEFT;
    player_update();
    EXPECT_EQ(cannon_x, 501);
}

TEST(CannonFire, OneShotPerPressFromTheCannonsCentre) {
    fresh_cannon(100);
    hold(BUTTON_FIRE);
    player_update();
    EXPECT_EQ(shots_fired, 1);
    EXPECT_EQ(player_shot.active, 1);
    EXPECT_EQ(player_shot.x, 106);
    EXPECT_EQ(player_shot.y, 947);
    EXPECT_EQ(fire_held, 1);
    EXPECT_EQ(sound_on(0), SND_SHOT);

    // held down: no repeat, even once the shot is gone
    player_shot.active = 0;
    for (int i = 0; i < 10; i++)
        player_update();
    EXPECT_EQ(shots_fired, 1);
    EXPECT_EQ(player_shot.active, 0);
    hold(0);
    player_update();
    EXPECT_EQ(fire_held, 0);
    hold(BUTTON_FIRE | BUTTON_RIGHT);
    player_update();
    EXPECT_EQ(shots_fired, 2);
    EXPECT_EQ(player_shot.x, 107) << "from the centre of the moved cannon";
}

TEST(CannonFire, APressWhileTheShotFliesIsUsedUp) {
    fresh_cannon(100);
    player_shot = PlayerShot{300, 500, 1};
    hold(BUTTON_FIRE);
    player_update();
    EXPECT_EQ(shots_fired, 0);
    EXPECT_EQ(sound_on(0), 0);
    EXPECT_EQ(player_shot.x, 300);
    EXPECT_EQ(player_shot.y, 500);
    EXPECT_EQ(fire_held, 1);
    player_shot.active = 0;
    player_update();
    EXPECT_EQ(shots_fired, 0) << "the player must let go and press again";
    EXPECT_EQ(player_fire(200), 0);
    EXPECT_EQ(player_fire(250), 2);
    EXPECT_EQ(player_shot.x, 200);
    EXPECT_EQ(shots_fired, 1);
}

TEST(CannonFire, FireHeldChangesOnlyAtTheCannonsPolls) {
    // fire still held from the title screen fires in the first frame of play
    fresh_cannon(100);
    fake_clock_reset(5000);
    fire_held = 0;
    hold(BUTTON_FIRE);
    game_start();
    game_frame();
    EXPECT_EQ(shots_fired, 1);
    EXPECT_EQ(player_shot.x, 16);
    EXPECT_EQ(player_shot.y, 943) << "it moves in the frame of its launch";

    // game_start leaves fire_held alone
    fire_held = 1;
    game_start();
    EXPECT_EQ(fire_held, 1);
    game_frame();
    EXPECT_EQ(shots_fired, 0);
}

TEST(CannonFire, NothingIsPolledWhileTheCannonDies) {
    fresh_cannon(100);
    fire_held = 0;
    cannon_explosion_timer = 10;
    push_key(SDLK_z, true);
    push_key(SDLK_LEFT, true);
    quit_requested = 0;
    push_key(SDLK_ESCAPE, true);
    for (int i = 0; i < 9; i++)
        EXPECT_EQ(player_update(), 0);
    EXPECT_EQ(player_update(), 1);
    EXPECT_EQ(pad_buttons[0], 0u) << "the events wait in SDL's queue";
    EXPECT_EQ(quit_requested, 0u);
    EXPECT_EQ(fire_held, 0);
    EXPECT_EQ(cannon_x, 100);
    player_update();
    EXPECT_EQ(quit_requested, 1u);
    EXPECT_EQ(shots_fired, 1);
    EXPECT_EQ(cannon_x, 99);
}

TEST(ShotFlight, FirstPictureAt943LastAt11TestedAt7) {
    fresh_cannon(100);
    hold(BUTTON_FIRE);
    player_update();
    hold(0);
    int frames = 0;
    int32_t alternator = bomb_alternator;
    for (int y = 947; player_shot.active; y -= 4) {
        empty_queue();
        EXPECT_EQ(shots_update(), 0);
        frames++;
        SCOPED_TRACE(y);
        if (y - 4 >= 11) {
            expect_queue({{BLACK, 105, y, 3, 8}, {SHOT, 105, y - 4, 3, 8}});
        } else {
            expect_queue({{BLACK, 105, 11, 3, 8}});
        }
        ASSERT_LT(frames, 300);
    }
    EXPECT_EQ(frames, 235);
    EXPECT_EQ(player_shot.y, 7);
    EXPECT_EQ(bomb_alternator, alternator + 235) << "the bomb step runs every frame";
    EXPECT_EQ(shot_cooldown, 0);

    // the tests are made at 7 all the same
    fresh_cannon(100);
    formation[0] = Invader{106, 0, 1};
    player_shot = PlayerShot{106, 11, 1};
    EXPECT_EQ(shots_update(), 10);
    EXPECT_EQ(player_shot.active, 0);
}

TEST(ShotFlight, ShotsEndingOnAShieldTheShipOrTheTopSetNoCooldown) {
    fresh_cannon(100);
    shields_build();
    empty_queue();
    player_shot = PlayerShot{25, 939, 1};
    EXPECT_EQ(shots_update(), 0);
    EXPECT_EQ(player_shot.active, 0);
    EXPECT_EQ(shield_blocks[192].alive, 0);
    EXPECT_EQ(shot_cooldown, 0);
    expect_queue({{BLACK, 24, 939, 3, 8},
                  {BLACK, 24, 931, 4, 8},
                  {sprite_shield_worn_bottom.pixels, 24, 923, 4, 8},
                  {sprite_shield_worn_left.pixels, 28, 931, 4, 8}});

    fresh_cannon(100);
    fly_ship_at(500);
    player_shot = PlayerShot{500, 27, 1};
    EXPECT_GT(shots_update(), 0);
    EXPECT_EQ(player_shot.active, 0);
    EXPECT_EQ(shot_cooldown, 0);
}

TEST(ShotCooldown, TwentyFramesAfterAnInvaderHitTheShotWaitsUnseen) {
    fresh_cannon(100);
    formation_reset();
    player_shot = PlayerShot{16, 552, 1};
    EXPECT_EQ(shots_update(), 10);
    EXPECT_EQ(player_shot.active, 0);
    EXPECT_EQ(shot_cooldown, 20);
    EXPECT_EQ(sound_on(1), SND_INVADER_HIT);
    EXPECT_EQ(sound_on(0), 0);
    EXPECT_EQ(explosion_steps, 20);
    expect_queue({{BLACK, 15, 552, 3, 8}});

    // fired at once: sound and count now, flight after the cooldown
    silence();
    hold(BUTTON_FIRE);
    player_update();
    hold(0);
    EXPECT_EQ(sound_on(0), SND_SHOT);
    EXPECT_EQ(shots_fired, 1);
    int32_t alternator = bomb_alternator;
    for (int frame = 1; frame <= 20; frame++) {
        empty_queue();
        if (frame > 1)
            player_update();
        EXPECT_EQ(shots_update(), 0);
        EXPECT_EQ(queue_count, 0) << "frame " << frame;
        EXPECT_EQ(player_shot.y, 947);
        EXPECT_EQ(player_shot.active, 1);
    }
    EXPECT_EQ(shot_cooldown, 0);
    EXPECT_EQ(bomb_alternator, alternator + 20);
    empty_queue();
    shots_update();
    expect_queue({{BLACK, 105, 947, 3, 8}, {SHOT, 105, 943, 3, 8}});
}

TEST(ShotHits, AShieldBlockAndAnInvaderAtOnePointAreBothHit) {
    fresh_cannon(100);
    shields_build();
    formation[0] = Invader{25, 927, 1};
    player_shot = PlayerShot{25, 935, 1};
    EXPECT_EQ(shots_update(), 10);
    EXPECT_EQ(shield_blocks[0].alive, 0);
    EXPECT_EQ(exploding_invader, 0u);
    EXPECT_EQ(explosion_steps, 20);
    EXPECT_EQ(shot_cooldown, 20);
    EXPECT_EQ(sound_on(1), SND_INVADER_HIT);
}

TEST(ShotHits, AnInvaderAndTheShipAtOnePointScoreBoth) {
    fresh_cannon(100);
    fly_ship_at(500);
    formation[0] = Invader{500, 16, 1};
    shots_fired = 4;
    player_shot = PlayerShot{500, 27, 1};
    EXPECT_EQ(shots_update(), 10 + 200);
    EXPECT_EQ(sound_on(1), SND_INVADER_HIT);
    EXPECT_EQ(sound_on(3), SND_SHIP_HIT);
    EXPECT_EQ(ship_explosion_timer, 90);
}

TEST(ShotHits, TheShipIsWorthByTheShotsOrdinal) {
    const int32_t worth[] = {100, 50, 100, 200, 300, 50, 100, 50, 100, 200, 300, 50};
    fresh_cannon(100);
    for (int n = 1; n <= 12; n++) {
        player_shot.active = 0;
        ASSERT_EQ(player_fire(500), 0);
        ASSERT_EQ(shots_fired, n);
        player_shot.y = 27;
        fly_ship_at(500);
        silence();
        EXPECT_EQ(shots_update(), worth[n - 1]) << "shot " << n;
        EXPECT_EQ(sound_on(3), SND_SHIP_HIT);
        EXPECT_EQ(player_shot.active, 0);
    }
}

TEST(CannonEntry, ErasedEveryFrameDrawnAtEvenTimerValues) {
    fresh_cannon(300);
    cannon_appear_timer = 60;
    for (int frame = 1; frame <= 60; frame++) {
        empty_queue();
        EXPECT_EQ(player_update(), 0);
        EXPECT_EQ(cannon_appear_timer, 60 - frame);
        SCOPED_TRACE(frame);
        if (frame % 2 == 0) {
            expect_queue({{BLACK, 300, 955, 13, 8}, {CANNON, 300, 955, 13, 8}});
        } else {
            expect_queue({{BLACK, 300, 955, 13, 8}});
        }
    }
    for (int frame = 0; frame < 100; frame++) {
        empty_queue();
        player_update();
        shots_update();
        ASSERT_EQ(queue_count, 0) << "a ready cannon standing still draws nothing";
    }

    // it moves and fires while it blinks in
    fresh_cannon(300);
    cannon_appear_timer = 10;
    hold(BUTTON_LEFT | BUTTON_FIRE);
    player_update();
    expect_queue({{BLACK, 300, 955, 13, 8}});
    EXPECT_EQ(shots_fired, 1);
    empty_queue();
    player_update();
    expect_queue({{BLACK, 299, 955, 13, 8}, {CANNON, 298, 955, 13, 8}});
}

TEST(CannonDeath, NinetyFramesOfWreckPicturesThenTheErase) {
    fresh_cannon(300);
    cannon_explosion_timer = 90;
    hold(BUTTON_RIGHT | BUTTON_FIRE);
    const uint8_t* const A = sprite_cannon_blast_a.pixels;
    const uint8_t* const B = sprite_cannon_blast_b.pixels;
    // by the timer's value in each frame, from 90 down to 1
    std::vector<const uint8_t*> want = {A, A, A, B, B, B, B, A, A, A, A, B};
    for (int t = 78; t >= 1; t--)
        want.push_back((t / 4) % 2 ? B : A);
    ASSERT_EQ(want.size(), 90u);
    EXPECT_EQ(want[86], B) << "timer 4";
    EXPECT_EQ(want[87], A) << "timer 3";
    int ones = 0;
    for (int frame = 1; frame <= 90; frame++) {
        empty_queue();
        int result = player_update();
        ones += result;
        SCOPED_TRACE(frame);
        if (frame < 90) {
            EXPECT_EQ(result, 0);
            expect_queue({{want[frame - 1], 300, 955, 13, 8}});
        } else {
            EXPECT_EQ(result, 1);
            expect_queue({{want[89], 300, 955, 13, 8}, {BLACK, 300, 955, 13, 8}});
        }
        EXPECT_EQ(cannon_x, 300);
    }
    EXPECT_EQ(ones, 1);
    EXPECT_EQ(cannon_explosion_timer, 0);
    EXPECT_EQ(cannon_appear_timer, 60);
    EXPECT_EQ(shots_fired, 0);
    EXPECT_EQ(fire_held, 0);
    for (int frame = 0; frame < 70; frame++)
        EXPECT_EQ(player_update(), 0);
    EXPECT_EQ(cannon_x, 370) << "the entry begins at the same place";
    EXPECT_EQ(shots_fired, 1);
}
