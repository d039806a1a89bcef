#include <gtest/gtest.h>

#include <fstream>

#include "ShippedLevel.h"
#include "support/GLTestWindow.h"

namespace {

// A level that breaks no rule; each case changes one line of it.
const std::vector<std::string> GoodLevel = {
    "XXXX",
    "....",
    "XXXX",
    "#",
    "TIME: 60",            // line 5
    "TIMEVIRUS: 10",       // 6
    "SCALE: 100",          // 7
    "CELLS_NORMAL: FKP",   // 8
    "PROB_STAR: 5",        // 9
    "PROB_BUBBLE: 5",      // 10
    "PROB_VIRUS: 5",       // 11
    "PROB_CLOCK: 10",      // 12
    "PROB_VACCINE: 10",    // 13
    "PROB_SOAP: 10",       // 14
    "PROB_NOPET: 10",      // 15
    "PROB_SPOON: 10",      // 16
    "PROB_SANDCLOCK: 10",  // 17
    "PROB_EDDY: 10",       // 18
};

struct Case {
    size_t line;  // 1-based line of GoodLevel to replace
    std::string text;
    std::string problem;  // "" for none
};

TEST(ShippedLevelTest, EachBrokenRuleIsNamedWithItsLine) {
    const Case cases[] = {
        {18, "# PROB_EDDY left out", "lvl.txt:18: the level does not set PROB_EDDY"},
        {18, "PROB_EDDY: 41", "lvl.txt:18: the item chances add up to 101, at most 100"},
        {18, "PROB_EDDY: 40", ""},
        {9, "PROB_STAR: 90", "lvl.txt:11: the star, bubble and virus chances add up to 100"},
        {14, "PROB_SOAP: 0", "lvl.txt:10: bubbles come but PROB_SOAP is 0"},
        {13, "PROB_VACCINE: 0", "lvl.txt:11: viruses come but PROB_VACCINE is 0"},
        {7, "SCALE: 320", "lvl.txt:7: a grid of 4 x 3 squares at scale 320 does not fit"},
        {3, "...X", "lvl.txt:3: the square in column 4 has no square beside it"},
        {1, "XX..", "lvl.txt:1: the square in column 1 and the one beside it are cut off"},
        {1, "....", ""},
        {2, "...X", ""},
        {5, "TIME 60", "lvl.txt:5: expected KEY: VALUE"},
    };
    TempDir dir;
    const std::string path = dir.File("lvl.txt");
    for (const Case& c : cases) {
        std::vector<std::string> lines = GoodLevel;
        lines[c.line - 1] = c.text;
        std::ofstream(path) << [&] {
            std::string text;
            for (const std::string& line : lines) {
                text += line + "\n";
            }
            return text;
        }();
        ShippedLevel level;
        std::vector<std::string> problems;
        EXPECT_EQ(level.Load(path, problems), c.problem.empty()) << c.text;
        ASSERT_EQ(problems.size(), c.problem.empty() ? 0u : 1u) << c.text;
        if (!c.problem.empty()) {
            EXPECT_EQ(problems[0].rfind(dir.File(c.problem), 0), 0u) << problems[0];
        }
    }
}

TEST(ShippedLevelTest, AMissingFileIsNamed) {
    TempDir dir;
    ShippedLevel level;
    std::vector<std::string> problems;
    EXPECT_FALSE(level.Load(dir.File("level1-1.txt"), problems));
    EXPECT_FALSE(level.WasRead());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rfind(dir.File("level1-1.txt: "), 0), 0u) << problems[0];
}

}  // namespace
