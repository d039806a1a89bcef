#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"
#include "ui/CGUIButton.h"

namespace {

constexpr uint32_t IdleColour = PackRGBA(200, 0, 0);
constexpr uint32_t OverColour = PackRGBA(0, 200, 0);
constexpr uint32_t PressedColour = PackRGBA(0, 0, 200);

// Records the sounds a button asks for instead of playing them.
class ListeningButton : public CGUIButton {
public:
    std::vector<std::string> played;

protected:
    void PlayFeedback(const std::string& sound) override { played.push_back(sound); }
};

// A 40 x 20 button at (100, 200).
class CGUIButtonTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        LoadSolid(idle, "data/gfx/idle.png", 40, 20, IdleColour);
        LoadSolid(over, "data/gfx/over.png", 40, 20, OverColour);
        LoadSolid(pressed, "data/gfx/pressed.png", 40, 20, PressedColour);
        CGUIButton::rolloverSound = "rollover";
        CGUIButton::pressSound = "press";
        button.idleFace = &idle;
        button.rolloverFace = &over;
        button.pressedFace = &pressed;
        button.x = 100;
        button.y = 200;
        button.onClick = [this] { ++clicks; };
        root.AddChild(&button);
    }

    void TearDown() override {
        CGUIButton::rolloverSound.clear();
        CGUIButton::pressSound.clear();
        ToolkitTest::TearDown();
    }

    void Mouse(int x, int y, bool down) {
        input.MoveMouse(x, y);
        input.SetButton(down);
        Tick();
    }

    Sprite idle;
    Sprite over;
    Sprite pressed;
    ListeningButton button;
    int clicks = 0;
};

TEST_F(CGUIButtonTest, ShowsItsStateClicksWhenAPressIsReleasedOverItAndSoundsEachClickAndArrival) {
    const struct {
        int x, y;
        bool down;
        uint32_t face;
        int clicks, rollovers;
    } steps[] = {
        {50, 50, false, IdleColour, 0, 0},
        {140, 220, false, OverColour, 0, 1},  // x + width, y + height: edges belong to it
        {100, 200, false, OverColour, 0, 1},
        {141, 220, false, IdleColour, 0, 1},
        {140, 221, false, IdleColour, 0, 1},
        {99, 200, false, IdleColour, 0, 1},
        {120, 210, false, OverColour, 0, 2},
        {120, 210, true, PressedColour, 0, 2},
        {120, 210, false, OverColour, 1, 2},
        {50, 50, true, IdleColour, 1, 2},  // pressed outside, then dragged over it
        {110, 210, true, PressedColour, 1, 2},
        {110, 210, false, OverColour, 2, 2},
        {110, 210, true, PressedColour, 2, 2},  // moved off before the release
        {300, 300, true, IdleColour, 2, 2},
        {300, 300, false, IdleColour, 2, 2},
        {110, 210, false, OverColour, 2, 3},  // back over it: an arrival too
        {110, 210, true, PressedColour, 2, 3},
        {300, 300, false, IdleColour, 2, 3},  // moved off in the tick of the release
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        const auto& step = steps[i];
        Mouse(step.x, step.y, step.down);
        DrawTree();
        const auto& played = button.played;
        EXPECT_EQ(RgbAt(120, 210), Rgb(step.face)) << "step " << i;
        EXPECT_EQ(clicks, step.clicks) << "step " << i;
        EXPECT_EQ(std::count(played.begin(), played.end(), "press"), step.clicks) << "step " << i;
        EXPECT_EQ(std::count(played.begin(), played.end(), "rollover"), step.rollovers) << "step " << i;
    }

    // Empty sound names play nothing; without a handler there is neither a click nor its sound.
    CGUIButton::rolloverSound.clear();
    CGUIButton::pressSound.clear();
    Mouse(110, 210, false);
    Mouse(110, 210, true);
    Mouse(110, 210, false);
    EXPECT_EQ(clicks, 3);
    CGUIButton::pressSound = "press";
    button.onClick = nullptr;
    Mouse(110, 210, true);
    Mouse(110, 210, false);
    EXPECT_EQ(button.played.size(), 5u);
    EXPECT_TRUE(button.IsOver());
}

TEST_F(CGUIButtonTest, MissingFacesFallBackAndWithoutAnIdleFaceItIsInertAndInvisible) {
    Mouse(110, 210, true);
    button.pressedFace = nullptr;
    DrawTree();
    EXPECT_EQ(RgbAt(120, 210), Rgb(OverColour));
    button.rolloverFace = nullptr;
    DrawTree();
    EXPECT_EQ(RgbAt(120, 210), Rgb(IdleColour));

    Mouse(0, 0, false);
    button.idleFace = nullptr;
    Mouse(110, 210, true);
    Mouse(110, 210, false);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    EXPECT_EQ(clicks, 0);
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(120, 210)));
}

TEST_F(CGUIButtonTest, AHandlerMayEndTheButton) {
    // A screen switch from a handler may free the button; what the handler holds must live until it returns.
    static std::weak_ptr<int> held;
    static bool heldThroughout = false;
    auto* temporary = new CGUIButton;
    temporary->idleFace = &idle;
    auto token = std::make_shared<int>(0);
    held = token;
    temporary->onClick = [temporary, token] {
        (void)token;
        delete temporary;
        heldThroughout = !held.expired();
    };
    token.reset();
    input.MoveMouse(10, 10);
    input.SetButton(true);
    temporary->Update();
    input.SetButton(false);
    temporary->Update();
    EXPECT_TRUE(heldThroughout);
}

}  // namespace
