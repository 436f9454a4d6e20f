// One game as the player sees it: the panel, the reserve of cannons, the
// end of a game, the hi-score and waves.
#include "assets/font.h"
#include "display/panel.h"
#include "support/play_rig.h"

namespace {

// The window shows these gray bytes (null: black) in the w x h box at x, y.
bool shows(int x, int y, int w, int h, const uint8_t* pixels) {
    for (int i = 0; i < w * h; i++)
        if (pixel_gray(x + i % w, y + i / w) != (pixels ? pixels[i] : 0))
            return false;
    return true;
}

::testing::AssertionResult shows_text(int x, int y, const char* text) {
    for (int i = 0; text[i]; i++)
        if (!shows(x + 8 * i, y, 8, 8, glyph_table[int(text[i])]))
            return ::testing::AssertionFailure() << "not \"" << text << "\" at " << x << "," << y;
    return ::testing::AssertionSuccess();
}

// The digit of the reserve and its three boxes: a cannon, or black.
bool shows_reserve(int n) {
    const char digit[2] = {char('0' + n), 0};
    for (int i = 0; i < 3; i++)
        if (!shows(1836 + 14 * i, 96, 13, 8, i < n ? sprite_cannon.pixels : nullptr))
            return false;
    return shows_text(1836, 88, digit);
}

// The first command queued at (x, y), or -1.
int queued_at(int x, int y) {
    for (int i = 0; i < queue_count; i++) {
        const DrawCommand& c = draw_queue[(queue_read + i) % DRAW_QUEUE_SLOTS];
        if (c.x == x && c.y == y)
            return i;
    }
    return -1;
}

} // namespace

TEST(GamePanel, TheGameScreenShowsItsLabelsScoresAndTwoCannonsInReserve) {
    new_game(0);
    EXPECT_TRUE(shows_text(1828, 860, "ORBO-") && shows_text(1844, 868, "STRAK"));
    EXPECT_TRUE(shows_text(1828, 32, "SCORE") && shows_text(1836, 40, "000000"));
    EXPECT_TRUE(shows_text(1828, 56, "HISCORE") && shows_text(1836, 64, "000000"));
    EXPECT_TRUE(shows_text(1828, 80, "REST") && shows_reserve(2));
    EXPECT_TRUE(shows(1849, 96, 1, 8, nullptr)) << "one black column between the icons";
    panel_draw_number(1234567, PANEL_SCORE_Y);
    present_frame();
    EXPECT_TRUE(shows_text(1836, 40, "234567")) << "the last six digits";
}

TEST(GameLives, EachLossRedrawsTheReserveBeforeTheScoreAndTheLastEndsTheGameAfterItsFrame) {
    new_game(0);
    for (int lost = 1; lost <= 3; lost++) {
        cannon_explosion_timer = 1; // lost in the next frame, with a hit
        player_shot = PlayerShot{int16_t(16 * lost), 552, 1};
        shot_cooldown = 0;
        int32_t countdown = ship_countdown, seed = bomb_seed;
        EXPECT_EQ(game_frame(), lost < 3);
        EXPECT_EQ(lost < 3, queued_at(1836, 88) >= 0) << "the reserve display is left at 0";
        EXPECT_GT(queued_at(1836, 40), queued_at(1836, 88));
        EXPECT_TRUE(bomb_seed == seed + 30 && ship_countdown == countdown - 1) << "all of it";
        present_frame();
        EXPECT_TRUE(shows_reserve(lost < 3 ? 2 - lost : 0) && score == 10 * lost) << lost;
    }
    EXPECT_TRUE(shows_text(1836, 40, "000030") && hi_score == 30);
}

TEST(GameHiScore, RaisedOnlyWhenAGameEndsAndCarriedIntoTheNextGame) {
    new_game(100);
    score = 500;
    player_shot = PlayerShot{16, 552, 1}; // 10 more in the first frame
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(game_frame(), 1);
    present_frame();
    EXPECT_TRUE(hi_score == 100 && shows_text(1836, 64, "000100"));
    // an invasion ends the game in the middle of the march, cannons in reserve
    const int32_t k = march_cursor, seed = bomb_seed, countdown = ship_countdown;
    march_direction = MARCH_DESCEND;
    formation[k + 9].y = 940;
    EXPECT_TRUE(game_frame() == 0 && hi_score == 510 && lives == 2);
    EXPECT_EQ(formation[k + 9].y, 948);
    EXPECT_TRUE(bomb_seed == seed + 10 && ship_countdown == countdown) << "no more steps, no ship";
    new_game(hi_score);
    EXPECT_TRUE(shows_text(1836, 64, "000510") && shows_text(1836, 40, "000000"));
}

TEST(GameWave, ClearingTheBottomRowsRebuildsFormationAndShieldsInTheSameFrame) {
    new_game(0);
    for (int s = 1; s < 600; s++)
        formation[s].kind = 0;
    for (int i = 0; i < 40; i++)
        shield_block_destroy(i * 7);
    bombs[0] = Bomb{300, 600, 1, 0};
    cannon_x = 700;
    player_shot = PlayerShot{16, 552, 1};
    EXPECT_EQ(game_frame(), 1);
    EXPECT_TRUE(score == 10 && formation_count() == 600 && march_cursor == 0 &&
                formation[0].x == 16 && formation[3999].x == 1600);
    for (int i = 0; i < SHIELD_BLOCKS; i++) {
        const DrawCommand& c =
            draw_queue[(queue_write + DRAW_QUEUE_SLOTS - SHIELD_BLOCKS + i) % DRAW_QUEUE_SLOTS];
        ASSERT_TRUE(shield_blocks[i].alive && c.pixels == sprite_shield_block.pixels &&
                    c.x == shield_blocks[i].x && c.y == shield_blocks[i].y)
            << "block " << i << " is drawn whole, last in the frame";
    }
    EXPECT_TRUE(bombs[0].kind == 1 && bombs[0].y == 603 && cannon_x == 700 && lives == 2)
        << "everything else carries on";
}
