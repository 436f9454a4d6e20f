// The twenty game sprites, all 8 rows high, drawn here once: the game, the
// title picture and anything else that shows the cast use these. Black is
// opaque: a sprite drawn over an older one replaces it whole, and on the
// black play field its black parts vanish.
#pragma once

#include "assets/art.h"

// The mystery ship: the dome breathes and the windows chase each other.
inline constexpr Picture<16, 8> sprite_ship_a = art<16, 8>("......####......"
                                                           "....########...."
                                                           "...##########..."
                                                           "..##.##.##.##..."
                                                           ".##############."
                                                           "################"
                                                           "..###..##..###.."
                                                           "...#........#...");
inline constexpr Picture<16, 8> sprite_ship_b = art<16, 8>("................"
                                                           ".....######....."
                                                           "...##########..."
                                                           "...##.##.##.##.."
                                                           ".##############."
                                                           "################"
                                                           ".###..##..##.###"
                                                           "..#..........#..");

// A burst: a ring of debris flung out from an empty heart, with sparks
// thrown to the corners.
inline constexpr Picture<8, 8> sprite_explosion = art<8, 8>("..#..#.."
                                                            "#..##..#"
                                                            "..#..#.."
                                                            ".#....#."
                                                            ".#....#."
                                                            "..#..#.."
                                                            "#..##..#"
                                                            "..#..#..");

// The three kinds of orb, widest at the bottom of the formation: a jelly-orb
// trailing its tentacles, a horned orb with its arms raised, a one-eyed
// orbling. The two frames of a kind differ only in the antennae or arms and
// the legs (rows 0-1 and 5-7), so alternating them makes it walk.
inline constexpr Picture<12, 8> sprite_invader1_a = art<12, 8>("...######..."
                                                               ".##########."
                                                               "###..##..###"
                                                               "############"
                                                               "############"
                                                               ".#.#.##.#.#."
                                                               "#.#..##..#.#"
                                                               ".#........#.");
inline constexpr Picture<12, 8> sprite_invader1_b = art<12, 8>("...######..."
                                                               ".##########."
                                                               "###..##..###"
                                                               "############"
                                                               "############"
                                                               "..#.#..#.#.."
                                                               ".#..#..#..#."
                                                               "#..#....#..#");

inline constexpr Picture<10, 8> sprite_invader2_a = art<10, 8>("#..####..#"
                                                               "#.######.#"
                                                               "###.##.###"
                                                               "##########"
                                                               "..######.."
                                                               "..#.##.#.."
                                                               ".#......#."
                                                               "#........#");
inline constexpr Picture<10, 8> sprite_invader2_b = art<10, 8>("...####..."
                                                               "#.######.#"
                                                               "###.##.###"
                                                               "##########"
                                                               "..######.."
                                                               ".#..##..#."
                                                               ".#......#."
                                                               "..#....#..");

inline constexpr Picture<8, 8> sprite_invader3_a = art<8, 8>("..####.."
                                                             ".######."
                                                             "###..###"
                                                             "###..###"
                                                             ".######."
                                                             "..#..#.."
                                                             ".#.##.#."
                                                             "#......#");
inline constexpr Picture<8, 8> sprite_invader3_b = art<8, 8>("..####.."
                                                             ".######."
                                                             "###..###"
                                                             "###..###"
                                                             ".######."
                                                             "..#..#.."
                                                             "..#..#.."
                                                             ".#....#.");

// The turret's tip is column 6, where the shot leaves; the base spans 1 to 11.
inline constexpr Picture<13, 8> sprite_cannon = art<13, 8>("......#......"
                                                           ".....###....."
                                                           ".....###....."
                                                           "..#########.."
                                                           ".###########."
                                                           ".###########."
                                                           ".###########."
                                                           ".###########.");
// The wreck: the turret knocked askew into a broken hull, sparks and smoke
// (gray) over it. The two frames trade sparks for smoke, so the wreck
// flickers as it burns.
inline constexpr Picture<13, 8> sprite_cannon_blast_a = art<13, 8>("...+.....#..."
                                                                   ".#....+....+."
                                                                   "....#...#...."
                                                                   "..+...+#..+.."
                                                                   "....+###....."
                                                                   "..#+####+#+.."
                                                                   ".####+######."
                                                                   ".###########.");
inline constexpr Picture<13, 8> sprite_cannon_blast_b = art<13, 8>("..#.....+...."
                                                                   ".+...#....#.."
                                                                   "....+...+...#"
                                                                   ".#....#+..#.."
                                                                   "...+.###.+..."
                                                                   "..+#####+#+.."
                                                                   ".###+#######."
                                                                   ".###########.");

inline constexpr Picture<3, 8> sprite_shot = art<3, 8>("###"
                                                       ".#."
                                                       ".#."
                                                       ".#."
                                                       ".#."
                                                       ".#."
                                                       ".#."
                                                       "###");
inline constexpr Picture<3, 8> sprite_bomb_cross = art<3, 8>("..."
                                                             ".#."
                                                             ".#."
                                                             ".#."
                                                             ".#."
                                                             "###"
                                                             ".#."
                                                             "...");
inline constexpr Picture<3, 8> sprite_bomb_zigzag = art<3, 8>("#.."
                                                              ".#."
                                                              "..#"
                                                              ".#."
                                                              "#.."
                                                              ".#."
                                                              "..#"
                                                              ".#.");

// Shield blocks: whole, and bitten from each of the four sides.
inline constexpr Picture<4, 8> sprite_shield_block = art<4, 8>("####"
                                                               "####"
                                                               "####"
                                                               "####"
                                                               "####"
                                                               "####"
                                                               "####"
                                                               "####");
inline constexpr Picture<4, 8> sprite_shield_worn_top = art<4, 8>("...."
                                                                  "...."
                                                                  "...."
                                                                  "####"
                                                                  "####"
                                                                  "####"
                                                                  "####"
                                                                  "####");
inline constexpr Picture<4, 8> sprite_shield_worn_bottom = art<4, 8>("####"
                                                                     "####"
                                                                     "####"
                                                                     "####"
                                                                     "####"
                                                                     "...."
                                                                     "...."
                                                                     "....");
inline constexpr Picture<4, 8> sprite_shield_worn_right = art<4, 8>("##.."
                                                                    "##.."
                                                                    "##.."
                                                                    "##.."
                                                                    "##.."
                                                                    "##.."
                                                                    "##.."
                                                                    "##..");
inline constexpr Picture<4, 8> sprite_shield_worn_left = art<4, 8>("..##"
                                                                   "..##"
                                                                   "..##"
                                                                   "..##"
                                                                   "..##"
                                                                   "..##"
                                                                   "..##"
                                                                   "..##");
