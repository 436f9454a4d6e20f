// The splash and the title. Both announce the name in big letters, built at
// compile time from a small alphabet, scaled up and given a gray extrusion
// so that they stand off the black screen; the title adds a scene of the
// game, drawn with the game's own sprites.
#include "assets/pictures.h"

#include "assets/sprites.h"

namespace {

// The big letters of the name, side by side as on a type sheet, one space
// between letters. Strokes are two cells thick both ways so that they stay
// even when scaled up. The O is the widest letter and round, so that it is
// never taken for a zero; the A comes to a point and the R has a square
// shoulder and a kicked leg, so that they differ at a glance even where the
// stripes cut their lower halves.
constexpr char BIG_CODES[] = "ORBSTAK-";
constexpr int BIG_ROWS = 9;
constexpr const char* big_sheet[BIG_ROWS] = {
    "..#####.. #####. #####. .##### ###### ..##.. ##..## ....",
    ".#######. ###### ###### ###### ###### .####. ##.### ....",
    "###...### ##..## ##..## ##.... ..##.. ##..## #####. ....",
    "##.....## ##..## #####. #####. ..##.. ##..## ####.. ....",
    "##.....## #####. #####. .##### ..##.. ##..## ###... ####",
    "##.....## ####.. ##..## ....## ..##.. ###### ####.. ####",
    "###...### ##.##. ##..## ....## ..##.. ###### #####. ....",
    ".#######. ##..## ###### ###### ..##.. ##..## ##.### ....",
    "..#####.. ##..## #####. #####. ..##.. ##..## ##..## ....",
};

struct BigLetter {
    int column; // where it starts on the sheet
    int w;
};

constexpr BigLetter big_letter(char code) {
    BigLetter letter{0, 0};
    for (int i = 0; BIG_CODES[i]; i++) {
        letter.w = 0;
        while (big_sheet[0][letter.column + letter.w] > ' ')
            letter.w++;
        if (BIG_CODES[i] == code)
            return letter;
        letter.column += letter.w + 1;
    }
    return BigLetter{0, 0};
}

// A picture being composed, in the same characters as the art it becomes.
template <int W, int H>
struct Canvas {
    char rows[W * H + 1];
};

template <int W, int H>
constexpr Canvas<W, H> blank_canvas() {
    Canvas<W, H> c{};
    for (int i = 0; i < W * H; i++)
        c.rows[i] = '.';
    return c;
}

template <int W, int H>
constexpr void plot(Canvas<W, H>& c, int x, int y, char ink) {
    if (x >= 0 && x < W && y >= 0 && y < H)
        c.rows[y * W + x] = ink;
}

template <int W, int H>
constexpr void fill(Canvas<W, H>& c, int x, int y, int w, int h, char ink) {
    for (int row = y; row < y + h; row++)
        for (int col = x; col < x + w; col++)
            plot(c, col, row, ink);
}

constexpr int word_width(const char* text, int scale, int gap) {
    int w = 0;
    for (int i = 0; text[i]; i++)
        w += big_letter(text[i]).w * scale + (i ? gap : 0);
    return w;
}

// Each cell of the sheet becomes a block scale pixels wide and tall pixels
// high. The extrusion goes first, one gray layer per pixel of depth, down and
// to the right; the white face is laid over it last. Rows marked '-' in the
// stripes cut black lines through the face, closer towards the bottom, for
// a polished look.
template <int W, int H>
constexpr void big_word(Canvas<W, H>& c, const char* text, int y, int scale, int tall, int gap,
                        int depth, const char* stripes) {
    int x0 = (W - word_width(text, scale, gap) - depth) / 2;
    for (int d = depth; d >= 0; d--) {
        int x = x0;
        for (int i = 0; text[i]; i++) {
            BigLetter letter = big_letter(text[i]);
            for (int r = 0; r < BIG_ROWS; r++)
                for (int col = 0; col < letter.w; col++)
                    if (big_sheet[r][letter.column + col] == '#')
                        fill(c, x + d + col * scale, y + d + r * tall, scale, tall, d ? '+' : '#');
            x += letter.w * scale + gap;
        }
    }
    for (int r = 0; stripes[r]; r++)
        if (stripes[r] == '-')
            for (int x = x0; x < x0 + word_width(text, scale, gap); x++)
                if (c.rows[(y + r) * W + x] == '#')
                    c.rows[(y + r) * W + x] = '.';
}

// Splash: the name between two rules that taper off into dots.
constexpr Canvas<162, 58> compose_splash() {
    Canvas<162, 58> c = blank_canvas<162, 58>();
    big_word(c, "ORBO-STRAK", 19, 2, 2, 3, 2, "...........-.-.-..");
    for (int x = 0; x < 162; x++) {
        int edge = x < 81 ? x : 161 - x;
        char ink = edge > 24 ? '#' : edge > 10 ? '+' : edge % 2 == 0 ? '+' : '.';
        plot(c, x, 9, ink);
        plot(c, x, 48, ink);
    }
    return c;
}

// Stamps a sprite, each pixel as a scale by scale block; black pixels are
// see-through, gray ones take the picture's mid gray.
template <int W, int H, int SW, int SH>
constexpr void stamp_sprite(Canvas<W, H>& c, const Picture<SW, SH>& sprite, int x, int y,
                            int scale) {
    for (int r = 0; r < SH; r++)
        for (int col = 0; col < SW; col++) {
            uint8_t gray = sprite.pixels[r * SW + col];
            if (gray != 0)
                fill(c, x + col * scale, y + r * scale, scale, scale, gray == 255 ? '#' : '+');
        }
}

// Stars over the sky left and right of the ship, one to each stretch of
// ten columns so that they spread evenly.
constexpr void scatter_stars(Canvas<320, 240>& c) {
    uint32_t seed = 1977;
    for (int i = 0; i < 30; i++) {
        seed = seed * 1103515245u + 12345u;
        int x = 10 + i * 10 + int(seed >> 16) % 10;
        int y = 6 + int(seed >> 24) % 20;
        if (x > 128 && x < 192)
            continue;
        if (i % 6 == 1) {
            // A bright star: a white heart with a gray glint on each side.
            for (int d = -1; d <= 1; d += 2) {
                plot(c, x + d, y, '+');
                plot(c, x, y + d, '+');
            }
            plot(c, x, y, '#');
        } else
            plot(c, x, y, i % 2 ? '#' : '+');
    }
}

// A shield as the game builds it, 6 by 2 blocks, at double size. A hole
// where `eaten` has a block (index 0 to 11, top row first) wears its
// neighbours as the game wears them when a block goes.
constexpr int SHIELD_COLUMNS = 6;
constexpr int TITLE_SCALE = 2;

constexpr void title_shield(Canvas<320, 240>& c, int x, int y, int eaten) {
    constexpr int bw = 4 * TITLE_SCALE, bh = 8 * TITLE_SCALE;
    for (int i = 0; i < 2 * SHIELD_COLUMNS; i++) {
        int row = i / SHIELD_COLUMNS, k = i % SHIELD_COLUMNS;
        int bx = x + k * bw, by = y + row * bh;
        if (i == eaten)
            continue;
        if (eaten >= 0 && i == eaten + SHIELD_COLUMNS)
            stamp_sprite(c, sprite_shield_worn_top, bx, by, TITLE_SCALE);
        else if (eaten >= 0 && i == eaten - SHIELD_COLUMNS)
            stamp_sprite(c, sprite_shield_worn_bottom, bx, by, TITLE_SCALE);
        else if (eaten >= 0 && i == eaten - 1 && row == eaten / SHIELD_COLUMNS)
            stamp_sprite(c, sprite_shield_worn_right, bx, by, TITLE_SCALE);
        else if (eaten >= 0 && i == eaten + 1 && row == eaten / SHIELD_COLUMNS)
            stamp_sprite(c, sprite_shield_worn_left, bx, by, TITLE_SCALE);
        else
            stamp_sprite(c, sprite_shield_block, bx, by, TITLE_SCALE);
    }
}

// Title: a frame, the mystery ship in a starry sky, the name, a wave of the
// three kinds over the shields and the cannon, all in the game's sprites at
// double size; the rows of the prompt below the ground stay black.
constexpr Canvas<320, 240> compose_title() {
    Canvas<320, 240> c = blank_canvas<320, 240>();
    fill(c, 0, 0, 320, 1, '+');
    fill(c, 0, 239, 320, 1, '+');
    fill(c, 0, 0, 1, 240, '+');
    fill(c, 319, 0, 1, 240, '+');
    for (int corner = 0; corner < 4; corner++) {
        int x = corner % 2 ? 316 : 3, y = corner / 2 ? 236 : 3;
        int dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
        for (int i = 0; i < 10; i++) {
            plot(c, x + i * dx, y, '#');
            plot(c, x, y + i * dy, '#');
        }
    }
    scatter_stars(c);
    stamp_sprite(c, sprite_ship_a, 144, 10, TITLE_SCALE);
    big_word(c, "ORBO-STRAK", 34, 4, 4, 4, 3, "....................-....-...-..-.-.");
    for (int i = 0; i < 6; i++) {
        int x = 40 + i * 44;
        stamp_sprite(c, sprite_invader3_a, x + 4, 86, TITLE_SCALE);
        stamp_sprite(c, sprite_invader2_a, x + 2, 106, TITLE_SCALE);
        if (i == 3)
            stamp_sprite(c, sprite_explosion, x + 4, 126, TITLE_SCALE);
        else
            stamp_sprite(c, sprite_invader1_a, x, 126, TITLE_SCALE);
    }
    for (int i = 0; i < 4; i++)
        title_shield(c, 40 + i * 72, 160, i == 1 ? 2 : i == 2 ? 9 : -1);
    stamp_sprite(c, sprite_bomb_zigzag, 233, 146, TITLE_SCALE);
    stamp_sprite(c, sprite_shot, 157, 144, TITLE_SCALE);
    stamp_sprite(c, sprite_cannon, 147, 194, TITLE_SCALE);
    fill(c, 8, 212, 304, 1, '+');
    return c;
}

} // namespace

constexpr Picture<162, 58> splash_picture = art<162, 58>(compose_splash().rows, 150);
constexpr Picture<320, 240> title_picture = art<320, 240>(compose_title().rows, 153);
