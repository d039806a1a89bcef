#include <fstream>
#include <memory>
#include <string>
#include <utility>

#include "game/BoardFixture.h"

namespace {

using CBoardGridTest = BoardTest;

TEST_F(CBoardGridTest, GridRowsMakeHolesAndSquaresAndBadGridsLeaveNothing) {
    ASSERT_TRUE(board->LoadGrid({"X.X", "XXX"}));
    EXPECT_EQ(Squares(), (Rows{"#-#", "###"}));
    EXPECT_EQ(Kinds(), (Rows{"_._", "___"}));  // squares wait to be filled
    EXPECT_FALSE(board->IsCleared());
    // The level reader refuses these with a message; the board must still never go past its tables.
    for (const Rows& rows : {Rows{"XXX", "XX"}, Filled(31, 1), Filled(2, 31), Rows{}, Rows{""}}) {
        EXPECT_FALSE(board->LoadGrid(rows));
        EXPECT_EQ(board->width * board->height, 0);  // nothing left behind to tick or draw
    }
    EXPECT_TRUE(board->LoadGrid(Filled(30, 30)));  // the largest grid
    EXPECT_EQ(board->width * board->height, 900);
}

// The message is checked where a level is read (flow/CGameTest).
TEST_F(CBoardGridTest, AGridThatCannotFitTheScreenAtItsScaleIsRefused) {
    struct Case {
        int columns, rows;
        float scale;
        bool fits;
    };
    for (const Case& test : {Case{30, 30, 1.0f, false}, Case{30, 30, 0.3f, true}, Case{10, 8, 1.0f, true},
                             Case{13, 8, 1.0f, false}, Case{12, 10, 0.8f, true}}) {
        SCOPED_TRACE(std::to_string(test.columns) + " x " + std::to_string(test.rows));
        boardScale = test.scale;
        ASSERT_TRUE(board->LoadGrid(Filled(test.columns, test.rows)));
        std::string error;
        EXPECT_EQ(board->FitsScreen(error), test.fits);
    }
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
    EXPECT_FALSE(board->generator.SetPets("FKPMDTSRfkpmdtsrF", error));
    ASSERT_TRUE(board->generator.SetPets("Ffr", error));
    EXPECT_EQ(board->generator.pets[1], 8);
    EXPECT_EQ(board->generator.pets[2], 15);

    ASSERT_TRUE(board->generator.SetPets("", error));
    LoadGrid({"X.", "XX"});
    EXPECT_FALSE(board->Fill(error));
    EXPECT_EQ(error, "CELLS_NORMAL names no pet");
    EXPECT_EQ(At(0, 0), nullptr);

    // Only special cells: no pet is ever needed. Every square is filled, every hole kept.
    board->generator.probStar = 100;
    EXPECT_TRUE(board->Fill(error)) << error;
    EXPECT_EQ(Kinds(), (Rows{"*.", "**"}));
}

TEST_F(CBoardGridTest, TheTextDumpShowsTheStateKindsStatesAndSquares) {
    Build({"F*.", "-%K"});
    board->toClear[1] = 0;
    At(2, 1)->SetState(CellState::Clearing);
    board->virusSpread.step = 7;
    EXPECT_EQ(BoardText::Dump(*board),
              "board 3x2 tick 0 busy 0 cooldown 0 water -1 virusstep 7 virusclock 1 "
              "cleared 0\nF0# *0- ...\n-0# %0# K3#\n");
    EXPECT_EQ(BoardText::KindOfCode('Q'), -1);
}

}  // namespace
