#include "menu/CCredits.h"
#include "menu/MenuScreenFixture.h"

namespace {

using CCreditsTest = MenuScreenTest;

// The roles run out to the left and the names to the right, all the way to -1, before the main
// menu comes back.
TEST_F(CCreditsTest, AfterBackTheSlideRunsToMinusOneThenTheMainMenuReturns) {
    CCredits credits;
    Show(credits);
    Ticks(20);
    Click(400, CCredits::BackY + 26);  // the middle of BACK
    int ticks = 0;
    for (; credits.active && ticks < 100; ++ticks) {
        EXPECT_FALSE(mainMenu.active);
        Tick();
    }
    EXPECT_NEAR(ticks, 40, 1);  // one more when rounding leaves it just above -1
    EXPECT_NEAR(credits.Slide(), -1.0f, 0.01f);
    EXPECT_TRUE(mainMenu.active);
}

}  // namespace
