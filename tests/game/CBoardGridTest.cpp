#include <fstream>
#include <string>

#include "game/BoardFixture.h"
#include "game/CCellNormal.h"
#include "game/CCellPictures.h"

namespace {

// The game's generator, replayed here to predict draws.
class Lcg {
public:
    explicit Lcg(uint32_t seed) : state_(seed) {}
    int Draw() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }

private:
    uint32_t state_;
};

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
    EXPECT_EQ(Squares(), (std::vector<std::string>{"#-#", "###"}));
    ASSERT_NE(At(1, 0), nullptr);
    EXPECT_EQ(At(1, 0)->kind, CellKind::Hole);
    EXPECT_EQ(At(0, 0), nullptr);  // a square waiting to be filled
    EXPECT_FALSE(board->IsCleared());
}

TEST_F(CBoardGridTest, MalformedGridsAreRefusedWithTheFileAndLine) {
    std::string error;
    EXPECT_FALSE(TryLoadGrid({"XXX", "XXX", "XX"}, "TIME:100\n", error));
    EXPECT_EQ(error, "grid.txt:3: row has 2 squares, the first row has 3");
    EXPECT_EQ(board->width, 0);
    EXPECT_EQ(board->height, 0);

    EXPECT_FALSE(TryLoadGrid({std::string(31, 'X')}, "TIME:100\n", error));
    EXPECT_EQ(error, "grid.txt:1: row has 31 squares, at most 30 are allowed");

    EXPECT_FALSE(TryLoadGrid(std::vector<std::string>(31, "XX"), "TIME:100\n", error));
    EXPECT_EQ(error, "grid.txt:31: more than 30 rows");

    EXPECT_FALSE(TryLoadGrid({}, "TIME:100\n", error));
    EXPECT_NE(error.find("grid.txt:1: the file must begin with the grid"), std::string::npos) << error;

    // The largest grid is fine, and a refused grid leaves nothing behind to tick or draw.
    EXPECT_TRUE(TryLoadGrid(std::vector<std::string>(30, std::string(30, 'X')), "TIME:1\n", error)) << error;
    EXPECT_EQ(board->width * board->height, 900);
}

TEST_F(CBoardGridTest, AGridThatCannotFitTheScreenAtItsScaleIsRefused) {
    std::string error;
    ASSERT_TRUE(TryLoadGrid(std::vector<std::string>(30, std::string(30, 'X')), "", error));
    EXPECT_FALSE(board->FitsScreen(error));
    EXPECT_EQ(error, "a grid of 30 x 30 squares at scale 100 does not fit the 800 x 600 screen");
    boardScale = 0.3f;
    EXPECT_TRUE(board->FitsScreen(error));
    boardScale = 1.0f;
    ASSERT_TRUE(TryLoadGrid(std::vector<std::string>(8, std::string(10, 'X')), "", error));
    EXPECT_TRUE(board->FitsScreen(error));
    ASSERT_TRUE(TryLoadGrid(std::vector<std::string>(8, std::string(13, 'X')), "", error));
    EXPECT_FALSE(board->FitsScreen(error));
}

TEST_F(CBoardGridTest, GeometryCentresTheGridAtAnyScale) {
    LoadGrid(std::vector<std::string>(8, std::string(10, 'X')));
    EXPECT_EQ(board->originX, 80);
    EXPECT_EQ(board->originY, 40);
    EXPECT_EQ(board->petOffsetX, 3);
    EXPECT_EQ(board->petOffsetY, 4);
    EXPECT_EQ(board->SquareX(2), 80 + 128);
    EXPECT_EQ(board->PetY(3), 40 + 195 + 4);

    boardScale = 0.8f;
    LoadGrid(std::vector<std::string>(10, std::string(12, 'X')));
    EXPECT_EQ(board->originX, 92);    // (800 - 614.4) / 2
    EXPECT_EQ(board->originY, 40);    // (600 - 520) / 2
    EXPECT_EQ(board->petOffsetX, 2);  // 2.4
    EXPECT_EQ(board->petOffsetY, 3);  // 3.6
    EXPECT_EQ(board->SquareX(5), 92 + 256);
    EXPECT_EQ(board->SquareY(3), 40 + 156);
    EXPECT_FLOAT_EQ(board->squareNormal.zoom, 0.8f);
}

TEST_F(CBoardGridTest, TheMouseIsMappedTwentyPixelsUpAndLeft) {
    LoadGrid(std::vector<std::string>(8, std::string(10, 'X')));
    int column = -1;
    int row = -1;
    input.MoveMouse(80 + 20, 40 + 20);
    ASSERT_TRUE(board->CellAtMouse(column, row));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 0);
    input.MoveMouse(80 + 19, 40 + 20);
    EXPECT_FALSE(board->CellAtMouse(column, row));
    input.MoveMouse(80 + 20 + 640 - 1, 40 + 20 + 520 - 1);
    ASSERT_TRUE(board->CellAtMouse(column, row));
    EXPECT_EQ(column, 9);
    EXPECT_EQ(row, 7);
    input.MoveMouse(80 + 20 + 640, 100);
    EXPECT_FALSE(board->CellAtMouse(column, row));
    input.MoveMouse(100, 40 + 20 + 520);
    EXPECT_FALSE(board->CellAtMouse(column, row));
}

TEST_F(CBoardGridTest, NewCellsFollowTheChancesInTheirDrawOrder) {
    std::string error;
    ASSERT_TRUE(board->generator.SetPets("FFK", error)) << error;
    board->generator.probStar = 10;
    board->generator.probBubble = 5;
    board->generator.probVirus = 5;
    SeedRandom(99);
    Lcg replay(99);
    static const int Colours[4] = {CellKind::RedBubble, CellKind::GreenBubble, CellKind::VioletBubble,
                                   CellKind::BlueBubble};
    int pets[16] = {};
    for (int i = 0; i < 2000; ++i) {
        std::unique_ptr<CCell> cell(board->NewRandomCell());
        const int r = replay.Draw() % 100;
        int expected = 0;
        if (r < 10) {
            expected = CellKind::Star;
        } else if (r < 15) {
            expected = Colours[replay.Draw() & 3];
        } else if (r < 20) {
            expected = CellKind::Virus;
        } else {
            static const int List[3] = {0, 0, 1};
            expected = List[replay.Draw() % 3];
            pets[expected] += 1;
        }
        ASSERT_EQ(cell->kind, expected) << "cell " << i;
    }
    // Frog is named twice: about twice as many frogs as cats.
    EXPECT_GT(pets[0], pets[1] * 3 / 2);
    EXPECT_EQ(tutorials.notifications.front().category, 4);
}

TEST_F(CBoardGridTest, PetLettersAndAnEmptyPetListAreCheckedNotCrashedOn) {
    std::string error;
    EXPECT_FALSE(board->generator.SetPets("FKX", error));
    EXPECT_NE(error.find("'X' is no pet"), std::string::npos) << error;
    EXPECT_FALSE(board->generator.SetPets("FKPMDTSRfkpmdtsrF", error));
    ASSERT_TRUE(board->generator.SetPets("Ffr", error));
    EXPECT_EQ(board->generator.pets[1], 8);
    EXPECT_EQ(board->generator.pets[2], 15);

    ASSERT_TRUE(board->generator.SetPets("", error));
    LoadGrid({"XX", "XX"});
    EXPECT_FALSE(board->Fill(error));
    EXPECT_EQ(error, "grid.txt: CELLS_NORMAL names no pet");
    EXPECT_EQ(At(0, 0), nullptr);

    // Only special cells: no pet is ever needed.
    board->generator.probStar = 100;
    EXPECT_TRUE(board->Fill(error)) << error;
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"**", "**"}));
}

TEST_F(CBoardGridTest, FillPutsARandomCellInEveryEmptySquareAndTheSameSeedGivesTheSameBoard) {
    std::string error;
    ASSERT_TRUE(board->generator.SetPets("FKPM", error));
    board->generator.probStar = 5;
    LoadGrid({"XXX.X", "X.XXX", "XXXXX"});
    SeedRandom(7);
    ASSERT_TRUE(board->Fill(error)) << error;
    const std::vector<std::string> first = Kinds();
    EXPECT_EQ(first[0][3], '.');
    EXPECT_EQ(first[1][1], '.');
    for (const std::string& row : first) {
        EXPECT_EQ(row.find('_'), std::string::npos);
    }
    LoadGrid({"XXX.X", "X.XXX", "XXXXX"});
    SeedRandom(7);
    ASSERT_TRUE(board->Fill(error));
    EXPECT_EQ(Kinds(), first);
}

TEST_F(CBoardGridTest, TheTextDumpShowsKindsStatesAndSquares) {
    Build({"F*.", "-%K"});
    board->toClear[1] = 0;
    const std::string dump = board->DumpText();
    EXPECT_NE(dump.find("board 3x2 "), std::string::npos) << dump;
    EXPECT_NE(dump.find("\nF0# *0- ...\n-0# %0# K0#\n"), std::string::npos) << dump;
}

}  // namespace
