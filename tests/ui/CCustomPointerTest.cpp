#include <algorithm>
#include <memory>
#include <vector>

#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"
#include "ui/CCustomPointer.h"

namespace {

constexpr uint32_t ArrowColour = PackRGBA(255, 255, 255);
constexpr uint32_t ItemColour = PackRGBA(0, 160, 0);
constexpr int DigitLeft[5] = {0, 24, 50, 76, 102};

// The count n drawn in a blue of its own; the gaps between digits in red.
uint32_t DigitColour(int count) {
    return PackRGBA(0, 0, static_cast<uint8_t>(40 * count));
}

class CCustomPointerTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/general/mouse_pointer.tga", 16, 24, ArrowColour);
        std::vector<uint32_t> strip(121 * 12, PackRGBA(255, 0, 0));  // 19-wide digits at DigitLeft
        for (int count = 1; count <= 5; ++count) {
            for (int y = 0; y < 12; ++y) {
                std::fill_n(strip.begin() + y * 121 + DigitLeft[count - 1], 19, DigitColour(count));
            }
        }
        WritePicture("data/gfx/items/xnumbers.tga", 121, 12, strip);
        LoadSolid(item, "data/gfx/item.png", 32, 32, ItemColour);
        pointer = std::make_unique<CCustomPointer>();
        root.AddChild(pointer.get());
    }

    // Whether the count n shows just above the held picture's upper right corner.
    ::testing::AssertionResult CountShown(int n) {
        return Drawn(DigitColour(n), pointer->mouseX + 32 - 19, pointer->mouseY - 12, 19, 12);
    }
    bool NoCount() { return IsBlack(ReadPixel(pointer->mouseX + 22, pointer->mouseY - 6)); }

    Sprite item;
    std::unique_ptr<CCustomPointer> pointer;
};

TEST_F(CCustomPointerTest, DrawsTheArrowOrTheHeldPictureWithItsUsesLeftUntilTheLastIsUsed) {
    input.MoveMouse(300, 200);
    Tick();
    DrawTree();
    EXPECT_TRUE(Drawn(ArrowColour, 292, 188, 16, 24));  // hot spot (8, 12)
    pointer->Hold(&item, 3);
    item.zoom = 3.0f;  // by the item's own animation
    DrawTree();
    // At its natural size; the hot spot is the item's business, here still the arrow's.
    EXPECT_TRUE(Drawn(ItemColour, 292, 188, 32, 32));

    pointer->hotX = pointer->hotY = 0;
    pointer->usesLeft = 5;
    DrawTree();
    EXPECT_TRUE(NoCount());  // hidden unless asked
    pointer->showCount = true;
    for (int expected = 5; expected >= 1; --expected) {
        DrawTree();
        EXPECT_TRUE(CountShown(expected));
        pointer->ConsumeUse();
    }
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);
    EXPECT_FALSE(pointer->showCount);
    DrawTree();
    EXPECT_TRUE(NoCount());
    EXPECT_TRUE(Drawn(ArrowColour, 292, 188, 16, 24));

    // More than the digits shows the highest; type 0 is an item too.
    pointer->Hold(&item, 0);
    pointer->showCount = true;
    pointer->usesLeft = 9;
    DrawTree();
    EXPECT_TRUE(CountShown(5));
    pointer->usesLeft = 1;
    pointer->ConsumeUse();
    EXPECT_EQ(pointer->picture, &pointer->arrow);
    // Without an item there is nothing to use up.
    pointer->usesLeft = 2;
    pointer->ConsumeUse();
    EXPECT_EQ(pointer->usesLeft, 2);
}

}  // namespace
