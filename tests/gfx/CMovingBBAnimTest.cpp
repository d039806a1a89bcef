#include <iterator>

#include "gfx/CMovingBBAnim.h"
#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

constexpr uint32_t Green = PackRGBA(0, 255, 0);

class CMovingBBAnimTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/sign.png", 20, 20, Green);
        ASSERT_TRUE(sign.Load("data/gfx/sign.png"));
        // Grow in with one turn over 4 ticks, hold 4, shrink out over 4.
        anim.SetupThreeSteps(&sign, 100, 100, true, false, 1.0f, true, false, 0.0f, 4, 4, 4);
        root.AddChild(&anim);
    }

    void TearDown() override {
        root.RemoveChild(&anim);
        ToolkitTest::TearDown();
    }

    const CMovingBB* Step(int index) const { return &*std::next(anim.steps.begin(), index); }
    bool Playing(int index) const {
        return anim.current == Step(index) && anim.children.size() == 1 &&
               anim.children.front() == Step(index);
    }

    Sprite sign;
    CMovingBBAnim anim;
};

TEST_F(CMovingBBAnimTest, ShowsNothingBeforeRestart) {
    ASSERT_EQ(anim.steps.size(), 3u);
    EXPECT_EQ(anim.nextStep, 3);
    Ticks(20);
    DrawTree();
    EXPECT_TRUE(anim.children.empty());
    EXPECT_EQ(anim.current, nullptr);
    EXPECT_TRUE(IsBlack(ReadPixel(110, 110)));
}

TEST_F(CMovingBBAnimTest, PlaysTheStepsOneAfterAnotherAndKeepsTheLast) {
    anim.Restart();
    for (int tick = 1; tick <= 12; ++tick) {
        Tick();
        ASSERT_TRUE(Playing((tick - 1) / 4)) << "tick " << tick;
        // A step starts in the update after the previous one reached its end.
        EXPECT_EQ(anim.current->progress, static_cast<float>((tick - 1) % 4 + 1) / 4.0f) << "tick " << tick;
    }
    Ticks(10);
    EXPECT_TRUE(Playing(2));
    EXPECT_EQ(anim.current->progress, 1.0f);
    DrawTree();
    EXPECT_EQ(sign.zoom, 0.0f);  // shrunk out to nothing, and left so
    EXPECT_TRUE(IsBlack(ReadPixel(110, 110)));
}

TEST_F(CMovingBBAnimTest, GrowsThenHoldsOnScreen) {
    anim.Restart();
    for (int tick = 1; tick <= 6; ++tick) {
        Tick();
        DrawTree();
        if (tick == 2) {
            EXPECT_FLOAT_EQ(sign.zoom, 0.5f);
            EXPECT_FLOAT_EQ(sign.angle, 180.0f);
        }
    }
    // The hold leaves the zoom the grow step drew last.
    EXPECT_EQ(sign.zoom, 1.0f);
    EXPECT_EQ(RgbAt(101, 101), Rgb(Green));
    EXPECT_EQ(RgbAt(118, 118), Rgb(Green));
}

TEST_F(CMovingBBAnimTest, RestartInTheMiddleOfAStepStartsAgain) {
    anim.Restart();
    Ticks(6);
    ASSERT_TRUE(Playing(1));
    anim.Restart();
    Tick();
    EXPECT_TRUE(Playing(0));
    EXPECT_EQ(anim.nextStep, 1);
    Ticks(12);
    EXPECT_TRUE(Playing(2));
}

}  // namespace
