// Whole games played through the replay tool from scripts of held buttons,
// checked frame by frame against the rules of play.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

struct Replay {
    std::vector<std::string> frames; // the state lines kept, frame i at i unless thinned
    std::string output, last_line;   // the lines kept; the last line of all
};

// The script is written to a file and the replay's output read back through
// a pipe, which every system's shell opens alike; `keep` may thin the lines
// kept, of which the last line of all is not one.
static Replay replay(const std::string& script, const std::string& options = "--state-only",
                     bool (*keep)(const std::string& line) = nullptr) {
    static int scripts = 0;
    const std::string path = testing::TempDir() + "orbostrak_replay_" + std::to_string(getpid()) +
                             "_" + std::to_string(scripts++) + ".txt";
    std::ofstream(path) << script;
    const std::string command = std::filesystem::path(ORBOSTRAK_REPLAY).make_preferred().string() +
                                " " + options + " \"" + path + "\"";
    FILE* out = popen(command.c_str(), "r");
    Replay r;
    for (char line[4096]; fgets(line, sizeof line, out);) {
        r.last_line.assign(line, strcspn(line, "\n"));
        if (keep && !keep(r.last_line))
            continue;
        r.output += line;
        if (r.last_line.rfind("frame ", 0) == 0)
            r.frames.push_back(r.last_line);
    }
    EXPECT_EQ(pclose(out), 0) << script;
    remove(path.c_str());
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

// The bottom row needs 51 descents of 8 from row 544 to the invasion line at
// 948. Each descent starts in the frame after a sweep ends at slot 3999; the
// game ends on the first step of the 51st, when slot 0 steps down.
TEST(ReplayIdle, TheFormationInvadesOnTheFirstStepOfItsFiftyFirstDescent) {
    Replay r = replay("300000 -\n", "--state-only", [](const std::string& line) {
        return line.find(" march 0 down") != std::string::npos ||
               line.find(" march 1 down") != std::string::npos;
    });
    ASSERT_EQ(r.frames.size(), 52u) << r.output.substr(0, 2000);
    const std::string &turn = r.frames[50], &end = r.frames[51];
    EXPECT_TRUE(num(turn, "march") == 0 && num(end, "march") == 1 &&
                num(end, "frame") == num(turn, "frame") + 1)
        << turn << "\n"
        << end;
    EXPECT_EQ(r.last_line, "game over score 0");
}

TEST(ReplayCannon, BombsReachingTheReadyCannonCostItsThreeLivesAndEndTheGame) {
    Replay r = replay("100 R\n100000 -\n");
    std::vector<int> deaths;
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
    }
    // the game ends as the third wreck has burnt for its 90 frames
    ASSERT_EQ(deaths.size(), 3u);
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

// Fired at 56 in frame 41, the shot reaches row 551, inside the bottom row's
// 544..552, on its 99th move, when column 2 has marched twice to span 50..61.
TEST(ReplayShot, AShotFromTheFirstGapHitsColumnTwoForTenPoints) {
    Replay r = replay("40 R\n1 F\n150 -\n");
    ASSERT_EQ(r.frames.size(), 192u);
    const std::string &before = r.frames[41 + 97], &at = r.frames[41 + 98];
    EXPECT_TRUE(num(before, "score") == 0 && num(at, "score") == 10 && word(at, "shot") == "-");
}

TEST(ReplayScript, TwoRunsOfOneGameAreIdentical) {
    Replay first = replay("100 RF\n# wait under the bombs\n1400 -\n", "--frames 1500");
    Replay second = replay("100 R F\n1400 -\n", "--frames 1500");
    EXPECT_EQ(first.last_line, "end frame 1500 score 0");
    EXPECT_TRUE(first.output == second.output);
    // the invaders change picture every sweep
    for (const char* picture : {"sprite invader1_a ", "sprite invader1_b "})
        EXPECT_NE(first.output.find(picture), std::string::npos) << picture;
}
