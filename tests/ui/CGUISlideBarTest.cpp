#include <cmath>

#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"
#include "ui/CGUISlideBar.h"

namespace {

constexpr uint32_t BarColour = PackRGBA(90, 90, 90);
constexpr uint32_t KnobColour = PackRGBA(255, 255, 0);

// A 220 x 10 bar at (100, 200), its track from x 110 to 310.
class CGUISlideBarTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        LoadSolid(bar, "data/gfx/bar.png", 220, 10, BarColour);
        LoadSolid(knob, "data/gfx/knob.png", 10, 16, KnobColour);
        slider.bar = &bar;
        slider.knob = &knob;
        slider.x = 100;
        slider.y = 200;
        slider.SetTrack(10, 200, -3);
        root.AddChild(&slider);
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

TEST_F(CGUISlideBarTest, FollowsTheDraggingMouseOnlyAlongTheTrackAndTheKnobSitsOnTheValue) {
    const struct {
        int x, y;
        bool down;
        float value;
    } steps[] = {
        {160, 205, true, 0.25f},  {310, 200, true, 1.0f},  {110, 210, true, 0.0f},  // bounds included
        {160, 205, true, 0.25f},  {170, 211, true, 0.25f},                          // below the bar
        {311, 205, true, 0.25f},  {109, 205, true, 0.25f},                          // past either end
        {260, 205, false, 0.25f},                                                   // not dragging
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        Mouse(steps[i].x, steps[i].y, steps[i].down);
        EXPECT_EQ(slider.value, steps[i].value) << "step " << i;
    }
    DrawTree();
    EXPECT_EQ(RgbAt(100, 200), Rgb(BarColour));
    EXPECT_TRUE(Drawn(KnobColour, 155, 197, 10, 16));  // centred on x 160, 3 up
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
