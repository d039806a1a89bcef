#include <gtest/gtest.h>

#include "TreeFixture.h"

namespace {

using CTreeTest = TreeTest;

// Thrown items rise from the middle of the tree and come down beside it; dropped ones fall from
// the crown. The spoon's ground line lies lower, so it flies one update longer.
TEST_F(CTreeTest, ItemsLandOnTheirUpdateAndBesideTheTree) {
    struct Case {
        const char* name;
        bool throws;
        bool intoB;
        bool spoon;
        int landsOn;
        int sideways;
    };
    const Case cases[] = {
        {"thrown into A", true, false, false, 15, 28}, {"thrown into B", true, true, false, 15, -28},
        {"spoon thrown", true, false, true, 16, 30},   {"dropped into A", false, false, false, 16, 0},
        {"dropped into B", false, true, true, 16, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EmptyTrees();
        tree().SetMode(test.throws);
        tree().nextToB = test.intoB;
        CItem* item = test.spoon ? static_cast<CItem*>(Make<CSpoon>()) : Make<CClock>();
        tree().ThrowItem(item);
        ASSERT_EQ(item, test.intoB ? tree().slotB : tree().slotA);
        const float startX = item->x;
        for (int update = 1; update < test.landsOn; ++update) {
            Updates(1);
            ASSERT_FALSE(item->Landed()) << update;
        }
        Updates(1);
        EXPECT_TRUE(item->Landed());
        EXPECT_EQ(item->x - startX, static_cast<float>(test.sideways));
    }
}

// Full slots give way by turns: A, then B. The pushed-out item stays until its successor lands.
TEST_F(CTreeTest, APushedOutItemBlinksUntilItsSuccessorLandsAndCanStillBeTaken) {
    CSoap* soap = Landed(Make<CSoap>());
    Landed(Make<CClock>());
    tree().ThrowItem(Make<CClock>());
    ASSERT_EQ(tree().leaving, soap);
    EXPECT_EQ(tree().FreeSlot(), 0);
    const int soapX = static_cast<int>(soap->x) + 5;
    const int soapY = static_cast<int>(soap->y) + 5;
    // Shown three updates, hidden three, while the new item falls into its slot.
    for (int update = 1; update < 15; ++update) {
        Updates(1);
        DrawAll();
        ASSERT_EQ(tree().leaving, soap);
        EXPECT_EQ(RgbAt(soapX, soapY) == Rgb(ItemColour), update % 6 >= 3) << update;
    }
    Updates(1);
    EXPECT_EQ(tree().leaving, soap);
    Updates(1);
    EXPECT_EQ(tree().leaving, nullptr);

    CItem* pushed = tree().slotB;
    tree().ThrowItem(Make<CSoap>());
    ASSERT_EQ(tree().leaving, pushed);
    timer().paused = true;
    const int32_t before = timer().remaining -= 50;
    Updates(7);  // the tree has stopped shaking; the new soap is still falling
    PressOn(*pushed);
    EXPECT_EQ(tree().leaving, nullptr);
    EXPECT_EQ(timer().remaining, before + CTimer::ClockGainPixels);
    EXPECT_NE(tree().slotB, nullptr);
}

// A press gives nothing while the tree shakes, once the time is up or while a page is shown.
TEST_F(CTreeTest, PressesGiveNothingWhileShakingOutOfTimeOrDuringATutorial) {
    struct Case {
        const char* name;
        std::function<void()> before;
        bool taken;
    };
    const Case cases[] = {
        {"free", [] {}, true},
        {"shaking", [this] { tree().shake = 1; }, false},
        {"no time left", [this] { timer().remaining = 0; }, false},
        {"tutorial shown", [this] { tutorials.showing = true; }, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EmptyTrees();
        timer().SetTime(600);
        tutorials.showing = false;
        CClock* clock = Landed(Make<CClock>());
        test.before();
        PressOn(*clock);
        EXPECT_EQ(tree().slotA == nullptr, test.taken);
    }
}

TEST_F(CTreeTest, APressOnTheTreeShakesItAndItsRollAsksTheGame) {
    input.MoveMouse(10, 580);
    input.SetButton(true);
    Updates(1);
    input.SetButton(false);
    EXPECT_EQ(tree().shake, 1);
    EXPECT_EQ(tree().slotA, nullptr);
    Updates(7);
    EXPECT_EQ(tree().shake, 0);  // 40 ticks of shaking

    game.nextItem = new CSandClock();
    tree().ThrowItem(nullptr);
    ASSERT_NE(tree().slotA, nullptr);
    EXPECT_EQ(tree().slotA->GetType(), ItemType::SandClock);
    EXPECT_EQ(tree().slotA->Find(".."), &game);
}

// Leaves fall from the crown of a dropping tree while it shakes.
TEST_F(CTreeTest, LeavesFallFromTheCrown) {
    tree().shake = 2;
    DrawTree();
    const int crownTop = 600 - TreeHeight;
    EXPECT_EQ(RgbAt(55, crownTop + 2 * 30 + 40 + 5), Rgb(LeavesColour));
    EXPECT_EQ(RgbAt(5, crownTop + 5), Rgb(TreeColour));  // shake 2: the picture at rest
}

}  // namespace
