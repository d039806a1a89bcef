#include <string>
#include <vector>

#include "game/BoardFixture.h"
#include "game/CBubble.h"

namespace {

class CBubbleTest : public BoardTest {
protected:
    Rows Marked() const {
        return Picture([this](const CCell*, int index) {
            return board->bubbleBlast.marked[static_cast<size_t>(index)] != 0 ? 'o' : '.';
        });
    }

    size_t FloatingBubbles() const { return board->bubbles.children.size(); }
};

// Soap on a bubble marks its colour's pattern: red its row, green its row and column, blue its
// column, violet both diagonals; holes are skipped and viruses and other bubbles are taken.
TEST_F(CBubbleTest, EachColourClearsItsPatternSkippingHoles) {
    struct Case {
        Rows grid;
        int column;
        int row;
        Rows marked;
    };
    const std::vector<Case> cases = {
        {{"FKPM", ".K-M", "PMDF"}, 2, 1, {"....", ".ooo", "...."}},
        {{"FKPM", "K.+M", "PMDF", "PM.F"}, 2, 1, {"..o.", "o.oo", "..o.", "...."}},
        {{"+"}, 0, 0, {"o"}},
        {{"F%P", "K|M", "P%D", "P-D"}, 1, 1, {".o.", ".o.", ".o.", ".o."}},  // the red one adds no row
        {{"FKPMS", "KPMSF", "PMxFK", "MSFKP", "SFKP."}, 2, 2, {"o...o", ".o.o.", "..o..", ".o.o.", "o...."}},
        {{"xKPM", "KPMS", "PM.K", "MSFK"}, 0, 0, {"o...", ".o..", "....", "...o"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.grid));
        Build(test.grid);
        ASSERT_TRUE(board->ApplyItemAt(test.column, test.row, ItemType::Soap));
        EXPECT_EQ(Marked(), test.marked);
    }
}

// Off the bubbles a soap is given back. On one, the marked cells (viruses too) and their
// squares clear, all but the soaped one float off in bubbles, and water runs 8 frames of 6
// ticks while the board waits.
TEST_F(CBubbleTest, ABlastClearsTheMarkedCellsAndSquaresFloatsBubblesAndRunsFortyEightTicks) {
    Build({"FKPM", ".K-%", "PMDF"});
    Hold(ItemType::Soap, 1);
    ClickAt(0, 0);
    EXPECT_EQ(soapsGiven, 1);
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);
    Ticks(40);
    Hold(ItemType::Soap, 1);
    ClickAt(2, 1);
    EXPECT_EQ(soapsGiven, 1);
    EXPECT_EQ(States()[1], ".333");
    EXPECT_EQ(Squares(), (Rows{"####", "----", "####"}));
    EXPECT_EQ(FloatingBubbles(), 2u);
    EXPECT_EQ(board->lastClearTick, App.tickCount);
    EXPECT_EQ(clearedCells, 0);  // only sets count
    ASSERT_EQ(board->bubbleBlast.frame, 0);
    Ticks(47);
    EXPECT_TRUE(board->busy);
    EXPECT_EQ(board->bubbleBlast.frame, 7);
    Tick();
    EXPECT_EQ(board->bubbleBlast.frame, -1);

    Build({"F-", "KP"});  // soap does nothing to anything but a bubble, and a bubble needs soap
    EXPECT_FALSE(board->ApplyItemAt(0, 0, ItemType::Soap));
    EXPECT_FALSE(board->ApplyItemAt(1, 0, ItemType::Vaccine));
    EXPECT_FALSE(board->ApplyItemAt(1, 0, CCustomPointer::NoItem));
    EXPECT_EQ(States(), (Rows{"00", "00"}));
}

TEST_F(CBubbleTest, AFloatingBubbleRisesSwaysAndLeavesTheScreen) {
    Build({"KF", "|D"});
    SeedRandom(3);
    ASSERT_TRUE(board->ApplyItemAt(0, 1, ItemType::Soap));
    auto* bubble = dynamic_cast<CBubble*>(board->bubbles.children.front());
    ASSERT_NE(bubble, nullptr);
    EXPECT_EQ(bubble->x, board->PetX(0) + 20);  // a 24 x 24 bubble around a 16 x 16 pet, centred
    const int startY = bubble->y;
    Tick();
    EXPECT_EQ(bubble->y, startY - 2);
    EXPECT_NEAR(bubble->bubbleSprite.angle, std::sin(0.1f) * 20.0f, 1e-4);
    Ticks(startY / 2 + 20);
    EXPECT_EQ(FloatingBubbles(), 0u);
}

}  // namespace
