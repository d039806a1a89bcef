#include "game/BoardFixture.h"

namespace {

class CBoardDrawTest : public BoardTest {
protected:
    uint32_t SquareCentre(int column, int row) {
        return RgbAt(board->SquareX(column) + 40, board->SquareY(row) + 40);
    }
    uint32_t PetCentre(int column, int row) { return RgbAt(board->PetX(column) + 8, board->PetY(row) + 8); }
};

TEST_F(CBoardDrawTest, SquaresPetsAndTheHighlightInTheirPlacesAndTheHintHidesWhatIsLeft) {
    Build({"FFF.", "KPMS"});
    board->toClear[4] = 0;
    PointAt(0, 0);
    Tick();
    At(3, 1)->SetState(CellState::Gone);
    DrawTree();
    EXPECT_EQ(SquareCentre(0, 1), Rgb(ClearedColour));
    EXPECT_EQ(SquareCentre(1, 1), Rgb(SquareColour));
    EXPECT_TRUE(IsBlack(ReadPixel(board->SquareX(3) + 32, board->SquareY(0) + 32)));  // a hole
    EXPECT_EQ(PetCentre(0, 1), Rgb(PetColour(1)));
    EXPECT_EQ(PetCentre(2, 1), Rgb(PetColour(3)));
    EXPECT_EQ(PetCentre(3, 1), Rgb(SquareColour));  // gone: no picture
    // The pet sits at the pet offset inside its square, the circle over a highlighted one.
    EXPECT_EQ(RgbAt(board->SquareX(1) + 3, board->SquareY(1) + 4), Rgb(PetColour(2)));
    EXPECT_EQ(RgbAt(board->SquareX(1) + 2, board->SquareY(1) + 4), Rgb(SquareColour));
    EXPECT_EQ(RgbAt(board->PetX(0) + 3, board->PetY(0) + 3), Rgb(CircleColour));
    EXPECT_NE(RgbAt(board->PetX(0) + 3, board->PetY(1) + 3), Rgb(CircleColour));

    board->hintOn = true;
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(board->SquareX(0) + 40, board->SquareY(0) + 40)));
    EXPECT_TRUE(IsBlack(ReadPixel(board->PetX(0) + 8, board->PetY(0) + 8)));
    EXPECT_EQ(SquareCentre(0, 1), Rgb(ClearedColour));
    EXPECT_EQ(PetCentre(0, 1), Rgb(PetColour(1)));
}

// At full scale the mouse mapping and the other drawing tests pin the geometry down.
TEST_F(CBoardDrawTest, AtScaleEightTenthsTheGridIsCentredAndSquaresAndPetsShrinkAboutTheirCentres) {
    boardScale = 0.8f;
    cellPictures->SetScale(boardScale);
    Build(Filled(12, 10, 'F'));
    board->toClear.fill(0);
    DrawTree();
    EXPECT_EQ(board->SquareX(5), 92 + 256);  // (800 - 614.4) / 2 + 5 x 51.2
    EXPECT_EQ(board->SquareY(3), 40 + 156);  // (600 - 520) / 2 + 3 x 52
    EXPECT_EQ(board->PetX(3) - board->SquareX(3), 2);
    EXPECT_EQ(board->PetY(3) - board->SquareY(3), 3);
    // A 64-pixel square zoomed by 0.8 covers 6.4 .. 57.6 of its box.
    const int y = board->SquareY(9) + 30;
    EXPECT_TRUE(IsBlack(ReadPixel(board->SquareX(0) + 4, y)));
    EXPECT_EQ(RgbAt(board->SquareX(0) + 8, y), Rgb(ClearedColour));
    EXPECT_EQ(RgbAt(board->SquareX(11) + 56, y), Rgb(ClearedColour));
    EXPECT_TRUE(IsBlack(ReadPixel(board->SquareX(11) + 59, y)));
    // A 16-pixel pet covers 1.6 .. 14.4 of its place.
    EXPECT_EQ(RgbAt(board->PetX(3) + 0, board->PetY(3) + 8), Rgb(ClearedColour));
    EXPECT_EQ(RgbAt(board->PetX(3) + 3, board->PetY(3) + 8), Rgb(PetColour(0)));
    EXPECT_EQ(RgbAt(board->PetX(3) + 13, board->PetY(3) + 8), Rgb(PetColour(0)));
    EXPECT_EQ(RgbAt(board->PetX(3) + 16, board->PetY(3) + 8), Rgb(ClearedColour));
}

TEST_F(CBoardDrawTest, WaterRunsOverTheBlastAndArrowsShowWhileSoapIsHeld) {
    Build({"F|K", "PMS"});
    Hold(ItemType::Soap, 1);
    DrawTree();
    EXPECT_EQ(RgbAt(board->SquareX(1) - 5 + 2, board->SquareY(0) - 5 + 2), Rgb(ArrowColour));
    EXPECT_NE(RgbAt(board->SquareX(0) - 5 + 2, board->SquareY(1) - 5 + 2), Rgb(ArrowColour));

    ASSERT_TRUE(board->ApplyItemAt(1, 0, ItemType::Soap));
    DrawTree();
    const int x = board->SquareX(1) + board->petOffsetX + 5;
    EXPECT_EQ(RgbAt(x, board->SquareY(0) + board->petOffsetY + 5), Rgb(WaterColour));
    EXPECT_EQ(RgbAt(x, board->SquareY(1) + board->petOffsetY + 5), Rgb(WaterColour));
    EXPECT_NE(RgbAt(board->SquareX(0) + board->petOffsetX + 5, board->SquareY(0) + 9), Rgb(WaterColour));
}

TEST_F(CBoardDrawTest, ACellFallingBehindHolesIsCutAtTheSquareEdges) {
    Build({"F", ".", "K"});
    At(0, 2)->SetState(CellState::Gone);
    Tick();  // the frog now falls into row 2, behind the hole
    ASSERT_EQ(At(0, 2)->kind, CellKind::Frog);
    At(0, 2)->fallOffset = 57;  // 8 source rows show in its own square, none in the old one
    DrawTree();
    EXPECT_EQ(RgbAt(board->PetX(0) + 8, board->PetY(2) + 4), Rgb(PetColour(0)));
    EXPECT_TRUE(IsBlack(ReadPixel(board->PetX(0) + 8, board->SquareY(2) - 10)));  // the hole stays empty
    At(0, 2)->fallOffset = 7;  // top rows 0..49 still in the upper square; nothing below yet
    DrawTree();
    EXPECT_EQ(RgbAt(board->PetX(0) + 8, board->PetY(0) + 7 + 4), Rgb(PetColour(0)));
    EXPECT_EQ(RgbAt(board->PetX(0) + 8, board->PetY(2) + 4), Rgb(SquareColour));
}

TEST_F(CBoardDrawTest, ASpreadingVirusIsDrawnOnItsWayAndSandClocksCoverHeldViruses) {
    Build({"FKP", "M%D", "SFK"});
    auto* virus = dynamic_cast<CCellVirus*>(At(1, 1));
    board->virusSpread.step = 30;                     // half way: 32 pixels across, 32.5 up or down
    const uint32_t copy = Rgb(VirusHalfBlinkColour);  // the copy shows frame 1 while the virus rests
    struct Case {
        int32_t direction;
        int dx, dy;
    };
    for (const Case& test : {Case{CCellVirus::Right, 32, 0}, Case{CCellVirus::Left, -32, 0},
                             Case{CCellVirus::Up, 0, -32}, Case{CCellVirus::Down, 0, 32}}) {
        SCOPED_TRACE(test.direction);
        virus->SetSpreadDirection(test.direction);
        DrawTree();
        const int x = board->PetX(1) + test.dx;
        const int y = board->PetY(1) + test.dy;
        EXPECT_EQ(RgbAt(x + 2, y + 2), copy);
        EXPECT_EQ(RgbAt(x + 14, y + 14), copy);
        EXPECT_NE(RgbAt(x + 17, y + 8), copy);
        EXPECT_EQ(RgbAt(board->PetX(1) + 8, board->PetY(1) + 8), Rgb(VirusColour));
    }

    board->virusSpread.step = 0;
    timer().holdTicks = 100;
    ClearTo(0, 0, 0);
    board->Draw();
    // The sand clock, yellow at 70 %, from 15 pixels in from the square's left edge.
    const RGBA over = ReadPixel(board->SquareX(1) + 15 + 5, board->SquareY(1) + 5 + 4);
    EXPECT_GT(over.r, 150);
    EXPECT_GT(over.g, 150);
    EXPECT_LT(over.b, 80);
}

}  // namespace
