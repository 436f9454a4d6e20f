// One game as the player sees it: the panel, the reserve of cannons, the
// end of a game, the hi-score, waves, and a long march beyond the edges.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/font.h"
#include "assets/sprites.h"
#include "display/draw_queue.h"
#include "frame/input.h"
#include "play/bombs.h"
#include "play/cannon.h"
#include "play/formation.h"
#include "play/game.h"
#include "play/shields.h"
#include "play/ship.h"
#include "sound/mixer.h"
#include "support/harness.h"

namespace {

const DrawCommand& queued(int i) {
    return draw_queue[(queue_read + i) % DRAW_QUEUE_SLOTS];
}

// The first queued command at (x, y), or -1.
int queued_at(int x, int y) {
    for (int i = 0; i < queue_count; i++)
        if (queued(i).x == x && queued(i).y == y)
            return i;
    return -1;
}

// The window shows these gray bytes (null: black) in the w x h box at x, y.
::testing::AssertionResult shows(int x, int y, int w, int h, const uint8_t* pixels) {
    for (int r = 0; r < h; r++)
        for (int k = 0; k < w; k++) {
            uint8_t want = pixels ? pixels[r * w + k] : 0;
            if (pixel_gray(x + k, y + r) != want)
                return ::testing::AssertionFailure()
                       << "pixel " << x + k << "," << y + r << " is "
                       << int(pixel_gray(x + k, y + r)) << ", not " << int(want);
        }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult shows_text(int x, int y, const char* text) {
    for (int i = 0; text[i]; i++) {
        auto result = shows(x + 8 * i, y, 8, 8, glyph_table[int(text[i])]);
        if (!result)
            return result << " in \"" << text << "\" at character " << i;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult shows_reserve(int n) {
    char digit[2] = {char('0' + n), 0};
    auto result = shows_text(1836, 88, digit);
    for (int i = 0; i < 3 && result; i++)
        result = shows(1836 + 14 * i, 96, 13, 8, i < n ? sprite_cannon.pixels : nullptr);
    return result;
}

void silence() {
    for (Voice& v : voices)
        v = Voice{};
}

void new_game(int32_t best) {
    start_video();
    fake_clock_reset(10000);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    pad_buttons[0] = pad_axes[0] = 0;
    fire_held = 0;
    hi_score = best;
    silence();
    game_start();
}

// The cannon's death animation ends in the next frame.
void lose_cannon_next_frame() {
    cannon_explosion_timer = 1;
}

} // namespace

TEST(GamePanel, TheGameScreenOpensWithItsFrameLabelsAndStartingNumbers) {
    new_game(0);
    EXPECT_EQ(presenter_enabled, 1u);
    EXPECT_EQ(voices[1].length, played_length(SND_GAME_START));
    // ground line from x 1 at 963, 16 rows; column 0 and row 979 stay black
    for (int x : {1, 2, 900, 1819, 1820, 1899})
        for (int y : {963, 970, 978})
            EXPECT_EQ(pixel_gray(x, y), 255) << x << "," << y;
    EXPECT_EQ(pixel_gray(0, 963), 0);
    EXPECT_EQ(pixel_gray(0, 970), 0);
    EXPECT_EQ(pixel_gray(900, 979), 0);
    EXPECT_EQ(pixel_gray(900, 962), 0);
    // the separator, two columns the full height
    for (int y : {0, 100, 500, 962, 979}) {
        EXPECT_EQ(pixel_gray(1820, y), 255) << y;
        EXPECT_EQ(pixel_gray(1821, y), 255) << y;
        EXPECT_EQ(pixel_gray(1822, y), 0) << y;
        EXPECT_EQ(pixel_gray(1819, y), y >= 963 && y < 979 ? 255 : 0) << y;
    }
    EXPECT_TRUE(shows_text(1828, 860, "ORBO-"));
    EXPECT_TRUE(shows_text(1844, 868, "STRAK"));
    EXPECT_TRUE(shows_text(1828, 32, "SCORE"));
    EXPECT_TRUE(shows_text(1836, 40, "000000"));
    EXPECT_TRUE(shows_text(1828, 56, "HISCORE"));
    EXPECT_TRUE(shows_text(1836, 64, "000000"));
    EXPECT_TRUE(shows_text(1828, 80, "REST"));
    EXPECT_TRUE(shows_reserve(2));
    EXPECT_TRUE(shows(1849, 96, 1, 8, nullptr)) << "one black column between the icons";
    EXPECT_TRUE(shows(1863, 96, 1, 8, nullptr));
}

TEST(GamePanel, TheHiScoreOfEarlierGamesIsShown) {
    new_game(4321);
    EXPECT_TRUE(shows_text(1836, 64, "004321"));
    EXPECT_TRUE(shows_text(1836, 40, "000000"));
}

TEST(GameLives, TwoThenOneThenNoneThenTheGameEndsAtTheEndOfThatFrame) {
    new_game(0);
    lose_cannon_next_frame();
    EXPECT_EQ(game_frame(), 1);
    EXPECT_EQ(lives, 1);
    present_frame();
    EXPECT_TRUE(shows_reserve(1));

    // a frame that loses a cannon and scores applies the reserve first
    lose_cannon_next_frame();
    player_shot = PlayerShot{16, 552, 1};
    shot_cooldown = 0;
    EXPECT_EQ(game_frame(), 1);
    EXPECT_EQ(lives, 0);
    EXPECT_EQ(score, 10);
    int reserve = queued_at(1836, 88), points = queued_at(1836, 40);
    EXPECT_GE(reserve, 0);
    EXPECT_GT(points, reserve);
    present_frame();
    EXPECT_TRUE(shows_reserve(0));
    EXPECT_TRUE(shows_text(1836, 40, "000010"));

    // the last cannon: the rest of the frame still runs, then the game is over
    game_frame();
    lose_cannon_next_frame();
    score = 70;
    player_shot = PlayerShot{500, 700, 1};
    shot_cooldown = 0;
    int32_t countdown = ship_countdown, seed = bomb_seed, alternator = bomb_alternator;
    EXPECT_EQ(game_frame(), 0);
    EXPECT_EQ(lives, -1);
    EXPECT_EQ(queued_at(1836, 88), -1) << "the reserve display is left at 0";
    EXPECT_EQ(player_shot.y, 696);
    EXPECT_EQ(bomb_alternator, alternator + 1);
    EXPECT_EQ(bomb_seed, seed + 50);
    EXPECT_EQ(ship_countdown, countdown - 1);
    EXPECT_EQ(hi_score, 70);
    present_frame();
    EXPECT_TRUE(shows_reserve(0));
}

TEST(GameInvasion, TheGameEndsInTheMiddleOfTheMarch) {
    new_game(20);
    score = 50;
    march_direction = MARCH_DESCEND;
    formation[9].y = 940;
    int32_t countdown = ship_countdown;
    EXPECT_EQ(game_frame(), 0) << "with two cannons in reserve";
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(formation[9].y, 948);
    EXPECT_EQ(formation[8].y, 552);
    EXPECT_EQ(formation[10].y, 544) << "no further steps";
    EXPECT_EQ(march_cursor, 10);
    EXPECT_EQ(bomb_seed, 10);
    EXPECT_EQ(ship_countdown, countdown) << "no ship_update";
    EXPECT_EQ(hi_score, 50);
}

TEST(GameHiScore, RaisedOnlyWhenAGameEndsAndCarriedIntoTheNext) {
    new_game(100);
    EXPECT_TRUE(shows_text(1836, 64, "000100"));
    player_shot = PlayerShot{16, 552, 1};
    EXPECT_EQ(game_frame(), 1);
    EXPECT_EQ(score, 10);
    EXPECT_GE(queued_at(1836, 40), 0);
    game_frame();
    EXPECT_EQ(queued_at(1836, 40), -1) << "no points, no redraw";
    present_frame();
    EXPECT_TRUE(shows_text(1836, 40, "000010"));
    score = 500;
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(game_frame(), 1);
    EXPECT_EQ(hi_score, 100);
    present_frame();
    EXPECT_TRUE(shows_text(1836, 64, "000100")) << "the panel keeps the hi-score of the start";
    lives = 0;
    lose_cannon_next_frame();
    EXPECT_EQ(game_frame(), 0);
    EXPECT_EQ(hi_score, 500);

    new_game(hi_score);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(lives, 2);
    EXPECT_TRUE(shows_text(1836, 64, "000500"));
    EXPECT_TRUE(shows_text(1836, 40, "000000"));
    score = 20;
    lives = 0;
    lose_cannon_next_frame();
    EXPECT_EQ(game_frame(), 0);
    EXPECT_EQ(hi_score, 500) << "a lower score leaves it";
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
    EXPECT_EQ(score, 10);
    EXPECT_EQ(formation_count(), 600);
    EXPECT_EQ(march_cursor, 0);
    EXPECT_EQ(formation[0].x, 16);
    EXPECT_EQ(formation[0].y, 544);
    EXPECT_EQ(formation[3999].x, 1600);
    for (const ShieldBlock& b : shield_blocks)
        ASSERT_EQ(b.alive, 1);
    ASSERT_GE(queue_count, SHIELD_BLOCKS);
    for (int i = 0; i < SHIELD_BLOCKS; i++) {
        const DrawCommand& c = queued(queue_count - SHIELD_BLOCKS + i);
        ASSERT_EQ(c.pixels, sprite_shield_block.pixels) << i;
        ASSERT_EQ(c.x, shield_blocks[i].x) << i;
        ASSERT_EQ(c.y, shield_blocks[i].y) << i;
    }
    // everything else carries on
    EXPECT_EQ(bombs[0].kind, 1);
    EXPECT_EQ(bombs[0].y, 603);
    EXPECT_EQ(cannon_x, 700);
    EXPECT_EQ(lives, 2);
    EXPECT_EQ(ship_countdown, 239);
}

TEST(GameLong, UpperRowsLeaveTheWindowOnBothSidesWithoutHarm) {
    new_game(0);
    fake_clock_reset(0);
    // the outer ten columns of the bottom six rows shot away; above them only
    // the outer columns stand, which keeps the sweeps short
    for (int row = 0; row < FORMATION_ROWS; row++)
        for (int column = 0; column < 100; column++) {
            bool outer = column < 10 || column >= 90;
            if ((row < 6 && outer) || (row >= 6 && !outer))
                formation[row * 100 + column].kind = 0;
        }
    uint32_t noise = 12345;
    int lowest = 0, highest = 0, over_panel = 0, frames_over = 0;
    for (int frame = 0; frame < 6000; frame++) {
        if (frame % 7 == 0) {
            noise = noise * 1103515245u + 12345u;
            const ButtonMask moves[] = {0, BUTTON_LEFT, BUTTON_RIGHT, BUTTON_LEFT | BUTTON_RIGHT};
            pad_buttons[0] = moves[(noise >> 16) % 4] | ((noise >> 20) % 3 == 0 ? BUTTON_FIRE : 0);
        }
        int going = game_frame();
        ASSERT_TRUE(going == 1) << "frame " << frame;
        ASSERT_LE(queue_count, 3071);
        ASSERT_GE(cannon_x, 1);
        ASSERT_LE(cannon_x, 1806);
        ASSERT_GE(score, 0);
        ASSERT_EQ(score % 10, 0);
        ASSERT_GE(ship_x, -32);
        ASSERT_LE(ship_x, 1812);
        if (player_shot.active) {
            ASSERT_GE(player_shot.y, 7);
            ASSERT_LE(player_shot.y, 947);
        }
        for (const Bomb& b : bombs)
            ASSERT_LE(b.kind, 2);
        for (int s = 600; s < FORMATION_SLOTS; s += 100) {
            lowest = std::min<int>(lowest, formation[s].x);
            highest = std::max<int>(highest, formation[s + 99].x);
            over_panel += formation[s + 99].x >= 1820;
        }
        frames_over += formation[699].x >= 1900 || formation[600].x < 0;
        // the reserve is topped up so that this one game lasts
        if (lives < 2)
            lives = 2;
    }
    EXPECT_LT(lowest, -8) << "past the left edge";
    EXPECT_GT(highest, 1908) << "past the right edge";
    EXPECT_GT(over_panel, 0);
    EXPECT_GT(frames_over, 100);
    EXPECT_GT(formation_count(), 0);
    present_frame();
    // the side panel's labels stand where no invader passed
    EXPECT_TRUE(shows_text(1828, 860, "ORBO-"));
}
