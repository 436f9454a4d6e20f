// Whole games played through the replay tool from scripts of held buttons,
// checked frame by frame against the rules of play.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

struct Replay {
    std::vector<std::string> frames; // the state line of frame i
    std::string output, last_line;
};

// The script is fed on standard input.
static Replay replay(const std::string& script, const std::string& options = "--state-only") {
    std::string command = "printf '" + script + "' | " ORBOSTRAK_REPLAY " " + options + " -";
    Replay r;
    FILE* out = popen(command.c_str(), "r");
    char buffer[4096];
    while (fgets(buffer, sizeof buffer, out)) {
        r.output += buffer;
        r.last_line.assign(buffer, strcspn(buffer, "\n"));
        if (r.last_line.rfind("frame ", 0) == 0)
            r.frames.push_back(r.last_line);
    }
    EXPECT_EQ(pclose(out), 0) << script;
    return r;
}

// The word n places after key in a state line: in "cannon 10 entering 60",
// cannon 1 is 10 and cannon 3 is 60.
static std::string word(const std::string& state, const std::string& key, int n = 1) {
    std::istringstream in(state.substr((" " + state).find(" " + key + " ")));
    std::string w;
    for (int i = 0; i <= n; i++)
        in >> w;
    return w;
}

static int num(const std::string& state, const std::string& key, int n = 1) {
    return std::stoi(word(state, key, n));
}

// A sweep moves each of the 4000 invaders once, 50 a frame.
constexpr int SWEEP = 4000 / 50;

TEST(ReplayIdle, TheFormationInvadesAtTheFrameItsMarchGives) {
    Replay r = replay("300000 -\n");
    // The bottom-right invader starts at 1600 and turns the march from 1805:
    // 52 sweeps. Each later leg runs 53 sweeps, from 1808 down to 12 and back.
    // A descent is one sweep; the bottom row needs 51 of them from row 544
    // to reach 948, and slot 0 reaches it on the first step of the last.
    std::vector<std::pair<int, std::string>> expected, turns;
    for (int descent = 1, t = 52 * SWEEP; descent <= 51; descent++, t += 54 * SWEEP) {
        expected.push_back({t, descent % 2 ? "down-left" : "down-right"});
        if (descent < 51)
            expected.push_back({t + SWEEP, descent % 2 ? "left" : "right"});
    }
    for (size_t i = 1; i < r.frames.size(); i++)
        if (word(r.frames[i], "march", 2) != word(r.frames[i - 1], "march", 2))
            turns.push_back({int(i), word(r.frames[i], "march", 2)});
    EXPECT_EQ(turns, expected);
    EXPECT_EQ(r.frames.size(), expected.back().first + 2u) << "invaded in the descent's frame";
    EXPECT_EQ(r.last_line, "game over score 0");
}

TEST(ReplayCannon, BombsReachingTheReadyCannonCostItsThreeLivesAndEndTheGame) {
    Replay r = replay("100 R\n100000 -\n");
    std::vector<int> deaths, losses;
    for (size_t i = 1; i < r.frames.size(); i++) {
        const std::string &was = r.frames[i - 1], &now = r.frames[i];
        // a ready cannon, or one whose entry ends now, is open to a bomb that
        // reaches row 947 strictly within its 13 columns
        bool open = word(was, "cannon", 2) == "ready" ||
                    (word(was, "cannon", 2) == "entering" && num(was, "cannon", 3) == 1);
        bool lands = false;
        for (int b = 1, x = num(now, "cannon"), bx, by; b <= num(was, "bombs"); b++)
            lands |= sscanf(word(was, "bombs", 1 + b).c_str(), "%d,%d", &bx, &by) == 2 &&
                     by + 3 >= 947 && x < bx && bx < x + 13;
        bool dies = word(now, "cannon", 2) == "exploding" && num(now, "cannon", 3) == 90;
        ASSERT_EQ(dies, open && lands) << now;
        if (dies)
            deaths.push_back(int(i));
        if (num(now, "lives") != num(was, "lives"))
            losses.push_back(int(i) - 90); // the wreck burns for 90 frames
    }
    // The first bomb falls at step 616 (frame 13) from column (615 ^ 165) %
    // 100 = 6, marched once to 116; 132 moves of 3 take it from row 552 to 948.
    ASSERT_TRUE(deaths.size() == 3 && deaths[0] == 13 + 132) << deaths.size() << " deaths";
    EXPECT_EQ(losses, deaths);
    EXPECT_EQ(r.frames.size(), deaths.back() + 91u);
    EXPECT_EQ(r.last_line, "game over score 0");
}

TEST(ReplayCannon, HeldMovesStopAtBothBounds) {
    Replay right = replay("1900 R\n"), left = replay("20 L\n");
    ASSERT_TRUE(right.frames.size() == 1901 && left.frames.size() == 21);
    for (int i = 0; i <= 1900; i++)
        ASSERT_EQ(num(right.frames[i], "cannon"), std::min(10 + i, 1806)) << i;
    EXPECT_TRUE(num(left.frames[9], "cannon") == 1 && num(left.frames[20], "cannon") == 1);
}

TEST(ReplayShot, AShotFromTheFirstGapHitsColumnTwoForTenPoints) {
    Replay r = replay("40 R\n1 F\n150 -\n");
    // fired at 56 in frame 41, the shot reaches row 551, inside the bottom
    // row's 544..552, on its 99th move. Column 2 has then marched twice, to
    // 56, and spans 50..61.
    const int hit = 41 + 98;
    ASSERT_EQ(r.frames.size(), 192u);
    const std::string &before = r.frames[hit - 1], &at = r.frames[hit];
    EXPECT_TRUE(num(before, "score") == 0 && num(at, "score") == 10 && word(at, "shot") == "-");
}

TEST(ReplayScript, TwoRunsOfOneGameAreIdentical) {
    Replay first = replay("100 RF\n# wait under the bombs\n1400 -\n", "--frames 1500");
    Replay second = replay("100 R F\n1400 -\n", "--frames 1500");
    EXPECT_EQ(first.last_line, "end frame 1500 score 0");
    EXPECT_TRUE(first.output == second.output);
}
