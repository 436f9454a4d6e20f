// The twenty game sprites. Black is opaque: a sprite drawn over an older one
// replaces it whole, and on the black play field its black parts vanish.
#include "assets/sprites.h"

// The mystery ship: the dome breathes and the windows chase each other.
constexpr Picture<16, 8> sprite_ship_a = art<16, 8>("......####......"
                                                    "....########...."
                                                    "...##########..."
                                                    "..##.##.##.##..."
                                                    ".##############."
                                                    "################"
                                                    "..###..##..###.."
                                                    "...#........#...");
constexpr Picture<16, 8> sprite_ship_b = art<16, 8>("................"
                                                    ".....######....."
                                                    "...##########..."
                                                    "...##.##.##.##.."
                                                    ".##############."
                                                    "################"
                                                    ".###..##..##.###"
                                                    "..#..........#..");

constexpr Picture<8, 8> sprite_explosion = art<8, 8>("#..#..#."
                                                     ".#....#."
                                                     "..#.#..#"
                                                     "##.....#"
                                                     "#.....##"
                                                     "#..#.#.."
                                                     ".#....#."
                                                     ".#..#..#");

// Kind 1, the wide one of the bottom rows. The two frames differ only in
// the antennae and the legs, so alternating them makes it walk.
constexpr Picture<12, 8> sprite_invader1_a = art<12, 8>("..#......#.."
                                                        "...#....#..."
                                                        "..########.."
                                                        ".##.####.##."
                                                        "############"
                                                        "#.########.#"
                                                        "#.#......#.#"
                                                        "...##..##...");
constexpr Picture<12, 8> sprite_invader1_b = art<12, 8>("#.#......#.#"
                                                        "#..#....#..#"
                                                        "..########.."
                                                        ".##.####.##."
                                                        "############"
                                                        ".##########."
                                                        "..#......#.."
                                                        ".#........#.");

constexpr Picture<10, 8> sprite_invader2_a = art<10, 8>("...#..#..."
                                                        "....##...."
                                                        "..######.."
                                                        ".##.##.##."
                                                        "##########"
                                                        "..#.##.#.."
                                                        ".#......#."
                                                        "#........#");
constexpr Picture<10, 8> sprite_invader2_b = art<10, 8>("..#....#.."
                                                        "...#..#..."
                                                        "..######.."
                                                        ".##.##.##."
                                                        "##########"
                                                        ".#..##..#."
                                                        "#.#....#.#"
                                                        ".#......#.");

constexpr Picture<8, 8> sprite_invader3_a = art<8, 8>("...##..."
                                                      "..####.."
                                                      ".######."
                                                      "##.##.##"
                                                      "########"
                                                      "..#..#.."
                                                      ".#.##.#."
                                                      "#.#..#.#");
constexpr Picture<8, 8> sprite_invader3_b = art<8, 8>("#..##..#"
                                                      "..####.."
                                                      ".######."
                                                      "##.##.##"
                                                      "########"
                                                      ".#.##.#."
                                                      "#......#"
                                                      ".#....#.");

// The turret's tip is column 6, where the shot leaves; the base spans 1 to 11.
constexpr Picture<13, 8> sprite_cannon = art<13, 8>("......#......"
                                                    ".....###....."
                                                    ".....###....."
                                                    "..#########.."
                                                    ".###########."
                                                    ".###########."
                                                    ".###########."
                                                    ".###########.");
constexpr Picture<13, 8> sprite_cannon_blast_a = art<13, 8>("..+.......#.."
                                                            "#....+.#....."
                                                            "...#.......+."
                                                            ".+...##.+...#"
                                                            "...#+###.#..."
                                                            "..+##+#+##+.."
                                                            ".####+##+###."
                                                            ".###########.");
constexpr Picture<13, 8> sprite_cannon_blast_b = art<13, 8>(".....#...+..."
                                                            "+.#.......#.."
                                                            ".....+..#...."
                                                            "#..#.+.....+."
                                                            ".+..#+#.#+..."
                                                            "...#+##+#+..#"
                                                            ".##+####+##+."
                                                            ".###########.");

constexpr Picture<3, 8> sprite_shot = art<3, 8>("###"
                                                ".#."
                                                ".#."
                                                ".#."
                                                ".#."
                                                ".#."
                                                ".#."
                                                "###");
constexpr Picture<3, 8> sprite_bomb_cross = art<3, 8>("..."
                                                      ".#."
                                                      ".#."
                                                      ".#."
                                                      ".#."
                                                      "###"
                                                      ".#."
                                                      "...");
constexpr Picture<3, 8> sprite_bomb_zigzag = art<3, 8>("#.."
                                                       ".#."
                                                       "..#"
                                                       ".#."
                                                       "#.."
                                                       ".#."
                                                       "..#"
                                                       ".#.");

// Shield blocks: whole, and bitten from each of the four sides.
constexpr Picture<4, 8> sprite_shield_block = art<4, 8>("####"
                                                        "####"
                                                        "####"
                                                        "####"
                                                        "####"
                                                        "####"
                                                        "####"
                                                        "####");
constexpr Picture<4, 8> sprite_shield_worn_top = art<4, 8>("...."
                                                           "...."
                                                           "...."
                                                           "####"
                                                           "####"
                                                           "####"
                                                           "####"
                                                           "####");
constexpr Picture<4, 8> sprite_shield_worn_bottom = art<4, 8>("####"
                                                              "####"
                                                              "####"
                                                              "####"
                                                              "####"
                                                              "...."
                                                              "...."
                                                              "....");
constexpr Picture<4, 8> sprite_shield_worn_right = art<4, 8>("##.."
                                                             "##.."
                                                             "##.."
                                                             "##.."
                                                             "##.."
                                                             "##.."
                                                             "##.."
                                                             "##..");
constexpr Picture<4, 8> sprite_shield_worn_left = art<4, 8>("..##"
                                                            "..##"
                                                            "..##"
                                                            "..##"
                                                            "..##"
                                                            "..##"
                                                            "..##"
                                                            "..##");
