// Whole games played through the replay tool from scripts of held buttons,
// checked frame by frame against the rules of play.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <stdlib.h>
#include <sys/wait.h>

#ifndef ORBOSTRAK_REPLAY
#error "ORBOSTRAK_REPLAY names the replay tool"
#endif

namespace {

struct Bombed {
    int x, y, kind;
};

// One frame as the tool prints it: the state line, then its sounds and
// draw commands.
struct Frame {
    int frame = -1, score = 0, lives = 0, cannon_x = 0, cannon_timer = 0;
    std::string cannon;
    bool shot = false;
    int shot_x = 0, shot_y = 0, march = 0, live = 0;
    std::string march_direction;
    std::vector<Bombed> bombs;
    std::vector<std::string> lines;

    int count(const std::string& line) const {
        int n = 0;
        for (const std::string& l : lines)
            n += l == line;
        return n;
    }
    int count_starting(const std::string& prefix) const {
        int n = 0;
        for (const std::string& l : lines)
            n += l.rfind(prefix, 0) == 0;
        return n;
    }
};

struct Replay {
    std::string output;
    std::vector<Frame> frames;
    std::string last_line;
    int status = -1;
};

Frame parse_state(const std::string& line) {
    Frame f;
    std::istringstream in(line);
    std::string word, shot;
    in >> word >> f.frame;
    if (!(in >> word))
        return f; // --commands-only: the frame number alone
    in >> f.score >> word >> f.lives >> word >> f.cannon_x >> f.cannon;
    if (f.cannon != "ready")
        in >> f.cannon_timer;
    in >> word >> shot;
    if (shot != "-") {
        f.shot = true;
        f.shot_x = std::stoi(shot);
        in >> f.shot_y;
    }
    int bombs = 0;
    in >> word >> word >> word >> word >> word >> f.march >> f.march_direction >> word >> f.live >>
        word >> bombs;
    for (int i = 0; i < bombs; i++) {
        Bombed b{};
        char comma;
        in >> b.x >> comma >> b.y >> comma >> b.kind;
        f.bombs.push_back(b);
    }
    return f;
}

Replay replay(const std::string& script, const std::string& options = "--state-only") {
    // ctest runs tests side by side: each script gets a file of its own
    std::string path = testing::TempDir() + "replay_XXXXXX";
    int fd = mkstemp(path.data());
    FILE* file = fdopen(fd, "w");
    fputs(script.c_str(), file);
    fclose(file);
    Replay r;
    FILE* out = popen((std::string(ORBOSTRAK_REPLAY) + " " + options + " " + path).c_str(), "r");
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, out)) {
        r.output += buffer;
        std::string line(buffer, strcspn(buffer, "\n"));
        if (line.rfind("frame ", 0) == 0)
            r.frames.push_back(parse_state(line));
        else if (!r.frames.empty())
            r.frames.back().lines.push_back(line);
        r.last_line = line;
    }
    int status = pclose(out);
    remove(path.c_str());
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (!r.frames.empty() && r.frames.back().lines.size() > 0 &&
        r.frames.back().lines.back() == r.last_line)
        r.frames.back().lines.pop_back();
    return r;
}

// A sweep moves each of the 4000 invaders once, 50 a frame.
constexpr int SWEEP_FRAMES = 4000 / 50;

} // namespace

TEST(ReplayIdle, TheFormationInvadesAtTheFrameItsMarchGives) {
    Replay r = replay("300000 -\n");
    ASSERT_EQ(r.status, 0);
    // The bottom-right invader starts at 1600 and turns the march from 1805:
    // 52 sweeps. Each later leg runs 53 sweeps, from 1808 down to 12 and back.
    // A descent is one sweep; the bottom row needs 51 of them from row 544
    // to reach 948, and slot 0 reaches it on the first step of the last.
    std::vector<std::pair<int, std::string>> expected;
    int t = 52 * SWEEP_FRAMES;
    for (int descent = 1; descent <= 51; descent++) {
        expected.push_back({t, descent % 2 ? "down-left" : "down-right"});
        if (descent < 51)
            expected.push_back({t + SWEEP_FRAMES, descent % 2 ? "left" : "right"});
        t += 54 * SWEEP_FRAMES;
    }
    int invasion = expected.back().first + 1;

    std::vector<std::pair<int, std::string>> turns;
    for (size_t i = 1; i < r.frames.size(); i++) {
        const Frame& f = r.frames[i];
        ASSERT_EQ(f.frame, int(i));
        if (f.march_direction != r.frames[i - 1].march_direction)
            turns.push_back({f.frame, f.march_direction});
        // no bomb of this game falls within columns 11..22 of the cannon at 10
        ASSERT_EQ(f.lives, 2) << "frame " << f.frame;
        ASSERT_EQ(f.score, 0);
        ASSERT_EQ(f.live, 600);
    }
    EXPECT_EQ(turns, expected);
    EXPECT_EQ(r.frames.back().frame, invasion);
    EXPECT_EQ(r.last_line, "game over score 0");
}

TEST(ReplayCannon, BombsReachingTheReadyCannonCostItsThreeLives) {
    Replay r = replay("100 R\n100000 -\n");
    ASSERT_EQ(r.status, 0);
    std::vector<int> deaths, losses;
    for (size_t i = 1; i < r.frames.size(); i++) {
        const Frame &was = r.frames[i - 1], &f = r.frames[i];
        // a ready cannon, or one whose entry ends now, is open to a bomb that
        // reaches row 947 strictly within its 13 columns
        bool open = was.cannon == "ready" || (was.cannon == "entering" && was.cannon_timer == 1);
        bool bomb_lands = false;
        for (const Bombed& b : was.bombs)
            bomb_lands |= b.y + 3 >= 947 && f.cannon_x < b.x && b.x < f.cannon_x + 13;
        ASSERT_EQ(f.cannon == "exploding" && f.cannon_timer == 90, open && bomb_lands)
            << "frame " << f.frame;
        if (f.cannon_timer == 90 && f.cannon == "exploding")
            deaths.push_back(f.frame);
        if (f.lives != was.lives)
            losses.push_back(f.frame);
        ASSERT_EQ(f.cannon_x, std::min(10 + f.frame, 110));
    }
    // The first bomb falls at step 616 (frame 13) from column (615 ^ 165) %
    // 100 = 6, marched once to 116; 132 moves of 3 take it from row 552 to 948.
    ASSERT_EQ(deaths.size(), 3u);
    EXPECT_EQ(deaths[0], 13 + 132);
    ASSERT_EQ(losses.size(), 3u);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(losses[i], deaths[i] + 90) << "the wreck burns for 90 frames";
    EXPECT_EQ(r.frames.back().frame, losses[2]);
    EXPECT_EQ(r.frames.back().lives, -1);
    EXPECT_EQ(r.last_line, "game over score 0");
}

TEST(ReplayCannon, HeldMovesStopAtBothBounds) {
    Replay right = replay("1900 R\n");
    ASSERT_EQ(right.status, 0);
    ASSERT_EQ(right.frames.size(), 1901u);
    for (const Frame& f : right.frames)
        ASSERT_EQ(f.cannon_x, std::min(10 + f.frame, 1806)) << "frame " << f.frame;
    EXPECT_EQ(right.last_line, "end frame 1900 score 0");

    Replay left = replay("20 L\n");
    for (const Frame& f : left.frames)
        ASSERT_EQ(f.cannon_x, std::max(10 - f.frame, 1)) << "frame " << f.frame;
}

TEST(ReplayShot, AShotFromTheFirstGapHitsColumnTwoForTenPoints) {
    Replay r = replay("# to 50, then fire from the gap\n40 R\n\n1 F\n150 -\n", "");
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.frames.size(), 192u);
    // frame 0 is game_start: only the shields are queued
    EXPECT_EQ(r.frames[0].count_starting("sprite shield_block "), 384);
    EXPECT_EQ(r.frames[0].lines.size(), 385u) << "and the start tune";

    // fired at 56 in frame 41, the shot reaches row 551, inside the bottom
    // row's 544..552, on its 99th move. Column 2 has then marched twice, to
    // 56, and spans 50..61.
    const int hit = 41 + 98;
    EXPECT_EQ(r.frames[41].count("sprite shot 55 943"), 1);
    for (int f = 41; f < hit; f++)
        ASSERT_TRUE(r.frames[f].shot && r.frames[f].shot_y == 947 - 4 * (f - 40)) << f;
    const Frame& f = r.frames[hit];
    EXPECT_EQ(r.frames[hit - 1].score, 0);
    EXPECT_EQ(f.score, 10);
    EXPECT_FALSE(f.shot);
    EXPECT_EQ(f.count("sound 1 invader_hit"), 1);
    EXPECT_EQ(f.count("fill 0 55 555 3 8"), 1) << "the shot's last place erased";
    EXPECT_EQ(f.count("sprite shot 55 551"), 0);
    // the explosion plays out in the same frame: 20 of its 50 steps, 19
    // pictures and a last erase; the march makes the other 30
    EXPECT_EQ(f.count("sprite explosion 52 544"), 19);
    EXPECT_EQ(f.count("fill 0 50 544 12 8"), 20);
    EXPECT_EQ(f.live, 599);
    EXPECT_EQ(f.march, r.frames[hit - 1].march + 30);
    const char* digits = "000010";
    for (int k = 0; k < 6; k++)
        EXPECT_EQ(f.count(std::string("glyph '") + digits[k] + "' " + std::to_string(1836 + 8 * k) +
                          " 40"),
                  1);
    EXPECT_EQ(r.frames.back().score, 10);
}

TEST(ReplayScript, TwoRunsAreIdenticalFromAFileAndFromStandardInput) {
    Replay first = replay("100 RF\n# wait under the bombs\n1400 -\n", "--frames 1500");
    FILE* out = popen("printf '100 R F\\n1400 -\\n' | " ORBOSTRAK_REPLAY " --frames 1500 -", "r");
    std::string second;
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, out))
        second += buffer;
    EXPECT_EQ(pclose(out), 0);
    EXPECT_EQ(first.last_line, "end frame 1500 score 0");
    EXPECT_GT(first.output.size(), 1000000u);
    EXPECT_TRUE(first.output == second);
    EXPECT_EQ(replay("10 X\n").status, 2);
    EXPECT_EQ(replay("R 10\n").status, 2);
}
