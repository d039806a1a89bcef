#include <fstream>
#include <string>
#include <vector>

#include "app/HeadlessDriver.h"
#include "game/BoardFixture.h"
#include "game/CBoardPreview.h"

namespace {

using CBoardPreviewTest = BoardTest;

TEST_F(CBoardPreviewTest, ALevelFileGivesAFilledBoardWaitingForItsReveal) {
    const std::string path = temp.File("level.txt");
    std::ofstream(path)
        << "XXXX\nX..X\nXXXX\n\nSCALE:80\nCELLS_NORMAL:FK # two pets\nPROB_STAR:10\nTIMEVIRUS:4\n";
    CBoardPreview preview(path);
    ASSERT_EQ(preview.Error(), "");
    EXPECT_FLOAT_EQ(boardScale, 0.8f);
    EXPECT_EQ(preview.Board()->generator.petCount, 2);
    EXPECT_EQ(preview.Board()->virusSpread.period, 4);
    EXPECT_FALSE(preview.Board()->active);
    EXPECT_EQ(preview.Board()->CountCellsOfKind(CellKind::Hole), 2);
    App.pointer = pointer.get();
}

TEST_F(CBoardPreviewTest, AMalformedLevelNamesTheFileAndLine) {
    const std::string path = temp.File("bad.txt");
    std::ofstream(path) << "XXXX\nXXXX\n\nCELLS_NORMAL:FKQ\n";
    {
        CBoardPreview preview(path);
        EXPECT_EQ(preview.Error(),
                  path + ":4: CELLS_NORMAL: 'Q' is no pet (use F K P M D T S R or f k p m d t s r)");
    }
    std::ofstream(path) << std::string(13, 'X') << "\n\nSCALE:100\nCELLS_NORMAL:F\n";
    {
        CBoardPreview preview(path);
        EXPECT_EQ(preview.Error(),
                  path + ":3: a grid of 13 x 1 squares at scale 100 does not fit the 800 x 600 screen");
    }
    App.pointer = pointer.get();
}

TEST(HeadlessBoardScript, TheBoardActionTakesOneFile) {
    std::vector<HeadlessDriver::Event> events;
    std::string error;
    ASSERT_TRUE(HeadlessDriver::ParseScript("300 board /tmp/b.txt\n10 board -\n", "s.txt", events, error))
        << error;
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].tick, 10u);
    EXPECT_EQ(events[1].action, "board");
    EXPECT_EQ(events[1].arguments, std::vector<std::string>{"/tmp/b.txt"});
    EXPECT_FALSE(HeadlessDriver::ParseScript("5 board\n", "s.txt", events, error));
    EXPECT_EQ(error, "s.txt:1: unknown action or wrong number of arguments: 'board'");
}

}  // namespace
