// One game as the player sees it: the score adding up, the reserve of
// cannons, the end of a game, the hi-score and waves.
#include <cstdio>

#include "support/play_rig.h"

// How many of the panel's three reserve slots, 14 pixels apart, show a cannon.
static int reserve_shown() {
    int shown = 0;
    for (int i = 0; i < 3; i++)
        shown += bool(shows_picture(1836 + 14 * i, 96, sprite_cannon.w, sprite_cannon.h,
                                    sprite_cannon.pixels));
    return shown;
}

TEST(GameScore, HitsOfEachKindAddUpAndTheBestIsRaisedOnlyAtTheEndAndCarriedOn) {
    new_game(15);
    // each frame an invader of another kind is hit while a cannon is lost
    for (int lost = 1, total = 0; lost <= 3; lost++) {
        formation[lost].kind = uint8_t(lost);
        total += 10 * lost;
        cannon_explosion_timer = 1;
        player_shot = PlayerShot{formation[lost].x, 552, 1};
        shot_cooldown = 0;
        EXPECT_EQ(game_frame(), lost < 3) << "the last cannon ends the game";
        char digits[12];
        snprintf(digits, sizeof digits, "%06d", total);
        present_frame();
        EXPECT_TRUE(score == total && shows_text(1836, 40, digits));
        // the reserve is left at 0 when the last cannon goes
        EXPECT_TRUE(lives == 2 - lost && shows_text(1836, 88, lost == 1 ? "1" : "0") &&
                    reserve_shown() == 2 - std::min(lost, 2))
            << lost;
        EXPECT_EQ(hi_score, lost < 3 ? 15 : 60) << "the best stays until the game ends";
    }
    new_game(hi_score);
    present_frame();
    EXPECT_TRUE(shows_text(1836, 64, "000060") && shows_text(1836, 40, "000000") &&
                shows_text(1836, 88, "2") && reserve_shown() == 2);
}

TEST(GameWave, ClearingTheBottomRowsBringsANewFormationAndShieldsWhileBombsFallOn) {
    new_game(0);
    for (int s = 1; s < 600; s++)
        formation[s].kind = 0;
    for (int i = 0; i < SHIELD_BLOCKS; i += 7)
        shield_block_destroy(i);
    bombs[0] = Bomb{300, 600, 1, 0};
    player_shot = PlayerShot{16, 552, 1};
    EXPECT_EQ(game_frame(), 1);
    EXPECT_TRUE(score == 10 && formation_count() == 600 && march_cursor == 0 &&
                formation[0].x == 16 && formation[3999].x == 1600);
    EXPECT_TRUE(std::all_of(shield_blocks, shield_blocks + SHIELD_BLOCKS,
                            [](const ShieldBlock& b) { return b.alive; }) &&
                bombs[0].kind == 1 && bombs[0].y == 603 && lives == 2)
        << "new shields, and the rest carries on";
}

// An invader stepping down onto row 948 ends the game in that step; a row
// short, the march goes on.
TEST(GameInvasion, AStepDownOntoTheInvasionRowEndsTheGameAtOnce) {
    for (int y : {939, 940}) {
        new_game(0);
        formation[0].y = int16_t(y);
        march_direction = MARCH_DESCEND;
        EXPECT_TRUE(game_frame() == (y == 939) && march_cursor == (y == 939 ? 50 : 1)) << y;
    }
}
