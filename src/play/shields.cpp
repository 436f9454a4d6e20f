#include "play/shields.h"

#include "assets/sprites.h"
#include "display/draw_queue.h"

ShieldBlock shield_blocks[SHIELD_BLOCKS];

// Six blocks across, two down; the shields stand 56 px apart from column 24.
constexpr int32_t SHIELD_WIDTH_BLOCKS = 6;
constexpr int32_t SHIELD_PITCH = 56;
constexpr int32_t SHIELD_LEFT = 24;
constexpr int32_t SHIELD_TOP = 923;
constexpr int16_t BLOCK_WIDTH = 4;
constexpr int16_t BLOCK_HEIGHT = 8;

// The point bands sit one row below the pictures: 924-931 finds the top row,
// 932-938 the bottom row.
constexpr int32_t BAND_TOP = 924;
constexpr int32_t BAND_SPLIT = 931;
constexpr int32_t BAND_BOTTOM = 938;

template <int W, int H>
static void draw_block(const ShieldBlock& block, const Picture<W, H>& picture);

// ---- set-up ----

void shields_build() {
    for (int32_t i = 0; i < SHIELD_BLOCKS; i++) {
        int32_t row = i / SHIELD_ROW_BLOCKS;
        int32_t j = i % SHIELD_ROW_BLOCKS;
        int32_t shield = j / SHIELD_WIDTH_BLOCKS;
        int32_t k = j % SHIELD_WIDTH_BLOCKS;
        ShieldBlock& block = shield_blocks[i];
        block.alive = 1;
        block.x = int16_t(SHIELD_LEFT + SHIELD_PITCH * shield + BLOCK_WIDTH * k);
        block.y = int16_t(SHIELD_TOP + BLOCK_HEIGHT * row);
        // no erase first: the whole blocks cover whatever wear was there
        draw_block(block, sprite_shield_block);
    }
}

// ---- per frame: what the shot, the bombs and the invaders' feet bite ----

int shields_hit_test(int32_t x, int32_t y) {
    if (y < BAND_TOP || y > BAND_BOTTOM)
        return 0;
    int32_t first = y <= BAND_SPLIT ? 0 : SHIELD_ROW_BLOCKS;
    int hit = 0;
    for (int32_t i = first; i < first + SHIELD_ROW_BLOCKS; i++) {
        const ShieldBlock& block = shield_blocks[i];
        if (block.alive != 0 && block.x <= x && x < block.x + BLOCK_WIDTH) {
            shield_block_destroy(i);
            hit = 1;
        }
    }
    return hit;
}

void shield_block_destroy(int32_t i) {
    ShieldBlock& block = shield_blocks[i];
    block.alive = 0;
    queue_fill(block.x, block.y, BLOCK_WIDTH, BLOCK_HEIGHT, 0);

    // the neighbours that still stand show a bitten edge towards the hole
    if (i < SHIELD_ROW_BLOCKS) {
        const ShieldBlock& below = shield_blocks[i + SHIELD_ROW_BLOCKS];
        if (below.alive == 1)
            draw_block(below, sprite_shield_worn_top);
    } else {
        const ShieldBlock& above = shield_blocks[i - SHIELD_ROW_BLOCKS];
        if (above.alive == 1)
            draw_block(above, sprite_shield_worn_bottom);
    }
    // never across a gap: the outer blocks of a shield have no neighbour there
    if (i % SHIELD_WIDTH_BLOCKS != 0 && shield_blocks[i - 1].alive == 1)
        draw_block(shield_blocks[i - 1], sprite_shield_worn_right);
    if (i % SHIELD_WIDTH_BLOCKS != SHIELD_WIDTH_BLOCKS - 1 && shield_blocks[i + 1].alive == 1)
        draw_block(shield_blocks[i + 1], sprite_shield_worn_left);
}

// ---- drawing ----

template <int W, int H>
static void draw_block(const ShieldBlock& block, const Picture<W, H>& picture) {
    queue_sprite(block.x, block.y, W, H, picture.pixels);
}
