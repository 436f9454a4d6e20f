#include "display/pickers.h"

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/ship.h"

template <int W, int H>
static void sprite(int16_t x, int16_t y, const Picture<W, H>& picture) {
    queue_sprite(x, y, W, H, picture.pixels);
}

void pick_bomb_sprite(int16_t x, int16_t y, int32_t code) {
    switch (code) {
    case 0:
        queue_fill(x, y, 3, 8, 0);
        break;
    case 1:
        sprite(x, y, sprite_shot);
        break;
    // a kind-1 bomb looks the same in both frames; kind 2 alternates
    case 2:
    case 3:
    case 5:
        sprite(x, y, sprite_bomb_cross);
        break;
    case 4:
        sprite(x, y, sprite_bomb_zigzag);
        break;
    default:
        break;
    }
}

void pick_invader_sprite(int16_t x, int16_t y, int32_t code) {
    switch (code) {
    case 0:
        queue_fill(x, y, 12, 8, 0);
        break;
    case 1:
        sprite(x, y, sprite_invader1_a);
        break;
    case 2:
        sprite(x, y, sprite_invader1_b);
        break;
    case 3:
        queue_fill(x, y, 10, 8, 0);
        break;
    case 4:
        sprite(x, y, sprite_invader2_a);
        break;
    case 5:
        sprite(x, y, sprite_invader2_b);
        break;
    case 6:
    case 9:
        queue_fill(x, y, 8, 8, 0);
        break;
    case 7:
        sprite(x, y, sprite_invader3_a);
        break;
    case 8:
        sprite(x, y, sprite_invader3_b);
        break;
    case 10:
        sprite(x, y, sprite_explosion);
        break;
    default:
        break;
    }
}

void pick_ship_sprite(int16_t x, int32_t code) {
    int16_t y = int16_t(ship_y);
    switch (code) {
    case 0:
        queue_fill(x, y, 16, 8, 0);
        break;
    case 1:
        sprite(x, y, sprite_ship_a);
        break;
    case 2:
        sprite(x, y, sprite_ship_b);
        break;
    case 3:
        queue_fill(x, y, 8, 8, 0);
        break;
    case 4:
        sprite(x, y, sprite_explosion);
        break;
    default:
        break;
    }
}
