// The pickers turn a picture code into exactly one draw command, or none.
#include <gtest/gtest.h>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "display/pickers.h"
#include "play/ship.h"
#include "support/harness.h"

namespace {

struct Expect {
    int32_t code;
    const uint8_t* pixels; // null: a black fill
    int16_t w;
};

DrawCommand pick(void (*picker)(int32_t code), int32_t code) {
    queue_read = queue_write = queue_count = 0;
    picker(code);
    EXPECT_EQ(queue_count, 1) << "code " << code;
    return draw_queue[0];
}

void check(void (*picker)(int32_t), const std::initializer_list<Expect>& table, int16_t y) {
    for (const Expect& e : table) {
        DrawCommand c = pick(picker, e.code);
        EXPECT_EQ(c.pixels, e.pixels) << "code " << e.code;
        EXPECT_EQ(c.w, e.w) << "code " << e.code;
        EXPECT_EQ(c.h, 8);
        EXPECT_EQ(c.x, -7) << "drawn exactly where it is given, no centring";
        EXPECT_EQ(c.y, y);
        EXPECT_EQ(c.gray, 0);
    }
}

void bomb(int32_t code) {
    pick_bomb_sprite(-7, 33, code);
}
void invader(int32_t code) {
    pick_invader_sprite(-7, 33, code);
}
void ship(int32_t code) {
    pick_ship_sprite(-7, code);
}

TEST(Pickers, MapEveryCodeToItsPictureOrErase) {
    check(bomb,
          {{0, nullptr, 3},
           {1, sprite_shot.pixels, 3},
           {2, sprite_bomb_cross.pixels, 3},
           {3, sprite_bomb_cross.pixels, 3},
           {4, sprite_bomb_zigzag.pixels, 3},
           {5, sprite_bomb_cross.pixels, 3}},
          33);
    check(invader,
          {{0, nullptr, 12},
           {1, sprite_invader1_a.pixels, 12},
           {2, sprite_invader1_b.pixels, 12},
           {3, nullptr, 10},
           {4, sprite_invader2_a.pixels, 10},
           {5, sprite_invader2_b.pixels, 10},
           {6, nullptr, 8},
           {7, sprite_invader3_a.pixels, 8},
           {8, sprite_invader3_b.pixels, 8},
           {9, nullptr, 8},
           {10, sprite_explosion.pixels, 8}},
          33);
    ship_y = 16;
    check(ship,
          {{0, nullptr, 16},
           {1, sprite_ship_a.pixels, 16},
           {2, sprite_ship_b.pixels, 16},
           {3, nullptr, 8},
           {4, sprite_explosion.pixels, 8}},
          16);
}

TEST(Pickers, TheShipIsDrawnAtTheCurrentShipRow) {
    ship_y = 300;
    EXPECT_EQ(pick(ship, 1).y, 300);
    ship_y = -5;
    EXPECT_EQ(pick(ship, 0).y, -5);
}

TEST(Pickers, UnknownCodesQueueNothing) {
    for (int32_t code : {6, 11, -1, -2147483647 - 1, 1000}) {
        queue_read = queue_write = queue_count = 0;
        pick_bomb_sprite(0, 0, code);
        pick_invader_sprite(0, 0, code == 6 ? 11 : code);
        if (code != 6)
            pick_ship_sprite(0, code == 11 ? 5 : code);
        EXPECT_EQ(queue_count, 0) << code;
    }
}

} // namespace
