#include <memory>
#include <vector>

#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"
#include "ui/CCustomPointer.h"

namespace {

constexpr uint32_t ArrowColour = PackRGBA(255, 255, 255);
constexpr uint32_t ItemColour = PackRGBA(0, 160, 0);
constexpr int DigitStripWidth = 121;
constexpr int DigitStripHeight = 12;
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
        std::vector<uint32_t> strip(DigitStripWidth * DigitStripHeight, PackRGBA(255, 0, 0));
        for (int count = 1; count <= 5; ++count) {
            for (int y = 0; y < DigitStripHeight; ++y) {
                for (int x = 0; x < 19; ++x) {
                    strip[y * DigitStripWidth + DigitLeft[count - 1] + x] = DigitColour(count);
                }
            }
        }
        WritePicture("data/gfx/items/xnumbers.tga", DigitStripWidth, DigitStripHeight, strip);
        WriteSolid("data/gfx/item.png", 32, 32, ItemColour);
        ASSERT_TRUE(item.Load("data/gfx/item.png"));
        pointer = std::make_unique<CCustomPointer>();
        root.AddChild(pointer.get());
    }

    void TearDown() override {
        root.RemoveChild(pointer.get());
        pointer.reset();
        ToolkitTest::TearDown();
    }

    // The count shown at the held picture's upper right, 0 for none.
    int CountShown() {
        const RGBA pixel = ReadPixel(pointer->mouseX + 32 - 19 + 9, pointer->mouseY - 6);
        if (IsBlack(pixel)) {
            return 0;
        }
        EXPECT_EQ(pixel.r, 0);
        return pixel.b / 40;
    }

    Sprite item;
    std::unique_ptr<CCustomPointer> pointer;
};

TEST_F(CCustomPointerTest, DrawsTheArrowOrTheHeldPictureAtItsNaturalSizeAboutTheHotSpot) {
    input.MoveMouse(300, 200);
    Tick();
    DrawTree();
    EXPECT_TRUE(Drawn(ArrowColour, 292, 188, 16, 24));  // hot spot (8, 12)

    pointer->Hold(&item, 2);
    item.zoom = 3.0f;
    input.MoveMouse(400, 300);
    Tick();
    DrawTree();
    // The hot spot is the item's business; here it is still the arrow's.
    EXPECT_TRUE(Drawn(ItemColour, 392, 288, 32, 32));
}

TEST_F(CCustomPointerTest, CountsDownTheUsesThenReturnsToTheArrow) {
    input.MoveMouse(300, 200);
    Tick();
    pointer->Hold(&item, 3);
    pointer->hotX = 0;
    pointer->hotY = 0;
    pointer->usesLeft = 5;
    DrawTree();
    EXPECT_EQ(CountShown(), 0);  // hidden unless asked
    pointer->showCount = true;
    for (int expected = 5; expected >= 1; --expected) {
        Tick();
        DrawTree();
        EXPECT_EQ(RgbAt(300, 200), Rgb(ItemColour));
        EXPECT_EQ(CountShown(), expected);
        pointer->ConsumeUse();
    }
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);
    EXPECT_FALSE(pointer->showCount);
    DrawTree();
    EXPECT_EQ(CountShown(), 0);
    EXPECT_EQ(RgbAt(292, 188), Rgb(ArrowColour));

    // More than the digits shows the highest.
    pointer->Hold(&item, 0);  // type 0 is an item too
    pointer->showCount = true;
    pointer->usesLeft = 9;
    DrawTree();
    EXPECT_EQ(CountShown(), 5);
    pointer->usesLeft = 1;
    pointer->ConsumeUse();
    EXPECT_EQ(pointer->picture, &pointer->arrow);
    // Without an item there is nothing to use up.
    pointer->usesLeft = 2;
    pointer->ConsumeUse();
    EXPECT_EQ(pointer->usesLeft, 2);
}

}  // namespace
