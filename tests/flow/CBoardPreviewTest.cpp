#include <string>

#include "flow/CBoardPreview.h"
#include "flow/LevelFile.h"
#include "game/BoardFixture.h"

namespace {

using CBoardPreviewTest = BoardTest;

LevelFile Level(const std::string& text) {
    LevelFile level;
    std::string error;
    EXPECT_TRUE(level.Parse(text, "level.txt", error)) << error;
    return level;
}

TEST_F(CBoardPreviewTest, ALevelFileGivesAFilledBoardWaitingForItsReveal) {
    CBoardPreview preview(
        Level("XXXX\nX..X\nXXXX\n\nSCALE:80\nCELLS_NORMAL:FK # two pets\nPROB_STAR:10\nTIMEVIRUS:4\n"));
    ASSERT_EQ(preview.Error(), "");
    EXPECT_FLOAT_EQ(boardScale, 0.8f);
    EXPECT_EQ(preview.Board()->generator.petCount, 2);
    EXPECT_EQ(preview.Board()->virusSpread.period, 4);
    EXPECT_FALSE(preview.Board()->active);
    EXPECT_EQ(preview.Board()->CountCellsOfKind(CellKind::Hole), 2);
    App.pointer = pointer.get();
}

// What only the board can tell is refused with the line too, and the board never joins the
// tree: not one tick of a level that was refused runs.
TEST_F(CBoardPreviewTest, ALevelTheBoardCannotTakeNamesTheLineAndNeverRuns) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string(13, 'X') + "\n\nSCALE:100\nCELLS_NORMAL:F\n",
         "level.txt:3: a grid of 13 x 1 squares at scale 100 does not fit the 800 x 600 screen"},
        {"XXXX\n\nTIME: 60\n", "level.txt:3: the level has no CELLS_NORMAL line naming its pets"},
    };
    for (const auto& [text, message] : cases) {
        CBoardPreview preview(Level(text));
        EXPECT_EQ(preview.Error(), message);
        EXPECT_EQ(preview.Find("game/board"), nullptr) << message;
    }
    App.pointer = pointer.get();
}

}  // namespace
