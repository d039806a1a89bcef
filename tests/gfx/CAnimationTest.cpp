#include <string>

#include "gfx/CAnimation.h"
#include "gfx/ToolkitFixture.h"

namespace {

// Frame i is drawn in a red of its own, so the frame on screen can be read back.
uint32_t FrameColour(int frame) {
    return PackRGBA(static_cast<uint8_t>(20 + 20 * frame), 0, 200);
}

using CAnimationTest = ToolkitTest;

TEST_F(CAnimationTest, ShowsEachFrameForFourUpdatesAndEndsInTheFortieth) {
    for (int i = 0; i < 10; ++i) {
        WriteSolid("data/gfx/anim/spin" + std::to_string(i) + ".png", 8, 8, FrameColour(i));
    }
    auto* animation = new CAnimation;  // the tree frees it when it ends
    root.AddChild(animation);
    animation->Start("data/gfx/anim/spin{xx}.png", 30, 40, 0.25f, 10);
    for (int update = 1; update <= 39; ++update) {
        Tick();
        ASSERT_TRUE(root.HasChild(animation)) << "update " << update;
        DrawTree();
        EXPECT_EQ(RgbAt(33, 43), Rgb(FrameColour(update / 4))) << "update " << update;
    }
    Tick();
    EXPECT_TRUE(root.Children().empty());

    // With no frames at all it draws nothing and ends at once.
    auto* empty = new CAnimation;
    root.AddChild(empty);
    empty->Start("data/gfx/anim/none{xx}.png", 0, 0, 0.25f, 10);
    DrawTree();
    Tick();
    EXPECT_FALSE(root.HasChild(empty));
}

}  // namespace
