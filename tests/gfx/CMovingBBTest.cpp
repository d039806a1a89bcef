#include "gfx/CMovingBB.h"
#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

class CMovingBBTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        LoadSolid(box, "data/gfx/box.png", 10, 10, Red);
        root.AddChild(&mover);
    }

    Sprite box;
    CMovingBB mover;
};

TEST_F(CMovingBBTest, FollowsTheStraightLineAndStaysAtItsEnd) {
    mover.Move(&box, 100, 100, 300, 500, 4, 1.0f, 1.0f);
    const int expected[][2] = {{100, 100}, {150, 200}, {200, 300}, {250, 400}, {300, 500}, {300, 500}};
    for (int update = 0; update < 6; ++update) {
        DrawTree();
        EXPECT_TRUE(Drawn(Red, expected[update][0], expected[update][1], 10, 10)) << "after " << update;
        Tick();
    }
    EXPECT_TRUE(root.HasChild(&mover));
}

// Alpha and zoom are left alone when both their ends are 1: someone else may have set them.
TEST_F(CMovingBBTest, MoveExFadesZoomsAndTurnsByMode) {
    constexpr float Untouched = 0.75f;
    const struct {
        int fade, zoom;
        float turns;
        float alpha[3], scale[3], angle[3];  // after 0, 2 and 4 of 4 updates
    } cases[] = {
        {-1, -1, 0, {1, 0.5f, 0}, {1, 0.5f, 0}, {Untouched, Untouched, Untouched}},
        {1, 7, 2, {0, 0.5f, 1}, {Untouched, Untouched, Untouched}, {0, 360, 720}},
        {0, 1, 0.5f, {Untouched, Untouched, Untouched}, {0, 0.5f, 1}, {0, 90, 180}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "fade " << c.fade << " zoom " << c.zoom << " turns " << c.turns);
        box.alpha = box.zoom = box.angle = Untouched;
        mover.MoveEx(&box, 0, 0, 0, 0, 4, c.fade, c.turns, c.zoom);
        for (int at = 0; at < 3; ++at) {
            DrawTree();
            EXPECT_FLOAT_EQ(box.alpha, c.alpha[at]) << "after " << 2 * at;
            EXPECT_FLOAT_EQ(box.zoom, c.scale[at]) << "after " << 2 * at;
            EXPECT_FLOAT_EQ(box.angle, c.angle[at]) << "after " << 2 * at;
            Ticks(2);
        }
    }
}

TEST_F(CMovingBBTest, EndsAfterItsTicksWhenAskedAndNeedsASpriteToMove) {
    auto* finishing = new CMovingBB;  // the tree frees it when it ends
    root.AddChild(finishing);
    finishing->finishWhenDone = true;
    finishing->Move(&box, 0, 0, 100, 0, 4, 1.0f, 1.0f);
    Ticks(3);
    EXPECT_TRUE(root.HasChild(finishing));
    Tick();
    EXPECT_FALSE(root.HasChild(finishing));

    mover.Move(nullptr, 0, 0, 100, 0, 4, 0.0f, 1.0f);
    Ticks(10);
    DrawTree();
    EXPECT_EQ(mover.progress, 0.0f);
    mover.Move(&box, 0, 0, 100, 0, 0, 1.0f, 1.0f);  // no ticks: done at the next update
    Tick();
    EXPECT_EQ(mover.progress, 1.0f);
}

}  // namespace
