#include <string>

#include "gfx/CAnimation.h"
#include "gfx/ToolkitFixture.h"

namespace {

// Frame i is drawn in a red of its own, so the frame on screen can be read back.
uint32_t FrameColour(int frame) {
    return PackRGBA(static_cast<uint8_t>(20 + 20 * frame), 0, 200);
}

class CAnimationTest : public ToolkitTest {
protected:
    void WriteFrames(int count) {
        for (int i = 0; i < count; ++i) {
            WriteSolid("data/gfx/anim/spin" + std::to_string(i) + ".png", 8, 8, FrameColour(i));
        }
    }
};

TEST_F(CAnimationTest, ShowsEachFrameForFourUpdatesEndsInTheFortiethAndSkipsMissingFrames) {
    WriteFrames(10);
    auto* animation = AddToRoot(new CAnimation);
    animation->name = "twister";
    animation->Start("data/gfx/anim/spin{xx}.png", 30, 40, 0.25f, 10);
    ASSERT_EQ(animation->frameCount, 10);

    for (int update = 1; update <= 39; ++update) {
        Tick();
        ASSERT_TRUE(root.HasChild(animation)) << "update " << update;
        DrawTree();
        EXPECT_EQ(RgbAt(33, 43), Rgb(FrameColour(update / 4))) << "update " << update;
    }
    Tick();
    EXPECT_TRUE(root.Children().empty());
    EXPECT_EQ(root.Find("twister"), nullptr);

    // Missing frames are skipped; with none at all the animation ends at once.
    CAnimation partial;
    partial.Start("data/gfx/anim/spin{xx}.png", 0, 0, 1.0f, 12);
    EXPECT_EQ(partial.frameCount, 10);

    auto* empty = AddToRoot(new CAnimation);
    empty->Start("data/gfx/anim/none{xx}.png", 0, 0, 0.25f, 10);
    EXPECT_EQ(empty->frameCount, 0);
    DrawTree();  // nothing to draw, and nothing goes wrong
    Tick();
    EXPECT_FALSE(root.HasChild(empty));
}

}  // namespace
