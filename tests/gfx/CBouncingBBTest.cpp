#include "gfx/CBouncingBB.h"
#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

using CBouncingBBTest = ToolkitTest;

TEST_F(CBouncingBBTest, FallsFasterAndFasterThenBouncesAtHalfTheImpactSpeedUntilItSettles) {
    Sprite logo;
    LoadSolid(logo, "data/gfx/logo.png", 40, 30, Blue);
    CBouncingBB bouncer;
    root.AddChild(&bouncer);
    bouncer.Drop(&logo, 380, 100.0f, 0.2f, 0.5f);
    EXPECT_EQ(bouncer.y, -30.0f);  // just above the screen

    float lastFall = 0.0f;
    int bounces = 0;
    for (int update = 1; update < 2000 && !bouncer.settled; ++update) {
        const float lastY = bouncer.y;
        const float impactSpeed = bouncer.speedY + bouncer.gravity;
        Tick();
        // JustBounced holds only in the update that hit the floor.
        EXPECT_EQ(bouncer.JustBounced(), lastY + impactSpeed > 100.0f && !bouncer.settled)
            << "update " << update;
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
    Ticks(100);
    EXPECT_FALSE(bouncer.JustBounced());
    DrawTree();
    EXPECT_TRUE(Drawn(Blue, 380, 100, 40, 30));
}

}  // namespace
