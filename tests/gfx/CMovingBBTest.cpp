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
        root.AddChild(&mover);
    }
    void TearDown() override {
        root.RemoveChild(&mover);
        ToolkitTest::TearDown();
    }

    Sprite box;
    CMovingBB mover;
};

TEST_F(CMovingBBTest, FollowsTheStraightLineAndStaysAtItsEnd) {
    mover.Move(&box, 100, 100, 300, 500, 4, 1.0f, 1.0f);
    const int expected[][2] = {{100, 100}, {150, 200}, {200, 300}, {250, 400}, {300, 500}, {300, 500}};
    for (int update = 0; update < 6; ++update) {
        DrawTree();
        EXPECT_TRUE(Drawn(Red, expected[update][0], expected[update][1], 10, 10))
            << "after " << update << " updates";
        Tick();
    }
    EXPECT_TRUE(root.HasChild(&mover));
    EXPECT_EQ(mover.progress, 1.0f);
}

TEST_F(CMovingBBTest, FadesBetweenTheOpacitiesButLeavesTheSpriteAloneWhenBothAreOne) {
    mover.Move(&box, 200, 200, 200, 200, 4, 0.0f, 1.0f);
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(205, 205)));
    Ticks(2);
    DrawTree();
    EXPECT_NEAR(ReadPixel(205, 205).r, 128, 2);
    Ticks(2);
    DrawTree();
    EXPECT_TRUE(Drawn(Red, 200, 200, 10, 10));

    // Faded by someone else, it stays faded on screen.
    box.alpha = 0.5f;
    box.zoom = 2.0f;
    mover.Move(&box, 200, 200, 200, 200, 4, 1.0f, 1.0f);
    Ticks(2);
    DrawTree();
    EXPECT_EQ(box.zoom, 2.0f);
    EXPECT_NEAR(ReadPixel(205, 205).r, 128, 2);
}

TEST_F(CMovingBBTest, EndsAfterItsTicksAndNeedsASpriteToMove) {
    auto* finishing = AddToRoot(new CMovingBB);
    finishing->finishWhenDone = true;
    finishing->Move(&box, 0, 0, 100, 0, 4, 1.0f, 1.0f);
    Ticks(3);
    EXPECT_TRUE(root.HasChild(finishing));
    Tick();
    EXPECT_FALSE(root.HasChild(finishing));
    EXPECT_EQ(root.Find("movingbb"), nullptr);

    mover.Move(nullptr, 0, 0, 100, 0, 4, 0.0f, 1.0f);
    Ticks(10);
    DrawTree();
    EXPECT_EQ(mover.progress, 0.0f);
    mover.Move(&box, 0, 0, 100, 0, 0, 1.0f, 1.0f);  // no ticks: done at the next update
    Tick();
    EXPECT_EQ(mover.progress, 1.0f);
}

TEST_F(CMovingBBTest, MoveExGrowsFromNothingAndTurns) {
    mover.MoveEx(&box, 300, 300, 300, 300, 50, 0, 2.0f, 1);
    DrawTree();
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
    EXPECT_TRUE(Drawn(Red, 300, 300, 10, 10));
}

TEST_F(CMovingBBTest, MoveExFadeAndZoomModes) {
    const struct {
        int fade;
        int zoom;
        float alphaFrom, alphaTo, zoomFrom, zoomTo;
    } cases[] = {{-1, -1, 1, 0, 1, 0}, {1, 7, 0, 1, 1, 1}, {0, 1, 1, 1, 0, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "fade " << c.fade << " zoom " << c.zoom);
        mover.MoveEx(&box, 0, 0, 0, 0, 10, c.fade, 3.0f, c.zoom);
        EXPECT_EQ(mover.alphaFrom, c.alphaFrom);
        EXPECT_EQ(mover.alphaTo, c.alphaTo);
        EXPECT_EQ(mover.zoomFrom, c.zoomFrom);
        EXPECT_EQ(mover.zoomTo, c.zoomTo);
    }
    // Move keeps what MoveEx set for zoom and turns.
    mover.Move(&box, 0, 0, 10, 10, 5, 1.0f, 1.0f);
    EXPECT_EQ(mover.zoomFrom, 0.0f);
    EXPECT_EQ(mover.turns, 3.0f);
}

}  // namespace
