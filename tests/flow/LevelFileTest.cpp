#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "flow/LevelFile.h"
#include "support/GLTestWindow.h"

namespace {

using namespace std::string_literals;

// Every fault names the file and the line, and says what is wrong in words; numbers that
// would wrap or overflow later are refused where they are read.
TEST(LevelFileTest, MalformedFilesAreRefusedNamingTheLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "lvl.txt:1: the file is empty"},
        {"\xEF\xBB\xBFXX\n#\n", "lvl.txt:1: the file begins with a byte order mark"},
        {"TIME: 5\n", "lvl.txt:1: the file must begin with the grid"},
        {"XXX\nX.X\nXX\n", "lvl.txt:3: row has 2 squares, the first row has 3"},
        {std::string(31, 'X') + "\n", "lvl.txt:1: row has 31 squares, at most 30"},
        {[] {
             std::string rows;
             for (int i = 0; i < 31; ++i) {
                 rows += "XX\n";
             }
             return rows;
         }(),
         "lvl.txt:31: more than 30 rows"},
        {"XX\n#\n# " + std::string(98, 'c') + "\n", "lvl.txt:3: the line has 100 characters"},
        {"XX\n#\nTIME 120\n", "lvl.txt:3: expected KEY: VALUE, found 'TIME 120'"},
        {"XX\n#\nTIME : 120\n", "lvl.txt:3: unknown key 'TIME '"},
        {"XX\n#\nTI\0ME: 5\n"s, "lvl.txt:3: unknown key 'TI\\x00ME'"},
        {"XX\n#\nTIMEVIRUS: 1073741824\n",
         "lvl.txt:3: TIMEVIRUS must be a whole number from 0 to 3600, not '1073741824'"},
        {"XX\n#\nSCALE: 4294967381\n", "lvl.txt:3: SCALE must be a whole number from 10 to 400"},
        {"XX\n#\nSCALE: 99999999999\n", "lvl.txt:3: SCALE must be"},
        {"XX\n#\n\nSCALE: 1e2\n", "lvl.txt:4: SCALE must be a whole number from 10 to 400, not '1e2'"},
        {"XX\n#\nTIME:\n", "lvl.txt:3: TIME must be a whole number from 1 to 3600, not ''"},
        {"XX\n#\nPROB_STAR: 2147483647\n", "lvl.txt:3: PROB_STAR must be a whole number from 0 to 100"},
        {"XX\n#\nCELLS_NORMAL: FKZ\n", "lvl.txt:3: CELLS_NORMAL: 'Z' is no pet"},
        {"XX\n#\nCELLS_NORMAL:\n", "lvl.txt:3: CELLS_NORMAL names no pet"},
        {"XX\n#\nCELLS_NORMAL: FFFFFFFFFFFFFFFFF\n", "lvl.txt:3: CELLS_NORMAL has 17 letters"},
    };
    for (const auto& [text, message] : cases) {
        LevelFile level;
        std::string error;
        EXPECT_FALSE(level.Parse(text, "lvl.txt", error)) << message;
        EXPECT_EQ(error.substr(0, message.size()), message);
    }
}

// The syntax as level designers write it.
TEST(LevelFileTest, KeysCommentsAndLineEnds) {
    LevelFile level;
    std::string error;
    ASSERT_TRUE(
        level.Parse("X.X\r\nXXX\r\n# keys\r\n"
                    "TIME: 120 # two minutes\r\n"
                    "\r\n"
                    "# a comment line\r\n"
                    "   \r\n"
                    ": 7\r\n"
                    "CELLS_NORMAL: F F K P\r\n"
                    "SCALE:85\r\n"
                    "SCALE: 90\r\n"
                    "PROB_STAR:\t5",
                    "lvl.txt", error))
        << error;
    EXPECT_EQ(level.Rows(), (std::vector<std::string>{"X.X", "XXX"}));
    EXPECT_EQ(level.NumberOr("TIME", 0), 120);
    EXPECT_EQ(level.Find("CELLS_NORMAL")->text, "FFKP");
    EXPECT_EQ(level.NumberOr("SCALE", 0), 90);  // the last line wins
    EXPECT_EQ(level.Find("SCALE")->line, 11);
    EXPECT_EQ(level.NumberOr("PROB_STAR", 0), 5);
    EXPECT_EQ(level.NumberOr("PROB_VIRUS", -1), -1);

    // The line that ends the grid is never read as a key; a last row without a line end counts.
    ASSERT_TRUE(level.Parse("XX\nTIME: 5\nSCALE: 80\n", "lvl.txt", error)) << error;
    EXPECT_EQ(level.Find("TIME"), nullptr);
    EXPECT_EQ(level.NumberOr("SCALE", 0), 80);
    ASSERT_TRUE(level.Parse("XX\nX.", "lvl.txt", error)) << error;
    EXPECT_EQ(level.Rows().size(), 2u);
}

TEST(LevelFileTest, OnlyARegularFileIsRead) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("levels"));
    std::ofstream(dir.File("level.txt")) << "XX\n#\nTIME: 9\n";
    LevelFile level;
    std::string error;
    ASSERT_TRUE(level.Load(dir.File("level.txt"), error)) << error;
    EXPECT_EQ(level.NumberOr("TIME", 0), 9);
    EXPECT_FALSE(level.Load(dir.File("levels"), error));
    EXPECT_EQ(error, dir.File("levels") + ": is a folder, not a file");
    EXPECT_FALSE(level.Load(dir.File("missing.txt"), error));
    EXPECT_EQ(error, dir.File("missing.txt") + ": No such file or directory");
}

}  // namespace
