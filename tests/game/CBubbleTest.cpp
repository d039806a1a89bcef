#include <string>
#include <vector>

#include "game/BoardFixture.h"
#include "game/CBubble.h"
#include "game/CItem.h"

namespace {

using Rows = std::vector<std::string>;

class CBubbleTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        std::string error;
        ASSERT_TRUE(board->generator.SetPets("D", error));
    }

    Rows Marked() const {
        Rows rows;
        for (int r = 0; r < board->height; ++r) {
            std::string row;
            for (int c = 0; c < board->width; ++c) {
                row += board->marked[static_cast<size_t>(r * board->width + c)] != 0 ? 'o' : '.';
            }
            rows.push_back(row);
        }
        return rows;
    }

    size_t FloatingBubbles() const { return board->bubbles.children.size(); }
};

TEST_F(CBubbleTest, ARedBubbleClearsItsRowSkippingHoles) {
    Build({"FKPM", ".K-M", "PMDF"});
    ASSERT_TRUE(board->ApplyItemAt(2, 1, ItemType::Soap));
    EXPECT_EQ(Marked(), (Rows{"....", ".ooo", "...."}));
    EXPECT_EQ(States(), (Rows{"0000", ".333", "0000"}));
    EXPECT_EQ(Squares(), (Rows{"####", "----", "####"}));
    EXPECT_EQ(FloatingBubbles(), 2u);  // one per cleared cell but the soaped one
    EXPECT_TRUE(board->busy);
    EXPECT_EQ(board->waterFrame, 0);
    EXPECT_EQ(board->lastClearTick, App.tickCount);
    EXPECT_EQ(clearedCells, 0);  // only sets count
}

TEST_F(CBubbleTest, AGreenBubbleClearsItsRowAndColumnAndAloneOnlyItself) {
    Build({"FKPM", "K.+M", "PMDF", "PM.F"});
    ASSERT_TRUE(board->ApplyItemAt(2, 1, ItemType::Soap));
    EXPECT_EQ(Marked(), (Rows{"..o.", "o.oo", "..o.", "...."}));
    EXPECT_EQ(FloatingBubbles(), 4u);

    Build({"+"});
    ASSERT_TRUE(board->ApplyItemAt(0, 0, ItemType::Soap));
    EXPECT_EQ(Marked(), (Rows{"o"}));
    EXPECT_EQ(FloatingBubbles(), 4u);  // the earlier bubbles float on; none was added
}

TEST_F(CBubbleTest, ABlueBubbleClearsItsColumnVirusesIncluded) {
    Build({"F%P", "K|M", "P%D", "P-D"});
    ASSERT_TRUE(board->ApplyItemAt(1, 1, ItemType::Soap));
    EXPECT_EQ(Marked(), (Rows{".o.", ".o.", ".o.", ".o."}));
    EXPECT_EQ(States(), (Rows{"030", "030", "030", "030"}));
    // Another bubble in the pattern is cleared without its own pattern.
    EXPECT_EQ(At(0, 3)->state, CellState::Idle);
}

TEST_F(CBubbleTest, AVioletBubbleClearsBothDiagonalsAndAtACornerOnlyOne) {
    Build({"FKPMS", "KPMSF", "PMxFK", "MSFKP", "SFKP."});
    ASSERT_TRUE(board->ApplyItemAt(2, 2, ItemType::Soap));
    EXPECT_EQ(Marked(), (Rows{"o...o", ".o.o.", "..o..", ".o.o.", "o...."}));

    Build({"xKPM", "KPMS", "PM.K", "MSFK"});
    ASSERT_TRUE(board->ApplyItemAt(0, 0, ItemType::Soap));
    EXPECT_EQ(Marked(), (Rows{"o...", ".o..", "....", "...o"}));
}

TEST_F(CBubbleTest, SoapOnAnythingButABubbleDoesNothingAndABubbleNeedsSoap) {
    Build({"F-", "KP"});
    EXPECT_FALSE(board->ApplyItemAt(0, 0, ItemType::Soap));
    EXPECT_FALSE(board->ApplyItemAt(1, 0, ItemType::Vaccine));
    EXPECT_FALSE(board->ApplyItemAt(1, 0, CCustomPointer::NoItem));
    EXPECT_FALSE(board->busy);
}

TEST_F(CBubbleTest, ASoapClickedOffTheBubblesIsGivenBackAndTheBlastRunsFortyEightTicks) {
    Build({"FKP", "|MD"});
    pointer->Hold(&pointer->arrow, ItemType::Soap);
    pointer->usesLeft = 1;
    ClickAt(0, 0);
    EXPECT_EQ(soapsGiven, 1);
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);

    Ticks(40);
    pointer->Hold(&pointer->arrow, ItemType::Soap);
    pointer->usesLeft = 1;
    ClickAt(0, 1);
    EXPECT_EQ(soapsGiven, 1);
    ASSERT_TRUE(board->busy);
    ASSERT_EQ(board->waterFrame, 0);
    Ticks(47);
    EXPECT_EQ(board->waterFrame, 7);
    Tick();
    EXPECT_EQ(board->waterFrame, -1);
    EXPECT_EQ(Squares(), (Rows{"-##", "-##"}));
}

TEST_F(CBubbleTest, AFloatingBubbleRisesSwaysAndLeavesTheScreen) {
    Build({"KF", "|D"});
    SeedRandom(3);
    ASSERT_TRUE(board->ApplyItemAt(0, 1, ItemType::Soap));
    ASSERT_EQ(FloatingBubbles(), 1u);
    auto* bubble = dynamic_cast<CBubble*>(board->bubbles.children.front());
    ASSERT_NE(bubble, nullptr);
    // A 24 x 24 bubble around a 16 x 16 pet, centred on the square.
    EXPECT_EQ(bubble->petDX, 4);
    EXPECT_EQ(bubble->petDY, 4);
    EXPECT_EQ(bubble->x, board->PetX(0) + 20);
    EXPECT_FLOAT_EQ(bubble->phase, 0.0f);  // even column
    const int startY = bubble->y;
    Tick();
    EXPECT_EQ(bubble->y, startY - 2);
    EXPECT_NEAR(bubble->bubbleSprite.angle, std::sin(0.1f) * 20.0f, 1e-4);
    Ticks(startY / 2 + 20);
    EXPECT_EQ(FloatingBubbles(), 0u);
}

}  // namespace
