#include "gfx/CMovingBB.h"
#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

constexpr uint32_t Red = PackRGBA(255, 0, 0);

class CMovingBBTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/box.png", 10, 10, Red);
        ASSERT_TRUE(box.Load("data/gfx/box.png"));
    }

    // True when the 10 x 10 box is drawn with its top-left corner exactly at (x, y).
    bool BoxAt(int x, int y) {
        return RgbAt(x, y) == Rgb(Red) && RgbAt(x + 9, y + 9) == Rgb(Red) && IsBlack(ReadPixel(x - 1, y)) &&
               IsBlack(ReadPixel(x, y - 1)) && IsBlack(ReadPixel(x + 10, y + 10));
    }

    Sprite box;
};

TEST_F(CMovingBBTest, FollowsTheStraightLineAndStaysAtItsEnd) {
    CMovingBB mover;
    root.AddChild(&mover);
    mover.Move(&box, 100, 100, 300, 500, 4, 1.0f, 1.0f);
    const int expected[][2] = {{100, 100}, {150, 200}, {200, 300}, {250, 400}, {300, 500}, {300, 500}};
    for (int update = 0; update < 6; ++update) {
        DrawTree();
        EXPECT_TRUE(BoxAt(expected[update][0], expected[update][1])) << "after " << update << " updates";
        Tick();
    }
    EXPECT_TRUE(root.HasChild(&mover));
    EXPECT_EQ(mover.progress, 1.0f);
    root.RemoveChild(&mover);
}

TEST_F(CMovingBBTest, OpacityAndZoomAtBothEndsOneLeaveTheSpriteAlone) {
    CMovingBB mover;
    root.AddChild(&mover);
    box.alpha = 0.5f;
    box.zoom = 2.0f;
    mover.Move(&box, 200, 200, 200, 200, 4, 1.0f, 1.0f);
    Ticks(2);
    DrawTree();
    EXPECT_EQ(box.alpha, 0.5f);
    EXPECT_EQ(box.zoom, 2.0f);
    // Faded by someone else, it stays faded on screen.
    EXPECT_NEAR(ReadPixel(205, 205).r, 128, 2);
    root.RemoveChild(&mover);
}

TEST_F(CMovingBBTest, FadesBetweenTheTwoOpacities) {
    CMovingBB mover;
    root.AddChild(&mover);
    mover.Move(&box, 200, 200, 200, 200, 4, 0.0f, 1.0f);
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(205, 205)));
    Ticks(2);
    DrawTree();
    EXPECT_FLOAT_EQ(box.alpha, 0.5f);
    EXPECT_NEAR(ReadPixel(205, 205).r, 128, 2);
    Ticks(2);
    DrawTree();
    EXPECT_EQ(RgbAt(205, 205), Rgb(Red));
    root.RemoveChild(&mover);
}

TEST_F(CMovingBBTest, FinishWhenDoneEndsTheMoverAfterItsTicks) {
    auto* mover = AddToRoot(new CMovingBB);
    mover->finishWhenDone = true;
    mover->Move(&box, 0, 0, 100, 0, 4, 1.0f, 1.0f);
    Ticks(3);
    EXPECT_TRUE(root.HasChild(mover));
    Tick();
    EXPECT_FALSE(root.HasChild(mover));
    EXPECT_EQ(root.Find("movingbb"), nullptr);
}

TEST_F(CMovingBBTest, WithoutASpriteNothingMovesOrDraws) {
    CMovingBB mover;
    root.AddChild(&mover);
    mover.Move(nullptr, 0, 0, 100, 0, 4, 0.0f, 1.0f);
    Ticks(10);
    DrawTree();
    EXPECT_EQ(mover.progress, 0.0f);
    root.RemoveChild(&mover);
}

TEST_F(CMovingBBTest, AMoveOfNoTicksEndsAtTheNextUpdate) {
    CMovingBB mover;
    mover.Move(&box, 0, 0, 100, 0, 0, 1.0f, 1.0f);
    mover.Update();
    EXPECT_EQ(mover.progress, 1.0f);
}

TEST_F(CMovingBBTest, MoveExGrowsFromNothingAndTurns) {
    CMovingBB mover;
    root.AddChild(&mover);
    mover.MoveEx(&box, 300, 300, 300, 300, 50, 0, 2.0f, 1);
    EXPECT_EQ(mover.alphaFrom, 1.0f);
    EXPECT_EQ(mover.alphaTo, 1.0f);
    DrawTree();
    EXPECT_EQ(box.zoom, 0.0f);
    EXPECT_TRUE(IsBlack(ReadPixel(305, 305)));  // zoom 0: invisible
    for (int update = 1; update <= 3; ++update) {
        Tick();
        DrawTree();
        EXPECT_NEAR(box.angle, 14.4f * static_cast<float>(update), 1e-3f) << "update " << update;
        EXPECT_NEAR(box.zoom, 0.02f * static_cast<float>(update), 1e-6f);
    }
    Ticks(48);  // one spare update for single-precision rounding
    DrawTree();
    EXPECT_EQ(box.zoom, 1.0f);
    EXPECT_NEAR(box.angle, 720.0f, 1e-3f);
    EXPECT_EQ(RgbAt(305, 305), Rgb(Red));
    root.RemoveChild(&mover);
}

TEST_F(CMovingBBTest, MoveExFadeAndZoomModes) {
    CMovingBB mover;
    mover.MoveEx(&box, 0, 0, 0, 0, 10, -1, 0.0f, -1);
    EXPECT_EQ(mover.alphaFrom, 1.0f);
    EXPECT_EQ(mover.alphaTo, 0.0f);
    EXPECT_EQ(mover.zoomFrom, 1.0f);
    EXPECT_EQ(mover.zoomTo, 0.0f);
    mover.MoveEx(&box, 0, 0, 0, 0, 10, 1, 0.0f, 7);
    EXPECT_EQ(mover.alphaFrom, 0.0f);
    EXPECT_EQ(mover.alphaTo, 1.0f);
    EXPECT_EQ(mover.zoomFrom, 1.0f);
    EXPECT_EQ(mover.zoomTo, 1.0f);
    // Move keeps what MoveEx set for zoom and turns.
    mover.MoveEx(&box, 0, 0, 0, 0, 10, 0, 3.0f, 1);
    mover.Move(&box, 0, 0, 10, 10, 5, 1.0f, 1.0f);
    EXPECT_EQ(mover.zoomFrom, 0.0f);
    EXPECT_EQ(mover.turns, 3.0f);
}

}  // namespace
