#include <iterator>

#include "gfx/CMovingBBAnim.h"
#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

class CMovingBBAnimTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        LoadSolid(sign, "data/gfx/sign.png", 20, 20, Green);
        // Grow in with one turn over 4 ticks, hold 4, shrink out over 4.
        anim.SetupThreeSteps(&sign, 100, 100, true, false, 1.0f, true, false, 0.0f, 4, 4, 4);
        root.AddChild(&anim);
    }

    // Whether step index is the one playing and the only child.
    bool Playing(int index) const {
        const CMovingBB* step = &*std::next(anim.steps.begin(), index);
        return anim.current == step && anim.children.size() == 1 && anim.children.front() == step;
    }

    Sprite sign;
    CMovingBBAnim anim;
};

TEST_F(CMovingBBAnimTest, PlaysTheStepsOneAfterAnotherFromRestartAndKeepsTheLast) {
    Ticks(20);
    DrawTree();
    EXPECT_TRUE(anim.children.empty());  // nothing before the first restart
    EXPECT_TRUE(IsBlack(ReadPixel(110, 110)));

    anim.Restart();
    for (int tick = 1; tick <= 12; ++tick) {
        Tick();
        ASSERT_TRUE(Playing((tick - 1) / 4)) << "tick " << tick;
        // A step starts in the update after the previous one reached its end.
        EXPECT_EQ(anim.current->progress, static_cast<float>((tick - 1) % 4 + 1) / 4.0f) << "tick " << tick;
        DrawTree();
        if (tick == 2) {
            EXPECT_FLOAT_EQ(sign.zoom, 0.5f);
            EXPECT_FLOAT_EQ(sign.angle, 180.0f);
        } else if (tick == 6) {
            // The hold leaves the zoom the grow step drew last.
            EXPECT_EQ(sign.zoom, 1.0f);
            EXPECT_TRUE(Drawn(Green, 100, 100, 20, 20));
        }
    }
    Ticks(10);
    EXPECT_TRUE(Playing(2));
    DrawTree();
    EXPECT_EQ(sign.zoom, 0.0f);  // shrunk out to nothing, and left so
    EXPECT_TRUE(IsBlack(ReadPixel(110, 110)));

    // A restart in the middle of a step starts again from the first.
    anim.Restart();
    Ticks(6);
    ASSERT_TRUE(Playing(1));
    anim.Restart();
    Tick();
    EXPECT_TRUE(Playing(0));
    Ticks(12);
    EXPECT_TRUE(Playing(2));
}

}  // namespace
