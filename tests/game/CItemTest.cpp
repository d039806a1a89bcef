#include <gtest/gtest.h>

#include "TreeFixture.h"
#include "gfx/CAnimation.h"

namespace {

using CItemTest = TreeTest;

// Each item taken from a tree while a vaccine with three uses is carried: a carried item replaces
// it, the others act at once and leave it in hand. The vaccine's needle takes the pointer where it lay.
TEST_F(CItemTest, TakingAnItemRunsItsEffect) {
    const Rows grid = {"DDDK", "KFPM"};
    struct Case {
        std::function<CItem*()> make;
        int32_t held;
        int32_t uses;
        std::function<bool()> effect;
    };
    const auto twisterShown = [this] {
        return std::any_of(game.children.begin(), game.children.end(),
                           [](CGameObject* child) { return dynamic_cast<CAnimation*>(child) != nullptr; });
    };
    float landedY = 0;
    const Case cases[] = {
        {[this] { return Make<CClock>(); }, ItemType::Vaccine, 3,
         [this] { return timer().remaining == BarWidth - 50 + CTimer::ClockGainPixels; }},
        {[this] { return Make<CSandClock>(); }, ItemType::Vaccine, 3,
         [this] { return timer().holdTicks == CTimer::SandClockHoldTicks; }},  // restarted
        {[this] { return Make<CNoPet>(CellKind::Frog + 1); }, ItemType::Vaccine, 3,
         [this] {
             return States() == Rows{"0003", "3000"} && Squares() == Rows{"####", "####"};
         }},
        {[this] { return Make<CEddy>(); }, ItemType::Vaccine, 3,
         [&] { return Kinds() != grid && twisterShown(); }},
        {[this] { return Make<CSoap>(); }, ItemType::Soap, 1,
         [this] { return pointer->hotX == ItemSize / 2; }},
        {[this] { return Make<CSpoon>(); }, ItemType::Spoon, 1,
         [this] { return pointer->hotY == CSpoon::HotY; }},
        {[this] { return Make<CVaccine>(); }, ItemType::Vaccine, 5,
         [&] {
             return pointer->showCount && pointer->hotY == ItemSize &&
                    GetMouseY() == static_cast<int>(landedY) + ItemSize;
         }},
    };
    for (const Case& test : cases) {
        EmptyTrees();
        Build(grid);
        tutorials.notifications.clear();
        timer().SetTime(600);
        timer().paused = true;
        timer().remaining -= 50;
        timer().holdTicks = 100;
        Hold(ItemType::Vaccine, 3);
        CItem* item = Landed(test.make());
        landedY = item->y;
        const int32_t type = item->GetType();
        SCOPED_TRACE(type);
        PressOn(*item);
        EXPECT_EQ(tree().slotA, nullptr);
        EXPECT_EQ(pointer->heldType, test.held);
        EXPECT_EQ(pointer->usesLeft, test.uses);
        EXPECT_TRUE(test.effect());
        const bool tellsTutorial =
            type != ItemType::Soap && type != ItemType::Vaccine && type != ItemType::Eddy;
        EXPECT_EQ(Notified(2, type, -1), tellsTutorial);
    }
}

// Seven idle seconds after it came, a help item swells and shrinks.
TEST_F(CItemTest, AHelpItemPulsesOnceTheBoardIsIdle) {
    CSpoon* spoon = Landed(Make<CSpoon>());
    spoon->help = true;
    for (const auto& [idleTicks, pulsing] : {std::pair{420u, false}, std::pair{421u, true}}) {
        board->lastClearTick = App.tickCount - idleTicks;
        DrawAll();
        const float zoom = spoon->picture->zoom;
        EXPECT_EQ(pulsing ? zoom >= 1.2f && zoom <= 1.7f : zoom == 1.0f, true) << idleTicks;
    }
}

// A dropped item slides out from behind the crown's line; one on the ground shows its selected
// picture under the mouse.
TEST_F(CItemTest, DroppedItemsSlideOutAndLandedOnesShowWhenPointedAt) {
    CSoap* soap = Make<CSoap>();
    tree().ThrowItem(soap);
    Updates(4);
    ASSERT_EQ(static_cast<int>(soap->y), CItem::SlideLine + 12);
    DrawAll();
    const int x = static_cast<int>(soap->x) + 5;
    const int line = CItem::SlideLine + ItemSize;
    for (const auto& [y, shown] : {std::pair{line - 1, false}, {line + 11, true}, {line + 12, false}}) {
        EXPECT_EQ(RgbAt(x, y) == Rgb(ItemColour), shown) << y;
    }
    Updates(12);
    ASSERT_TRUE(soap->Landed());
    const int cornerX = static_cast<int>(soap->x) - 5;
    const int cornerY = static_cast<int>(soap->y) - 5;
    for (const bool pointed : {false, true}) {
        input.MoveMouse(pointed ? cornerX + 10 : 5, pointed ? cornerY + 10 : 5);
        DrawAll();
        EXPECT_EQ(RgbAt(cornerX, cornerY) == Rgb(SelectedColour), pointed);
    }
}

}  // namespace
