// The splash and the title. Both announce the name in big letters, built at
// compile time from a small alphabet, scaled up and given a gray extrusion
// so that they stand off the black screen; the title adds a little scene.
#include "assets/pictures.h"

namespace {

// The big letters of the name, side by side as on a type sheet, one space
// between letters. Strokes are two cells thick both ways so that they stay
// even when scaled up.
constexpr char BIG_CODES[] = "ORBSTAK-";
constexpr int BIG_ROWS = 9;
constexpr const char* big_sheet[BIG_ROWS] = {
    ".####. #####. #####. .##### ###### .####. ##..## ....",
    "###### ###### ###### ###### ###### ###### ##.### ....",
    "##..## ##..## ##..## ##.... ..##.. ##..## #####. ....",
    "##..## ##..## #####. #####. ..##.. ##..## ####.. ....",
    "##..## ###### ###### .##### ..##.. ###### ###... ####",
    "##..## #####. ##..## ....## ..##.. ###### ####.. ####",
    "##..## ##.##. ##..## ....## ..##.. ##..## #####. ....",
    "###### ##..## ###### ###### ..##.. ##..## ##.### ....",
    ".####. ##..## #####. #####. ..##.. ##..## ##..## ....",
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

// A small picture: its cells row after row, w to a row.
struct Pattern {
    int w;
    const char* cells;
};

constexpr int pattern_rows(const Pattern& p) {
    int n = 0;
    while (p.cells[n])
        n++;
    if (n % p.w != 0)
        throw "a pattern has a row of the wrong width"; // stops the build
    return n / p.w;
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

// Stamps a pattern, each cell as an sx by sy block; black cells are see-through.
// A nonzero ink paints every lit cell in that one character.
template <int W, int H>
constexpr void stamp(Canvas<W, H>& c, const Pattern& p, int x, int y, int sx, int sy,
                     char ink = 0) {
    for (int r = 0; r < pattern_rows(p); r++)
        for (int col = 0; col < p.w; col++) {
            char cell = p.cells[r * p.w + col];
            if (cell != '.')
                fill(c, x + col * sx, y + r * sy, sx, sy, ink ? ink : cell);
        }
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
    big_word(c, "ORBO-STRAK", 14, 2, 3, 4, 2, "................-....-..-.-.");
    for (int x = 0; x < 162; x++) {
        int edge = x < 81 ? x : 161 - x;
        char ink = edge > 24 ? '#' : edge > 10 ? '+' : edge % 2 == 0 ? '+' : '.';
        plot(c, x, 5, ink);
        plot(c, x, 52, ink);
    }
    return c;
}

constexpr Pattern title_ship = {16, "......++++......"
                                    "....++++++++...."
                                    "..############.."
                                    ".##.##.##.##.##."
                                    "################"
                                    "..+##+....+##+.."
                                    "...+........+..."};
// The three kinds, smallest at the top: a one-eyed orbling, a horned orb
// with arms raised, a wide jelly-orb trailing its tentacles.
constexpr Pattern title_invader3 = {8, "..####.."
                                       ".######."
                                       "###..###"
                                       "###..###"
                                       ".######."
                                       "..++++.."
                                       ".#.++.#."
                                       "#......#"};
constexpr Pattern title_invader2 = {10, "#..####..#"
                                        "#.######.#"
                                        "###.##.###"
                                        "##########"
                                        "..######.."
                                        "..#.##.#.."
                                        ".#......#."
                                        "#........#"};
constexpr Pattern title_invader1 = {12, "...######..."
                                        ".##########."
                                        "###..##..###"
                                        "############"
                                        ".++++++++++."
                                        "..+.+..+.+.."
                                        ".+.+....+.+."
                                        "+..........+"};
constexpr Pattern title_cannon = {13, "......#......"
                                      ".....###....."
                                      ".....###....."
                                      ".###########."
                                      "#############"
                                      "#############"
                                      "#############"
                                      "#############"};
constexpr Pattern title_shield = {12, "..########.."
                                      ".##########."
                                      "############"
                                      "############"
                                      "####....####"
                                      "###......###"};
constexpr Pattern title_bomb = {3, ".#."
                                   "#.."
                                   ".#."
                                   "..#"
                                   ".#."
                                   "#.."
                                   ".#."
                                   "..#"};
constexpr Pattern title_star = {3, ".+."
                                   "+#+"
                                   ".+."};

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
        if (i % 6 == 1)
            stamp(c, title_star, x - 1, y - 1, 1, 1);
        else
            plot(c, x, y, i % 2 ? '#' : '+');
    }
}

// Title: a frame, the mystery ship in a starry sky, the name, a wave of the
// three kinds over the shields and the cannon; the rows of the prompt below
// the ground stay black.
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
    stamp(c, title_ship, 144, 8, 2, 2);
    big_word(c, "ORBO-STRAK", 34, 4, 4, 4, 3, "....................-....-...-..-.-.");
    for (int i = 0; i < 6; i++) {
        stamp(c, title_invader3, 40 + i * 44 + 4, 94, 2, 2);
        stamp(c, title_invader2, 40 + i * 44 + 2, 118, 2, 2);
        stamp(c, title_invader1, 40 + i * 44, 142, 2, 2);
    }
    for (int i = 0; i < 4; i++)
        stamp(c, title_shield, 40 + i * 72, 176, 2, 2, '+');
    stamp(c, title_bomb, 233, 160, 2, 2, '+');
    fill(c, 159, 164, 2, 8, '#');
    stamp(c, title_cannon, 147, 194, 2, 2);
    fill(c, 8, 212, 304, 1, '+');
    return c;
}

} // namespace

constexpr Picture<162, 58> splash_picture = art<162, 58>(compose_splash().rows, 150);
constexpr Picture<320, 240> title_picture = art<320, 240>(compose_title().rows, 153);
