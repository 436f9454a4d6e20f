// Pictures as readable rows of characters, turned into gray bytes at compile
// time: '#' white, '+' the picture's mid gray, '.' black.
#pragma once

#include <cstddef>
#include <cstdint>

template <int W, int H>
struct Picture {
    static constexpr int16_t w = W;
    static constexpr int16_t h = H;
    uint8_t pixels[size_t(W) * size_t(H)];
};

constexpr uint8_t art_gray(char c, uint8_t mid) {
    return c == '#' ? 255 : c == '+' ? mid : 0;
}

// The rows are one concatenated string literal of exactly W*H characters.
template <int W, int H, size_t N>
constexpr Picture<W, H> art(const char (&rows)[N], uint8_t mid = 128) {
    static_assert(N == size_t(W * H) + 1, "picture rows do not match its size");
    Picture<W, H> p{};
    for (int i = 0; i < W * H; i++)
        p.pixels[i] = art_gray(rows[i], mid);
    return p;
}
