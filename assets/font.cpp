// The 8x8 font: capitals, digits and signs in strokes one pixel wide,
// 5 x 7 in columns 1 to 5, so that letters set 8 apart always have black
// columns between them. The slashes and the wider signs span columns 0 to
// 6; the tails of the comma and the semicolon hang into row 7.
#include "assets/font.h"

#include "assets/art.h"

namespace {

// Signs and digits, codes 33 to 63.

constexpr auto glyph_exclamation = art<8, 8>("...#...."
                                             "...#...."
                                             "...#...."
                                             "...#...."
                                             "...#...."
                                             "........"
                                             "...#...."
                                             "........");

constexpr auto glyph_quote = art<8, 8>("..#.#..."
                                       "..#.#..."
                                       "..#.#..."
                                       "........"
                                       "........"
                                       "........"
                                       "........"
                                       "........");

constexpr auto glyph_number = art<8, 8>("..#.#..."
                                        "..#.#..."
                                        "#######."
                                        "..#.#..."
                                        "#######."
                                        "..#.#..."
                                        "..#.#..."
                                        "........");

constexpr auto glyph_dollar = art<8, 8>("...#...."
                                        "..####.."
                                        ".#.#...."
                                        "..###..."
                                        "...#.#.."
                                        ".####..."
                                        "...#...."
                                        "........");

constexpr auto glyph_percent = art<8, 8>("##....#."
                                         "##...#.."
                                         "....#..."
                                         "...#...."
                                         "..#....."
                                         ".#...##."
                                         "#....##."
                                         "........");

constexpr auto glyph_ampersand = art<8, 8>("..##...."
                                           ".#..#..."
                                           ".#.#...."
                                           "..#....."
                                           ".#.#.#.."
                                           ".#..#..."
                                           "..##.#.."
                                           "........");

constexpr auto glyph_apostrophe = art<8, 8>("...#...."
                                            "...#...."
                                            "..#....."
                                            "........"
                                            "........"
                                            "........"
                                            "........"
                                            "........");

constexpr auto glyph_paren_left = art<8, 8>("....#..."
                                            "...#...."
                                            "..#....."
                                            "..#....."
                                            "..#....."
                                            "...#...."
                                            "....#..."
                                            "........");

constexpr auto glyph_paren_right = art<8, 8>("..#....."
                                             "...#...."
                                             "....#..."
                                             "....#..."
                                             "....#..."
                                             "...#...."
                                             "..#....."
                                             "........");

constexpr auto glyph_asterisk = art<8, 8>("........"
                                          "...#...."
                                          ".#.#.#.."
                                          "..###..."
                                          ".#.#.#.."
                                          "...#...."
                                          "........"
                                          "........");

constexpr auto glyph_plus = art<8, 8>("........"
                                      "...#...."
                                      "...#...."
                                      ".#####.."
                                      "...#...."
                                      "...#...."
                                      "........"
                                      "........");

constexpr auto glyph_comma = art<8, 8>("........"
                                       "........"
                                       "........"
                                       "........"
                                       "........"
                                       "..##...."
                                       "..##...."
                                       "...#....");

constexpr auto glyph_minus = art<8, 8>("........"
                                       "........"
                                       "........"
                                       ".#####.."
                                       "........"
                                       "........"
                                       "........"
                                       "........");

constexpr auto glyph_period = art<8, 8>("........"
                                        "........"
                                        "........"
                                        "........"
                                        "........"
                                        "..##...."
                                        "..##...."
                                        "........");

constexpr auto glyph_slash = art<8, 8>("......#."
                                       ".....#.."
                                       "....#..."
                                       "...#...."
                                       "..#....."
                                       ".#......"
                                       "#......."
                                       "........");

constexpr auto glyph_0 = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#..##.."
                                   ".#.#.#.."
                                   ".##..#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_1 = art<8, 8>("...#...."
                                   "..##...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "..###..."
                                   "........");

constexpr auto glyph_2 = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".....#.."
                                   "....#..."
                                   "...#...."
                                   "..#....."
                                   ".#####.."
                                   "........");

constexpr auto glyph_3 = art<8, 8>(".#####.."
                                   "....#..."
                                   "...#...."
                                   "....#..."
                                   ".....#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_4 = art<8, 8>("....#..."
                                   "...##..."
                                   "..#.#..."
                                   ".#..#..."
                                   ".#####.."
                                   "....#..."
                                   "....#..."
                                   "........");

constexpr auto glyph_5 = art<8, 8>(".#####.."
                                   ".#......"
                                   ".####..."
                                   ".....#.."
                                   ".....#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_6 = art<8, 8>("...##..."
                                   "..#....."
                                   ".#......"
                                   ".####..."
                                   ".#...#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_7 = art<8, 8>(".#####.."
                                   ".....#.."
                                   "....#..."
                                   "...#...."
                                   "..#....."
                                   "..#....."
                                   "..#....."
                                   "........");

constexpr auto glyph_8 = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#...#.."
                                   "..###..."
                                   ".#...#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_9 = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#...#.."
                                   "..####.."
                                   ".....#.."
                                   "....#..."
                                   "..##...."
                                   "........");

constexpr auto glyph_colon = art<8, 8>("........"
                                       "..##...."
                                       "..##...."
                                       "........"
                                       "........"
                                       "..##...."
                                       "..##...."
                                       "........");

constexpr auto glyph_semicolon = art<8, 8>("........"
                                           "..##...."
                                           "..##...."
                                           "........"
                                           "........"
                                           "..##...."
                                           "..##...."
                                           "...#....");

constexpr auto glyph_less = art<8, 8>("....#..."
                                      "...#...."
                                      "..#....."
                                      ".#......"
                                      "..#....."
                                      "...#...."
                                      "....#..."
                                      "........");

constexpr auto glyph_equals = art<8, 8>("........"
                                        "........"
                                        ".#####.."
                                        "........"
                                        ".#####.."
                                        "........"
                                        "........"
                                        "........");

constexpr auto glyph_greater = art<8, 8>("..#....."
                                         "...#...."
                                         "....#..."
                                         ".....#.."
                                         "....#..."
                                         "...#...."
                                         "..#....."
                                         "........");

constexpr auto glyph_question = art<8, 8>("..###..."
                                          ".#...#.."
                                          ".....#.."
                                          "....#..."
                                          "...#...."
                                          "........"
                                          "...#...."
                                          "........");

// The capitals, codes 65 to 90.

constexpr auto glyph_A = art<8, 8>("...#...."
                                   "..#.#..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#####.."
                                   ".#...#.."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_B = art<8, 8>(".####..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".####..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".####..."
                                   "........");

constexpr auto glyph_C = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#......"
                                   ".#......"
                                   ".#......"
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_D = art<8, 8>(".####..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".####..."
                                   "........");

constexpr auto glyph_E = art<8, 8>(".#####.."
                                   ".#......"
                                   ".#......"
                                   ".####..."
                                   ".#......"
                                   ".#......"
                                   ".#####.."
                                   "........");

constexpr auto glyph_F = art<8, 8>(".#####.."
                                   ".#......"
                                   ".#......"
                                   ".####..."
                                   ".#......"
                                   ".#......"
                                   ".#......"
                                   "........");

constexpr auto glyph_G = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#......"
                                   ".#.###.."
                                   ".#...#.."
                                   ".#...#.."
                                   "..####.."
                                   "........");

constexpr auto glyph_H = art<8, 8>(".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#####.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_I = art<8, 8>("..###..."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "..###..."
                                   "........");

constexpr auto glyph_J = art<8, 8>(".....#.."
                                   ".....#.."
                                   ".....#.."
                                   ".....#.."
                                   ".....#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_K = art<8, 8>(".#...#.."
                                   ".#..#..."
                                   ".#.#...."
                                   ".##....."
                                   ".#.#...."
                                   ".#..#..."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_L = art<8, 8>(".#......"
                                   ".#......"
                                   ".#......"
                                   ".#......"
                                   ".#......"
                                   ".#......"
                                   ".#####.."
                                   "........");

constexpr auto glyph_M = art<8, 8>(".#...#.."
                                   ".##.##.."
                                   ".#.#.#.."
                                   ".#.#.#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_N = art<8, 8>(".#...#.."
                                   ".#...#.."
                                   ".##..#.."
                                   ".#.#.#.."
                                   ".#..##.."
                                   ".#...#.."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_O = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_P = art<8, 8>(".####..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".####..."
                                   ".#......"
                                   ".#......"
                                   ".#......"
                                   "........");

constexpr auto glyph_Q = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#.#.#.."
                                   ".#..#..."
                                   "..##.#.."
                                   "........");

constexpr auto glyph_R = art<8, 8>(".####..."
                                   ".#...#.."
                                   ".#...#.."
                                   ".####..."
                                   ".#.#...."
                                   ".#..#..."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_S = art<8, 8>("..###..."
                                   ".#...#.."
                                   ".#......"
                                   "..###..."
                                   ".....#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_T = art<8, 8>(".#####.."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "........");

constexpr auto glyph_U = art<8, 8>(".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   "..###..."
                                   "........");

constexpr auto glyph_V = art<8, 8>(".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   "..#.#..."
                                   "...#...."
                                   "........");

constexpr auto glyph_W = art<8, 8>(".#...#.."
                                   ".#...#.."
                                   ".#...#.."
                                   ".#.#.#.."
                                   ".#.#.#.."
                                   ".##.##.."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_X = art<8, 8>(".#...#.."
                                   ".#...#.."
                                   "..#.#..."
                                   "...#...."
                                   "..#.#..."
                                   ".#...#.."
                                   ".#...#.."
                                   "........");

constexpr auto glyph_Y = art<8, 8>(".#...#.."
                                   ".#...#.."
                                   "..#.#..."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "...#...."
                                   "........");

constexpr auto glyph_Z = art<8, 8>(".#####.."
                                   ".....#.."
                                   "....#..."
                                   "...#...."
                                   "..#....."
                                   ".#......"
                                   ".#####.."
                                   "........");

// Brackets, backslash, caret and underscore, codes 91 to 95.

constexpr auto glyph_bracket_left = art<8, 8>("..###..."
                                              "..#....."
                                              "..#....."
                                              "..#....."
                                              "..#....."
                                              "..#....."
                                              "..###..."
                                              "........");

constexpr auto glyph_backslash = art<8, 8>("#......."
                                           ".#......"
                                           "..#....."
                                           "...#...."
                                           "....#..."
                                           ".....#.."
                                           "......#."
                                           "........");

constexpr auto glyph_bracket_right = art<8, 8>("..###..."
                                               "....#..."
                                               "....#..."
                                               "....#..."
                                               "....#..."
                                               "....#..."
                                               "..###..."
                                               "........");

constexpr auto glyph_caret = art<8, 8>("...#...."
                                       "..#.#..."
                                       ".#...#.."
                                       "........"
                                       "........"
                                       "........"
                                       "........"
                                       "........");

constexpr auto glyph_underscore = art<8, 8>("........"
                                            "........"
                                            "........"
                                            "........"
                                            "........"
                                            "........"
                                            "#######."
                                            "........");

} // namespace

// Small letters are shown in capitals. The space, @, ` and the codes past z
// have no glyph: the queue draws them as black squares, so a space erases.
constexpr const uint8_t* glyph_table[GLYPH_CODES] = {
    // 0 to 32: control codes and the space
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr,
    // 33 to 47: ! " # $ % & ' ( ) * + , - . /
    glyph_exclamation.pixels, glyph_quote.pixels, glyph_number.pixels, glyph_dollar.pixels,
    glyph_percent.pixels, glyph_ampersand.pixels, glyph_apostrophe.pixels, glyph_paren_left.pixels,
    glyph_paren_right.pixels, glyph_asterisk.pixels, glyph_plus.pixels, glyph_comma.pixels,
    glyph_minus.pixels, glyph_period.pixels, glyph_slash.pixels,
    // 48 to 63: the digits, : ; < = > ?
    glyph_0.pixels, glyph_1.pixels, glyph_2.pixels, glyph_3.pixels, glyph_4.pixels, glyph_5.pixels,
    glyph_6.pixels, glyph_7.pixels, glyph_8.pixels, glyph_9.pixels, glyph_colon.pixels,
    glyph_semicolon.pixels, glyph_less.pixels, glyph_equals.pixels, glyph_greater.pixels,
    glyph_question.pixels,
    // 64: @
    nullptr,
    // 65 to 95: the capitals, [ \ ] ^ _
    glyph_A.pixels, glyph_B.pixels, glyph_C.pixels, glyph_D.pixels, glyph_E.pixels, glyph_F.pixels,
    glyph_G.pixels, glyph_H.pixels, glyph_I.pixels, glyph_J.pixels, glyph_K.pixels, glyph_L.pixels,
    glyph_M.pixels, glyph_N.pixels, glyph_O.pixels, glyph_P.pixels, glyph_Q.pixels, glyph_R.pixels,
    glyph_S.pixels, glyph_T.pixels, glyph_U.pixels, glyph_V.pixels, glyph_W.pixels, glyph_X.pixels,
    glyph_Y.pixels, glyph_Z.pixels, glyph_bracket_left.pixels, glyph_backslash.pixels,
    glyph_bracket_right.pixels, glyph_caret.pixels, glyph_underscore.pixels,
    // 96: `
    nullptr,
    // 97 to 122: the small letters
    glyph_A.pixels, glyph_B.pixels, glyph_C.pixels, glyph_D.pixels, glyph_E.pixels, glyph_F.pixels,
    glyph_G.pixels, glyph_H.pixels, glyph_I.pixels, glyph_J.pixels, glyph_K.pixels, glyph_L.pixels,
    glyph_M.pixels, glyph_N.pixels, glyph_O.pixels, glyph_P.pixels, glyph_Q.pixels, glyph_R.pixels,
    glyph_S.pixels, glyph_T.pixels, glyph_U.pixels, glyph_V.pixels, glyph_W.pixels, glyph_X.pixels,
    glyph_Y.pixels, glyph_Z.pixels,
    // 123 to 127
    nullptr, nullptr, nullptr, nullptr, nullptr};
