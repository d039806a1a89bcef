#include "flow/CEndScreen.h"
#include "gfx/ToolkitFixture.h"

namespace {

class CEndScreenTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/ending/final_image.png", 800, 600, Blue);
        WriteSolid("data/gfx/ending/theend.png", 480, 120, Red);
    }
    CEndScreen* screen = nullptr;
};

// Pressed and released early, it ends on the tick after the title arrives; a press still held,
// or none, keeps it however long.
TEST_F(CEndScreenTest, AClickEndsItOnceTheTitleHasArrived) {
    root.AddChild(screen = new CEndScreen());  // the tree ends it
    input.SetButton(true);  // the press that ended the last level does not count
    Ticks(2);
    input.SetButton(false);
    Tick();
    input.SetButton(true);
    Ticks(10);
    input.SetButton(false);
    int ticks = 13;
    for (; root.HasChild(screen) && screen->titleMover.progress < 1.0f; ++ticks) {
        Tick();
    }
    EXPECT_NEAR(ticks, CEndScreen::TitleTicks, 1);  // one more when rounding leaves it short
    ASSERT_TRUE(root.HasChild(screen));
    Tick();
    EXPECT_FALSE(root.HasChild(screen));

    root.AddChild(screen = new CEndScreen());
    Ticks(300);
    input.SetButton(true);
    Ticks(10);
    EXPECT_TRUE(root.HasChild(screen));
    input.SetButton(false);
    Tick();
    EXPECT_FALSE(root.HasChild(screen));
}

}  // namespace
