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

TEST_F(CCustomPointerTest, StartsAsTheArrowCentredOnTheMouse) {
    EXPECT_EQ(pointer->name, "mousepointer");
    EXPECT_EQ(pointer->picture, &pointer->arrow);
    EXPECT_EQ(pointer->hotX, 8);
    EXPECT_EQ(pointer->hotY, 12);
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);
    EXPECT_EQ(pointer->counterDigits[2].width, 19);
    EXPECT_EQ(pointer->counterDigits[2].height, DigitStripHeight);
    input.MoveMouse(300, 200);
    Tick();
    DrawTree();
    EXPECT_EQ(RgbAt(292, 188), Rgb(ArrowColour));
    EXPECT_EQ(RgbAt(307, 211), Rgb(ArrowColour));
    EXPECT_TRUE(IsBlack(ReadPixel(291, 188)));
    EXPECT_TRUE(IsBlack(ReadPixel(308, 211)));
}

TEST_F(CCustomPointerTest, CountsDownTheUsesThenReturnsToTheArrow) {
    input.MoveMouse(300, 200);
    pointer->Hold(&item, 3);
    pointer->hotX = 0;
    pointer->hotY = 0;
    pointer->usesLeft = 5;
    pointer->showCount = true;
    for (int expected = 5; expected >= 1; --expected) {
        Tick();
        DrawTree();
        EXPECT_EQ(pointer->picture, &item);
        EXPECT_EQ(RgbAt(300, 200), Rgb(ItemColour));
        EXPECT_EQ(CountShown(), expected);
        pointer->ConsumeUse();
    }
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);
    EXPECT_EQ(pointer->picture, &pointer->arrow);
    EXPECT_EQ(pointer->usesLeft, 0);
    EXPECT_FALSE(pointer->showCount);
    EXPECT_EQ(pointer->hotX, 8);
    DrawTree();
    EXPECT_EQ(CountShown(), 0);
    EXPECT_EQ(RgbAt(292, 188), Rgb(ArrowColour));
}

TEST_F(CCustomPointerTest, CountHiddenUnlessAsked) {
    input.MoveMouse(300, 200);
    Tick();
    pointer->Hold(&item, 1);
    pointer->usesLeft = 3;
    DrawTree();
    EXPECT_EQ(CountShown(), 0);
    pointer->showCount = true;
    pointer->usesLeft = 9;  // more than the digits: shows the highest
    DrawTree();
    EXPECT_EQ(CountShown(), 5);
}

TEST_F(CCustomPointerTest, ConsumeUseWithoutAnItemDoesNothing) {
    pointer->usesLeft = 2;
    pointer->ConsumeUse();
    EXPECT_EQ(pointer->usesLeft, 2);
    pointer->Hold(&item, 0);  // type 0 is an item too
    pointer->usesLeft = 1;
    pointer->ConsumeUse();
    EXPECT_EQ(pointer->picture, &pointer->arrow);
}

TEST_F(CCustomPointerTest, DrawsTheHeldPictureAtItsNaturalSize) {
    pointer->Hold(&item, 2);
    item.zoom = 3.0f;
    input.MoveMouse(400, 300);
    Tick();
    DrawTree();
    EXPECT_EQ(item.zoom, 1.0f);
    // The hot spot is the item's business; here it is still the arrow's (8, 12).
    EXPECT_EQ(RgbAt(392, 288), Rgb(ItemColour));
    EXPECT_EQ(RgbAt(423, 319), Rgb(ItemColour));
    EXPECT_TRUE(IsBlack(ReadPixel(424, 300)));
    EXPECT_TRUE(IsBlack(ReadPixel(391, 300)));
}

}  // namespace
