// The pickers turn a picture code into exactly one draw command, or none.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "display/pickers.h"
#include "play/ship.h"

namespace {

// One picker call at x -7, y 33 into an empty queue; the commands it queued.
int pick(char picker, int32_t code) {
    queue_read = queue_write = queue_count = 0;
    if (picker == 'b')
        pick_bomb_sprite(-7, 33, code);
    else if (picker == 'i')
        pick_invader_sprite(-7, 33, code);
    else
        pick_ship_sprite(-7, code);
    return queue_count;
}

// Codes from 0 up: the picture each draws (null: a black erase) and its width.
void expect_codes(char picker, std::vector<const uint8_t*> pictures, std::vector<int> widths) {
    for (int32_t code = 0; code < int32_t(pictures.size()); code++) {
        ASSERT_EQ(pick(picker, code), 1) << picker << code;
        const DrawCommand& d = draw_queue[0];
        EXPECT_EQ(d.pixels, pictures[code]) << picker << code;
        EXPECT_EQ(d.w, widths[code]) << picker << code;
        EXPECT_EQ((std::array<int, 4>{d.x, d.y, d.h, d.gray}), (std::array<int, 4>{-7, 33, 8, 0}))
            << "drawn where it is given, no centring";
    }
}

// Bomb codes 2, 3 and 5 share the cross: a kind-1 bomb looks the same in
// both frames. Invader codes 6 and 9 are the same 8-wide erase.
TEST(Pickers, MapEveryCodeToItsPictureOrAnEraseExactlyWhereItIsGiven) {
    const uint8_t* cross = sprite_bomb_cross.pixels;
    expect_codes('b', {nullptr, sprite_shot.pixels, cross, cross, sprite_bomb_zigzag.pixels, cross},
                 {3, 3, 3, 3, 3, 3});
    expect_codes('i',
                 {nullptr, sprite_invader1_a.pixels, sprite_invader1_b.pixels, nullptr,
                  sprite_invader2_a.pixels, sprite_invader2_b.pixels, nullptr,
                  sprite_invader3_a.pixels, sprite_invader3_b.pixels, nullptr,
                  sprite_explosion.pixels},
                 {12, 12, 12, 10, 10, 10, 8, 8, 8, 8, 8});
    ship_y = 33;
    expect_codes(
        's',
        {nullptr, sprite_ship_a.pixels, sprite_ship_b.pixels, nullptr, sprite_explosion.pixels},
        {16, 16, 16, 8, 8});
    ship_y = -5; // the ship is drawn at its current row, wherever it was before
    pick('s', 1);
    EXPECT_EQ(draw_queue[0].y, -5);
}

TEST(Pickers, UnknownCodesQueueNothing) {
    EXPECT_EQ(pick('b', 6) + pick('i', 11) + pick('s', 5), 0);
    for (int32_t code : {-1, -2147483647 - 1, 1000})
        EXPECT_EQ(pick('b', code) + pick('i', code) + pick('s', code), 0) << code;
}

} // namespace
