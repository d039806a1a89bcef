#include <cmath>

#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"
#include "ui/CGUISlideBar.h"

namespace {

constexpr uint32_t BarColour = PackRGBA(90, 90, 90);
constexpr uint32_t KnobColour = PackRGBA(255, 255, 0);

class CGUISlideBarTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/bar.png", 220, 10, BarColour);
        WriteSolid("data/gfx/knob.png", 10, 16, KnobColour);
        ASSERT_TRUE(bar.Load("data/gfx/bar.png"));
        ASSERT_TRUE(knob.Load("data/gfx/knob.png"));
        slider.bar = &bar;
        slider.knob = &knob;
        slider.x = 100;
        slider.y = 200;
        slider.SetTrack(10, 200, -3);
        root.AddChild(&slider);
    }

    void TearDown() override {
        root.RemoveChild(&slider);
        ToolkitTest::TearDown();
    }

    void Mouse(int x, int y, bool down) {
        input.MoveMouse(x, y);
        input.SetButton(down);
        Tick();
    }

    Sprite bar;
    Sprite knob;
    CGUISlideBar slider;
};

TEST_F(CGUISlideBarTest, FollowsTheDraggingMouseOnlyAlongTheTrack) {
    Mouse(160, 205, true);  // trackStart + 50 from x
    EXPECT_EQ(slider.value, 0.25f);
    Mouse(310, 200, true);
    EXPECT_EQ(slider.value, 1.0f);
    Mouse(110, 210, true);  // bounds included
    EXPECT_EQ(slider.value, 0.0f);

    Mouse(160, 205, true);
    Mouse(170, 211, true);   // below the bar
    Mouse(311, 205, true);   // past the end
    Mouse(109, 205, true);   // before the start
    Mouse(260, 205, false);  // over it, but not dragging
    EXPECT_EQ(slider.value, 0.25f);
}

TEST_F(CGUISlideBarTest, KnobSitsOnTheValue) {
    slider.SetValue(0.25f);
    DrawTree();
    EXPECT_EQ(RgbAt(100, 200), Rgb(BarColour));
    EXPECT_TRUE(Drawn(KnobColour, 155, 197, 10, 16));  // centre 160, half a knob to the left, 3 up
}

TEST_F(CGUISlideBarTest, SetValueClampsAndWithoutPicturesOrTrackNothingHappens) {
    for (const auto& [set, kept] : {std::pair{1.5f, 1.0f}, std::pair{-0.5f, 0.0f}, std::pair{NAN, 0.0f}}) {
        slider.SetValue(set);
        EXPECT_EQ(slider.value, kept) << set;
    }
    slider.SetTrack(10, 0, 0);
    slider.value = 0.5f;
    Mouse(110, 205, true);
    EXPECT_EQ(slider.value, 0.5f);
    slider.SetTrack(10, 200, 0);
    slider.knob = nullptr;
    Mouse(160, 205, true);
    EXPECT_EQ(slider.value, 0.5f);
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(100, 200)));
}

}  // namespace
