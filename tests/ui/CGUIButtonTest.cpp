#include <algorithm>
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
        const std::pair<Sprite*, uint32_t> faces[] = {
            {&idle, IdleColour}, {&over, OverColour}, {&pressed, PressedColour}};
        for (auto [face, colour] : faces) {
            WriteSolid("data/gfx/face.png", 40, 20, colour);
            ASSERT_TRUE(face->Load("data/gfx/face.png"));
        }
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

    void Mouse(int x, int y, bool down) {
        input.MoveMouse(x, y);
        input.SetButton(down);
        Tick();
    }

    // One tick with the mouse here, then the button's state and the clicks so far.
    void Step(int x, int y, bool down, int state, int clicksSoFar) {
        Mouse(x, y, down);
        EXPECT_EQ(button.state, state) << "mouse " << x << "," << y << (down ? " down" : " up");
        EXPECT_EQ(clicks, clicksSoFar) << "mouse " << x << "," << y << (down ? " down" : " up");
    }

    long Count(const std::string& sound) const {
        return std::count(button.played.begin(), button.played.end(), sound);
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

TEST_F(CGUIButtonTest, ClicksOnlyWhenAPressIsReleasedOverIt) {
    Step(50, 50, true, CGUIButton::Idle, 0);  // pressed outside, then dragged over it
    Step(110, 210, true, CGUIButton::Pressed, 0);
    Step(110, 210, false, CGUIButton::Over, 1);
    Step(111, 211, false, CGUIButton::Over, 1);
    EXPECT_EQ(Count("press"), 1);
    // Moved off before the release, also in the same tick as the release: no click.
    Step(110, 210, true, CGUIButton::Pressed, 1);
    Step(300, 300, true, CGUIButton::Idle, 1);
    Step(300, 300, false, CGUIButton::Idle, 1);
    Step(110, 210, true, CGUIButton::Pressed, 1);
    Step(300, 300, false, CGUIButton::Idle, 1);
    EXPECT_EQ(Count("press"), 1);
}

TEST_F(CGUIButtonTest, EdgesBelongToTheButtonAndEachArrivalSoundsOnce) {
    Step(50, 50, false, CGUIButton::Idle, 0);
    EXPECT_TRUE(button.played.empty());
    Step(140, 220, false, CGUIButton::Over, 0);  // x + width, y + height
    Step(100, 200, false, CGUIButton::Over, 0);
    EXPECT_EQ(Count("rollover"), 1);
    Step(141, 220, false, CGUIButton::Idle, 0);
    Step(140, 221, false, CGUIButton::Idle, 0);
    Step(99, 200, false, CGUIButton::Idle, 0);
    Step(120, 210, false, CGUIButton::Over, 0);
    EXPECT_EQ(Count("rollover"), 2);
    // Coming back over it after a press that left it is an arrival too.
    Step(120, 210, true, CGUIButton::Pressed, 0);
    Step(10, 10, true, CGUIButton::Idle, 0);
    Step(10, 10, false, CGUIButton::Idle, 0);
    Step(120, 210, false, CGUIButton::Over, 0);
    EXPECT_EQ(Count("rollover"), 3);
}

TEST_F(CGUIButtonTest, FaceFollowsTheStateAndMissingFacesFallBack) {
    Mouse(110, 210, true);
    EXPECT_EQ(FaceShown(), Rgb(PressedColour));
    button.pressedFace = nullptr;
    EXPECT_EQ(FaceShown(), Rgb(OverColour));
    button.rolloverFace = nullptr;
    EXPECT_EQ(FaceShown(), Rgb(IdleColour));
    Mouse(110, 210, false);
    EXPECT_EQ(FaceShown(), Rgb(IdleColour));

    // Without an idle face the button is inert and invisible.
    Mouse(0, 0, false);
    button.idleFace = nullptr;
    clicks = 0;
    Mouse(110, 210, true);
    Mouse(110, 210, false);
    EXPECT_EQ(button.state, CGUIButton::Idle);
    EXPECT_EQ(clicks, 0);
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(120, 210)));
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
