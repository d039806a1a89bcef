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

class CGUIButtonTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/idle.png", 40, 20, IdleColour);
        WriteSolid("data/gfx/over.png", 40, 20, OverColour);
        WriteSolid("data/gfx/pressed.png", 40, 20, PressedColour);
        ASSERT_TRUE(idle.Load("data/gfx/idle.png"));
        ASSERT_TRUE(over.Load("data/gfx/over.png"));
        ASSERT_TRUE(pressed.Load("data/gfx/pressed.png"));
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
        root.RemoveChild(&button);
        CGUIButton::rolloverSound.clear();
        CGUIButton::pressSound.clear();
        ToolkitTest::TearDown();
    }

    // Sets the mouse, runs one tick.
    void Mouse(int x, int y, bool down) {
        input.MoveMouse(x, y);
        input.SetButton(down);
        Tick();
    }

    int Count(const std::string& sound) const {
        int count = 0;
        for (const std::string& played : button.played) {
            count += played == sound ? 1 : 0;
        }
        return count;
    }

    uint32_t FaceShown() {
        DrawTree();
        return RgbAt(120, 210);
    }

    Sprite idle;
    Sprite over;
    Sprite pressed;
    ListeningButton button;
    int clicks = 0;
};

TEST_F(CGUIButtonTest, PressOutsideThenReleaseOverItClicks) {
    Mouse(50, 50, true);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    Mouse(110, 210, true);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_EQ(FaceShown(), Rgb(PressedColour));
    EXPECT_EQ(clicks, 0);
    Mouse(110, 210, false);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(button.IsOver());
    EXPECT_EQ(Count("press"), 1);
    EXPECT_EQ(FaceShown(), Rgb(OverColour));
    // Staying over it, released, clicks nothing more.
    Mouse(111, 211, false);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CGUIButtonTest, PressThenMoveOffAndReleaseDoesNotClick) {
    Mouse(110, 210, false);
    Mouse(110, 210, true);
    EXPECT_TRUE(button.IsPressed());
    Mouse(300, 300, true);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    Mouse(300, 300, false);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(Count("press"), 0);
    EXPECT_EQ(FaceShown(), Rgb(IdleColour));
}

TEST_F(CGUIButtonTest, ReleasedOutsideInTheSameTickAsLeavingDoesNotClick) {
    Mouse(110, 210, true);
    ASSERT_TRUE(button.IsPressed());
    Mouse(300, 300, false);  // left and released between two ticks
    EXPECT_EQ(button.state, CGUIButton::Idle);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CGUIButtonTest, RolloverSoundOncePerArrival) {
    Mouse(50, 50, false);
    EXPECT_TRUE(button.played.empty());
    Mouse(105, 205, false);
    EXPECT_EQ(Count("rollover"), 1);
    Mouse(130, 215, false);
    Mouse(139, 219, false);
    EXPECT_EQ(Count("rollover"), 1);
    Mouse(10, 10, false);
    Mouse(120, 210, false);
    EXPECT_EQ(Count("rollover"), 2);
    // Coming back over it after a press that left it is an arrival too.
    Mouse(120, 210, true);
    Mouse(10, 10, true);
    Mouse(10, 10, false);
    Mouse(120, 210, false);
    EXPECT_EQ(Count("rollover"), 3);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CGUIButtonTest, EdgesBelongToTheButton) {
    Mouse(140, 220, false);  // x + width, y + height
    EXPECT_TRUE(button.IsOver());
    Mouse(100, 200, false);
    EXPECT_TRUE(button.IsOver());
    Mouse(141, 220, false);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    Mouse(140, 221, false);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    Mouse(99, 200, false);
    EXPECT_EQ(button.state, CGUIButton::Idle);
}

TEST_F(CGUIButtonTest, MissingFacesFallBack) {
    button.pressedFace = nullptr;
    Mouse(110, 210, true);
    EXPECT_EQ(FaceShown(), Rgb(OverColour));
    button.rolloverFace = nullptr;
    EXPECT_EQ(FaceShown(), Rgb(IdleColour));
    Mouse(110, 210, false);
    EXPECT_EQ(FaceShown(), Rgb(IdleColour));
}

TEST_F(CGUIButtonTest, WithoutSoundsOrHandlerItStaysQuiet) {
    CGUIButton::rolloverSound.clear();
    CGUIButton::pressSound.clear();
    Mouse(110, 210, false);
    Mouse(110, 210, true);
    Mouse(110, 210, false);
    EXPECT_TRUE(button.played.empty());
    EXPECT_EQ(clicks, 1);

    CGUIButton::pressSound = "press";
    button.onClick = nullptr;
    Mouse(110, 210, true);
    Mouse(110, 210, false);
    EXPECT_TRUE(button.played.empty());  // no handler: no click, no sound
    EXPECT_TRUE(button.IsOver());
}

TEST_F(CGUIButtonTest, WithoutAnIdleFaceItDoesNothing) {
    button.idleFace = nullptr;
    Mouse(110, 210, true);
    Mouse(110, 210, false);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(IsBlack(ReadPixel(120, 210)));
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(120, 210)));
}

TEST_F(CGUIButtonTest, AHandlerMayEndTheButton) {
    // A screen switch from a handler may free the button; the button must be done with itself by then.
    auto* temporary = new CGUIButton;
    temporary->idleFace = &idle;
    temporary->onClick = [this, temporary] {
        ++clicks;
        delete temporary;
    };
    input.MoveMouse(10, 10);
    input.SetButton(true);
    temporary->Update();
    input.SetButton(false);
    temporary->Update();
    EXPECT_EQ(clicks, 1);
}

}  // namespace
