// One game as the player sees it: the panel, the reserve of cannons, the
// end of a game, the hi-score, waves, and a long march beyond the edges.
#include <gtest/gtest.h>

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
    panel_draw_lives(1);
    present_frame();
    EXPECT_TRUE(shows_text(1836, 40, "234567") && shows_reserve(1));
    panel_draw_lives(0);
    present_frame();
    EXPECT_TRUE(shows_reserve(0));
}

TEST(GameLives, TheReserveShows1Then0AndLosingTheLastCannonEndsTheGameAfterItsFrame) {
    new_game(0);
    cannon_explosion_timer = 1; // lost in the next frame
    EXPECT_EQ(game_frame(), 1);
    present_frame();
    EXPECT_TRUE(lives == 1 && shows_reserve(1));
    // a frame that loses a cannon and scores applies the reserve first
    cannon_explosion_timer = 1; // lost in the next frame
    player_shot = PlayerShot{16, 552, 1};
    EXPECT_EQ(game_frame(), 1);
    EXPECT_TRUE(queued_at(1836, 88) >= 0 && queued_at(1836, 40) > queued_at(1836, 88));
    present_frame();
    EXPECT_TRUE(lives == 0 && shows_reserve(0) && shows_text(1836, 40, "000010"));
    // the last cannon: the rest of the frame still runs, then the game is over
    cannon_explosion_timer = 1; // lost in the next frame
    player_shot = PlayerShot{500, 700, 1};
    shot_cooldown = 0;
    int32_t countdown = ship_countdown, seed = bomb_seed;
    EXPECT_EQ(game_frame(), 0);
    EXPECT_EQ(queued_at(1836, 88), -1) << "the reserve display is left at 0";
    EXPECT_TRUE(player_shot.y == 696 && bomb_seed == seed + 50 && ship_countdown == countdown - 1);
    EXPECT_EQ(hi_score, 10);
}

TEST(GameInvasion, AnInvasionEndsTheGameInTheMiddleOfTheMarchWithCannonsInReserve) {
    new_game(20);
    score = 50;
    march_direction = MARCH_DESCEND;
    formation[9].y = 940;
    int32_t countdown = ship_countdown;
    EXPECT_EQ(game_frame(), 0);
    EXPECT_TRUE(lives == 2 && formation[9].y == 948 && formation[10].y == 544) << "no more steps";
    EXPECT_TRUE(bomb_seed == 10 && ship_countdown == countdown) << "nor the ship";
    EXPECT_EQ(hi_score, 50);
}

TEST(GameHiScore, RaisedOnlyWhenAGameEndsAndCarriedIntoTheNextGame) {
    new_game(100);
    player_shot = PlayerShot{16, 552, 1};
    EXPECT_EQ(game_frame(), 1);
    EXPECT_GE(queued_at(1836, 40), 0);
    game_frame();
    EXPECT_EQ(queued_at(1836, 40), -1) << "no points, no redraw";
    score = 500;
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(game_frame(), 1);
    present_frame();
    EXPECT_TRUE(hi_score == 100 && shows_text(1836, 64, "000100"));
    lives = 0;
    cannon_explosion_timer = 1; // lost in the next frame
    EXPECT_TRUE(game_frame() == 0 && hi_score == 500);
    new_game(hi_score);
    EXPECT_TRUE(shows_text(1836, 64, "000500") && shows_text(1836, 40, "000000"));
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

TEST(GameLong, UpperRowsLeaveTheWindowOnBothSidesWithoutHarm) {
    new_game(0);
    // the outer ten columns of the bottom six rows shot away; above them only
    // the outer columns of every fifth row stand, which keeps the sweeps short
    for (int row = 0; row < FORMATION_ROWS; row++)
        for (int column = 0; column < 100; column++) {
            bool outer = column < 10 || column >= 90;
            if (row < 6 ? outer : !outer || row % 5 != 1)
                formation[row * 100 + column].kind = 0;
        }
    uint32_t noise = 12345;
    int left_out = 0, right_out = 0;
    for (int frame = 0; frame < 3000 && !(left_out && right_out); frame++) {
        if (frame % 7 == 0) {
            noise = noise * 1103515245u + 12345u;
            const ButtonMask moves[] = {0, BUTTON_LEFT, BUTTON_RIGHT, BUTTON_LEFT | BUTTON_RIGHT};
            hold(moves[(noise >> 16) % 4] | ((noise >> 20) % 3 == 0 ? BUTTON_FIRE : 0));
        }
        ASSERT_EQ(game_frame(), 1) << "frame " << frame;
        ASSERT_TRUE(queue_count <= 3071 && cannon_x >= 1 && cannon_x <= 1806);
        ASSERT_TRUE(score % 10 == 0 && ship_x >= -32 && ship_x <= 1812);
        ASSERT_TRUE(!player_shot.active || (player_shot.y >= 7 && player_shot.y <= 947));
        left_out += formation[600].x <= -8; // the whole picture beyond the edge
        right_out += formation[699].x >= SCREEN_WIDTH + 8;
        lives = 2; // topped up so that this one game lasts
    }
    EXPECT_TRUE(left_out && right_out) << "left " << left_out << ", right " << right_out;
    EXPECT_GT(shots_fired, 0);
}
