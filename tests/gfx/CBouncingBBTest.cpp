#include "gfx/CBouncingBB.h"
#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

constexpr uint32_t Blue = PackRGBA(0, 0, 255);

class CBouncingBBTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/logo.png", 40, 30, Blue);
        ASSERT_TRUE(logo.Load("data/gfx/logo.png"));
        root.AddChild(&bouncer);
        bouncer.Drop(&logo, 380, 100.0f, 0.2f, 0.5f);
    }

    void TearDown() override {
        root.RemoveChild(&bouncer);
        ToolkitTest::TearDown();
    }

    Sprite logo;
    CBouncingBB bouncer;
};

TEST_F(CBouncingBBTest, StartsJustAboveTheScreen) {
    EXPECT_EQ(bouncer.y, -30.0f);
    EXPECT_EQ(bouncer.speedY, 0.0f);
    EXPECT_FALSE(bouncer.settled);
    EXPECT_FALSE(bouncer.JustBounced());
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(390, 0)));
}

TEST_F(CBouncingBBTest, FallsFasterAndFasterThenBouncesAtHalfTheImpactSpeed) {
    float lastFall = 0.0f;
    int bounces = 0;
    for (int update = 1; update < 2000 && !bouncer.settled; ++update) {
        const float lastY = bouncer.y;
        const float impactSpeed = bouncer.speedY + bouncer.gravity;
        Tick();
        if (bouncer.JustBounced()) {
            ++bounces;
            EXPECT_EQ(bouncer.y, 100.0f);
            EXPECT_EQ(bouncer.speedY, -0.5f * impactSpeed) << "bounce " << bounces;
        } else if (bounces == 0) {
            EXPECT_GT(bouncer.y - lastY, lastFall) << "update " << update;
            lastFall = bouncer.y - lastY;
        }
    }
    EXPECT_GT(bounces, 3);
    ASSERT_TRUE(bouncer.settled);
    EXPECT_FALSE(bouncer.JustBounced());
    Ticks(100);
    EXPECT_EQ(bouncer.y, 100.0f);
    EXPECT_FALSE(bouncer.JustBounced());
    DrawTree();
    EXPECT_EQ(RgbAt(385, 100), Rgb(Blue));
    EXPECT_EQ(RgbAt(419, 129), Rgb(Blue));
    EXPECT_TRUE(IsBlack(ReadPixel(385, 99)));
    EXPECT_TRUE(IsBlack(ReadPixel(385, 130)));
}

TEST_F(CBouncingBBTest, JustBouncedHoldsOnlyInTheHittingUpdate) {
    int hits = 0;
    for (int update = 0; update < 2000 && !bouncer.settled; ++update) {
        const float before = bouncer.y + bouncer.speedY + bouncer.gravity;
        Tick();
        EXPECT_EQ(bouncer.JustBounced(), before > 100.0f && !bouncer.settled) << "update " << update;
        hits += bouncer.JustBounced() ? 1 : 0;
    }
    EXPECT_GT(hits, 0);
}

}  // namespace
