#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "game/BoardFixture.h"
#include "game/CCellNormal.h"
#include "game/CCellPictures.h"

namespace {

using CBoardGridTest = BoardTest;

TEST_F(CBoardGridTest, GridRowsMakeHolesAndSquaresAndConsumeTheFirstKeyLine) {
    const std::string path = temp.File("level.txt");
    {
        std::ofstream file(path);
        file << "X.X\r\nXXX\nTIME:100\nSCALE:100\n";
    }
    std::ifstream file(path);
    std::string error;
    ASSERT_TRUE(board->LoadGrid(file, "level.txt", error)) << error;
    EXPECT_EQ(board->width, 3);
    EXPECT_EQ(board->height, 2);
    EXPECT_EQ(board->GridLinesRead(), 3);
    std::string next;
    std::getline(file, next);
    EXPECT_EQ(next, "SCALE:100");
    EXPECT_EQ(Squares(), (Rows{"#-#", "###"}));
    ASSERT_NE(At(1, 0), nullptr);
    EXPECT_EQ(At(1, 0)->kind, CellKind::Hole);
    EXPECT_EQ(At(0, 0), nullptr);  // a square waiting to be filled
    EXPECT_FALSE(board->IsCleared());
}

TEST_F(CBoardGridTest, MalformedGridsAreRefusedWithTheFileAndLine) {
    const std::vector<std::pair<Rows, std::string>> cases = {
        {{"XXX", "XXX", "XX"}, "grid.txt:3: row has 2 squares, the first row has 3"},
        {Filled(31, 1), "grid.txt:1: row has 31 squares, at most 30 are allowed"},
        {Filled(2, 31), "grid.txt:31: more than 30 rows"},
        {{}, "grid.txt:1: the file must begin with the grid"},
    };
    std::string error;
    for (const auto& [rows, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_FALSE(TryLoadGrid(rows, "TIME:100\n", error));
        EXPECT_EQ(error.substr(0, expected.size()), expected);
        EXPECT_EQ(board->width * board->height, 0);  // nothing left behind to tick or draw
    }
    // The largest grid is fine.
    EXPECT_TRUE(TryLoadGrid(Filled(30, 30), "TIME:1\n", error)) << error;
    EXPECT_EQ(board->width * board->height, 900);
}

TEST_F(CBoardGridTest, AGridThatCannotFitTheScreenAtItsScaleIsRefused) {
    std::string error;
    ASSERT_TRUE(TryLoadGrid(Filled(30, 30), "", error));
    EXPECT_FALSE(board->FitsScreen(error));
    EXPECT_EQ(error, "a grid of 30 x 30 squares at scale 100 does not fit the 800 x 600 screen");
    boardScale = 0.3f;
    EXPECT_TRUE(board->FitsScreen(error));
    boardScale = 1.0f;
    ASSERT_TRUE(TryLoadGrid(Filled(10, 8), "", error));
    EXPECT_TRUE(board->FitsScreen(error));
    ASSERT_TRUE(TryLoadGrid(Filled(13, 8), "", error));
    EXPECT_FALSE(board->FitsScreen(error));
}

// At full scale the mouse mapping and the drawing tests pin the geometry down.
TEST_F(CBoardGridTest, GeometryCentresTheGridAtAScale) {
    boardScale = 0.8f;
    LoadGrid(Filled(12, 10));
    EXPECT_EQ(board->originX, 92);    // (800 - 614.4) / 2
    EXPECT_EQ(board->originY, 40);    // (600 - 520) / 2
    EXPECT_EQ(board->petOffsetX, 2);  // 2.4
    EXPECT_EQ(board->petOffsetY, 3);  // 3.6
    EXPECT_EQ(board->SquareX(5), 92 + 256);
    EXPECT_EQ(board->SquareY(3), 40 + 156);
    EXPECT_FLOAT_EQ(board->squareNormal.zoom, 0.8f);
}

TEST_F(CBoardGridTest, TheMouseIsMappedTwentyPixelsUpAndLeft) {
    LoadGrid(Filled(10, 8));  // 640 x 520 from (80, 40)
    struct Case {
        int x, y;
        bool inside;
        int column, row;
    };
    for (const Case& test : {Case{100, 60, true, 0, 0}, Case{99, 60, false, 0, 0}, Case{739, 579, true, 9, 7},
                             Case{740, 100, false, 0, 0}, Case{100, 580, false, 0, 0}}) {
        SCOPED_TRACE(std::to_string(test.x) + ", " + std::to_string(test.y));
        input.MoveMouse(test.x, test.y);
        int column = -1;
        int row = -1;
        ASSERT_EQ(board->CellAtMouse(column, row), test.inside);
        if (test.inside) {
            EXPECT_EQ(column, test.column);
            EXPECT_EQ(row, test.row);
        }
    }
}

// The draws in their fixed order (same seed, same board): a percentage roll, then a
// bubble's colour or a pet from the list; replayed here with the generator's own formula.
TEST_F(CBoardGridTest, NewCellsFollowTheChancesInTheirDrawOrder) {
    std::string error;
    ASSERT_TRUE(board->generator.SetPets("FFK", error)) << error;
    board->generator.probStar = 10;
    board->generator.probBubble = 5;
    board->generator.probVirus = 5;
    SeedRandom(99);
    uint32_t replay = 99;
    auto draw = [&replay] {
        replay = replay * 214013u + 2531011u;
        return static_cast<int>((replay >> 16) & 0x7FFF);
    };
    static const int colours[4] = {CellKind::RedBubble, CellKind::GreenBubble, CellKind::VioletBubble,
                                   CellKind::BlueBubble};
    static const int petList[3] = {CellKind::Frog, CellKind::Frog, CellKind::Frog + 1};
    for (int i = 0; i < 2000; ++i) {
        const int kind = std::unique_ptr<CCell>(board->NewRandomCell())->kind;
        const int roll = draw() % 100;
        const int expected = roll < 10   ? CellKind::Star
                             : roll < 15 ? colours[draw() & 3]
                             : roll < 20 ? CellKind::Virus
                                         : petList[draw() % 3];
        ASSERT_EQ(kind, expected) << "cell " << i;
    }
    EXPECT_EQ(tutorials.notifications.front().category, 4);
}

TEST_F(CBoardGridTest, PetListsAreCheckedAndFillPutsACellInEverySquare) {
    std::string error;
    EXPECT_FALSE(board->generator.SetPets("FKX", error));
    EXPECT_NE(error.find("'X' is no pet"), std::string::npos) << error;
    EXPECT_FALSE(board->generator.SetPets("FKPMDTSRfkpmdtsrF", error));
    ASSERT_TRUE(board->generator.SetPets("Ffr", error));
    EXPECT_EQ(board->generator.pets[1], 8);
    EXPECT_EQ(board->generator.pets[2], 15);

    ASSERT_TRUE(board->generator.SetPets("", error));
    LoadGrid({"X.", "XX"});
    EXPECT_FALSE(board->Fill(error));
    EXPECT_EQ(error, "grid.txt: CELLS_NORMAL names no pet");
    EXPECT_EQ(At(0, 0), nullptr);

    // Only special cells: no pet is ever needed. Every square is filled, every hole kept.
    board->generator.probStar = 100;
    EXPECT_TRUE(board->Fill(error)) << error;
    EXPECT_EQ(Kinds(), (Rows{"*.", "**"}));
}

TEST_F(CBoardGridTest, TheTextDumpShowsKindsStatesAndSquares) {
    Build({"F*.", "-%K"});
    board->toClear[1] = 0;
    const std::string dump = BoardText::Dump(*board);
    EXPECT_NE(dump.find("board 3x2 "), std::string::npos) << dump;
    EXPECT_NE(dump.find("\nF0# *0- ...\n-0# %0# K0#\n"), std::string::npos) << dump;
}

}  // namespace
