#include "display/pickers.h"

#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "play/ship.h"

template <int W, int H>
static void sprite(int16_t x, int16_t y, const Picture<W, H>& picture) {
    queue_sprite(x, y, W, H, picture.pixels);
}

// An erase is a black rectangle of the picture's own size.
template <int W, int H>
static void erase(int16_t x, int16_t y, const Picture<W, H>&) {
    queue_fill(x, y, W, H, 0);
}

void pick_bomb_sprite(int16_t x, int16_t y, int32_t code) {
    switch (code) {
    case BOMB_ERASE:
        erase(x, y, sprite_bomb_cross);
        break;
    case BOMB_SHOT_PICTURE:
        sprite(x, y, sprite_shot);
        break;
    case BOMB_CROSS_A:
    case BOMB_CROSS_B:
    case BOMB_ZIGZAG_B:
        sprite(x, y, sprite_bomb_cross);
        break;
    case BOMB_ZIGZAG_A:
        sprite(x, y, sprite_bomb_zigzag);
        break;
    default:
        break;
    }
}

void pick_invader_sprite(int16_t x, int16_t y, int32_t code) {
    switch (code) {
    case INVADER1_ERASE:
        erase(x, y, sprite_invader1_a);
        break;
    case INVADER1_A:
        sprite(x, y, sprite_invader1_a);
        break;
    case INVADER1_B:
        sprite(x, y, sprite_invader1_b);
        break;
    case INVADER2_ERASE:
        erase(x, y, sprite_invader2_a);
        break;
    case INVADER2_A:
        sprite(x, y, sprite_invader2_a);
        break;
    case INVADER2_B:
        sprite(x, y, sprite_invader2_b);
        break;
    case INVADER3_ERASE:
        erase(x, y, sprite_invader3_a);
        break;
    case INVADER_EXPLOSION_ERASE:
        erase(x, y, sprite_explosion);
        break;
    case INVADER3_A:
        sprite(x, y, sprite_invader3_a);
        break;
    case INVADER3_B:
        sprite(x, y, sprite_invader3_b);
        break;
    case INVADER_EXPLOSION:
        sprite(x, y, sprite_explosion);
        break;
    default:
        break;
    }
}

void pick_ship_sprite(int16_t x, int32_t code) {
    int16_t y = int16_t(ship_y);
    switch (code) {
    case SHIP_ERASE:
        erase(x, y, sprite_ship_a);
        break;
    case SHIP_A:
        sprite(x, y, sprite_ship_a);
        break;
    case SHIP_B:
        sprite(x, y, sprite_ship_b);
        break;
    case SHIP_EXPLOSION_ERASE:
        erase(x, y, sprite_explosion);
        break;
    case SHIP_EXPLOSION:
        sprite(x, y, sprite_explosion);
        break;
    default:
        break;
    }
}
