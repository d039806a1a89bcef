#include <algorithm>

#include "game/BoardFixture.h"
#include "game/CTimer.h"

namespace {

// The fixture's bar is 400 pixels wide, as the classic arithmetic examples assume.
class CTimerTest : public BoardTest {
protected:
    int TicksUntilEmpty() {
        int ticks = 0;
        for (; timer().remaining > 0 && ticks < 100000; ++ticks) {
            timer().Update();
        }
        return ticks;
    }
    // The bar's length on screen, in pixels, and its colour (0 when nothing is drawn).
    std::pair<int, uint32_t> ShownBar() {
        DrawTree();
        const uint32_t colour = RgbAt(CTimer::BarX, CTimer::BarY + 5);
        int length = 0;
        while (length < BarWidth && RgbAt(CTimer::BarX + length, CTimer::BarY + 5) == colour) {
            ++length;
        }
        return {colour == 0 ? 0 : length, colour};
    }
    long Warnings() const {
        const auto& sent = tutorials.notifications;
        return std::count(sent.begin(), sent.end(), RecordingTutorials::Notification{5, -1, -1});
    }
};

TEST_F(CTimerTest, TheBarEmptiesAfterItsTimeInWholeTicksAPixel) {
    struct Case {
        int seconds, ticksPerPixel, ticks;
    };
    // 90 s is 13 ticks a pixel, not 13.5: the bar empties after 5200 ticks, not 5400. Under a
    // tick a pixel the level still runs out, at one tick a pixel.
    for (const Case& test : {Case{100, 15, 6000}, Case{90, 13, 5200}, Case{1, 1, 400}}) {
        SCOPED_TRACE(test.seconds);
        timer().SetTime(test.seconds);
        EXPECT_EQ(timer().remaining, BarWidth);
        EXPECT_EQ(timer().TicksPerPixel(), test.ticksPerPixel);
        EXPECT_EQ(TicksUntilEmpty(), test.ticks);
    }
    EXPECT_EQ(ShownBar().first, 0);
}

TEST_F(CTimerTest, PausedOrHeldTheBarStandsStillAndAHoldBlinks) {
    timer().SetTime(100);
    timer().paused = true;
    Ticks(100);
    EXPECT_EQ(timer().remaining, BarWidth);
    timer().paused = false;
    timer().SetHold(true);
    EXPECT_EQ(ShownBar(), std::make_pair(BarWidth, Rgb(BarColour)));
    Ticks(15);  // 585 ticks of hold left: hidden for 15 ticks
    EXPECT_EQ(ShownBar().first, 0);
    Ticks(15);
    EXPECT_EQ(ShownBar().first, BarWidth);
    Ticks(570);
    EXPECT_EQ(timer().holdTicks, 0);
    EXPECT_EQ(timer().remaining, BarWidth);
    Ticks(15);
    EXPECT_EQ(timer().remaining, BarWidth - 1);
}

TEST_F(CTimerTest, AClockGrowsTheBarOnScreenAPixelATick) {
    timer().SetTime(3600);  // slow enough that no pixel goes while the bar grows
    timer().remaining = 10;
    timer().AddTime();
    EXPECT_EQ(timer().remaining, 30);
    for (int shown = 11; shown <= 30; ++shown) {
        timer().Update();
        ASSERT_EQ(ShownBar().first, shown);
    }
    timer().Update();
    EXPECT_EQ(timer().GainShown(), 0);
    EXPECT_EQ(ShownBar().first, 30);

    timer().SetTime(100);  // at full length a clock shows nothing
    timer().AddTime();
    timer().Update();
    EXPECT_EQ(timer().remaining, BarWidth);
    EXPECT_EQ(timer().GainShown(), 0);
}

TEST_F(CTimerTest, TheLastQuarterTurnsRedAndWarnsOncePerCrossing) {
    timer().SetTime(1);  // a pixel a tick
    timer().remaining = BarWidth / 4 + 1;
    timer().Update();
    EXPECT_EQ(ShownBar().second, Rgb(BarColour));
    EXPECT_EQ(Warnings(), 0);
    timer().Update();
    EXPECT_EQ(ShownBar(), std::make_pair(BarWidth / 4 - 1, Rgb(BarRedColour)));
    EXPECT_EQ(Warnings(), 1);
    for (int i = 0; i < 10; ++i) {
        timer().Update();
    }
    EXPECT_EQ(Warnings(), 1);
    timer().AddTime();  // back above the mark: the next crossing warns again
    TicksUntilEmpty();
    EXPECT_EQ(Warnings(), 2);
}

}  // namespace
