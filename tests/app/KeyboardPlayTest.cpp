#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/KeyboardPlay.h"
#include "app/LauncherFixture.h"
#include "flow/TutorialSwitch.h"
#include "game/CCell.h"
#include "game/CItem.h"
#include "menu/CMenuBack.h"
#include "ui/CCustomPointer.h"

namespace {

// The real launcher played from the keyboard alone, keyboard play ticking as the main loop has it.
class KeyboardPlayTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        tutorialsOn = false;
        input.MoveMouse(5, 5);
    }
    void TearDown() override {
        tutorialsOn = true;
        LauncherTest::TearDown();
    }
    void Run(int ticks) {
        for (int i = 0; i < ticks; ++i) {
            keys.Tick(*root);
            Tick();
        }
    }
    void Tap(int key, int heldTicks = 1) {
        input.SetKey(key, true);
        Run(heldTicks);
        input.SetKey(key, false);
        Run(10);
    }
    void StartLevel(const std::string& rows) {
        WriteLevel(1, 1, rows + "#\nTIME: 60\nCELLS_NORMAL: F\n");
        App.intOptions = {{"world", 1}, {"stage", 1}};
        Launch();
        root->Update();
        ReachPlay();
    }
    // Enter clicks the world presentation away.
    void ReachPlay() {
        for (int i = 0; i < 3000 && !Game().board.active; ++i) {
            if (i % 100 == 50) {
                Tap(KeyEnter);
            }
            Run(1);
        }
        ASSERT_TRUE(Game().board.active);
    }
    // Enter clicks the intro away.
    void ReachMenu() {
        Launch();
        Run(5);
        Tap(KeyEnter);
        for (int i = 0; i < 1000 && !(root->menuBack != nullptr && root->menuBack->active); ++i) {
            Run(1);
        }
        ASSERT_TRUE(root->menuBack != nullptr && root->menuBack->active);
        Run(25);
    }
    std::pair<int, int> PointedCell() {
        int column = -1;
        int row = -1;
        Game().board.CellAtMouse(column, row);
        return {column, row};
    }

    KeyboardPlay keys;
};

// The first arrow shows the cursor at the cell nearest the middle; arrows skip holes and stop at
// the edge; a held arrow repeats after 400 ms, then every 100 ms.
TEST_F(KeyboardPlayTest, ArrowsWalkTheCellsThatExist) {
    StartLevel("XXXXXXXX\nX.XXXXXX\nXXXXXXXX\n");
    const struct {
        int key;
        int heldTicks;
        std::pair<int, int> cell;
    } steps[] = {
        {KeyDown, 1, {3, 1}},  {KeyLeft, 1, {2, 1}},   {KeyLeft, 1, {0, 1}},   {KeyLeft, 1, {0, 1}},
        {KeyUp, 1, {0, 0}},    {KeyRight, 24, {1, 0}}, {KeyRight, 25, {3, 0}}, {KeyRight, 36, {6, 0}},
        {KeyRight, 1, {7, 0}}, {KeyRight, 1, {7, 0}},  {KeyDown, 1, {7, 1}},
    };
    for (const auto& step : steps) {
        Tap(step.key, step.heldTicks);
        EXPECT_EQ(PointedCell(), step.cell) << "after key " << step.key << " held " << step.heldTicks;
    }
}

// Enter on a cell of a set clears it, as a click does; Alt+Enter is the window's and clicks nothing.
TEST_F(KeyboardPlayTest, EnterClearsTheSetUnderTheCursorButNotWithAlt) {
    StartLevel("XXX\n");
    Tap(KeyRight);
    input.SetKey(KeyAlt, true);
    Tap(KeyEnter);
    input.SetKey(KeyAlt, false);
    Run(60);
    EXPECT_FALSE(Game().board.IsCleared());
    Tap(KeyEnter);
    EXPECT_TRUE(Game().board.AnyCellInState(CellState::Clearing));
}

// Tab reaches the item lying in a tree and Enter takes it, whatever the tree's phase, without
// using it on the cell under the cursor; then the arrows and Enter use it on that cell.
TEST_F(KeyboardPlayTest, TabTakesAnItemThatEnterThenUsesOnTheBoard) {
    StartLevel("XXX\nXXX\n");
    CTree& tree = Game().background.leftTree;
    auto* pointer = dynamic_cast<CCustomPointer*>(App.pointer);
    ASSERT_NE(pointer, nullptr);
    Tap(KeyDown);  // the cursor on (1, 0)
    for (int phase = 0; phase < CTree::TicksPerUpdate; ++phase) {
        pointer->DropHeld();
        tree.ThrowItem(Game().MakeItemOfType(ItemType::Spoon));
        Run(16 * CTree::TicksPerUpdate + phase);
        const CItem* item = tree.slotA != nullptr ? tree.slotA : tree.slotB;
        ASSERT_TRUE(item != nullptr && item->Landed()) << "phase " << phase;
        Tap(KeyTab);
        Tap(KeyEnter);
        ASSERT_EQ(pointer->heldType, ItemType::Spoon) << "phase " << phase;
        ASSERT_FALSE(Game().board.AnyCellInState(CellState::Clearing)) << "phase " << phase;
    }
    Tap(KeyUp);
    Tap(KeyEnter);
    EXPECT_EQ(pointer->heldType, ItemType::None);
    EXPECT_EQ(Game().board.CellAt(1, 0)->state, CellState::Clearing);
}

// From the intro to play without the mouse: NEW GAME, then world 1.
TEST_F(KeyboardPlayTest, TheMenusWalkedWithArrowsAndEnterStartAGame) {
    ReachMenu();
    Tap(KeyDown);  // the first arrow points at the first button, NEW GAME
    Tap(KeyEnter);
    Run(60);
    ASSERT_TRUE(root->menuBack->menuBase.chooseWorld.active);
    Tap(KeyRight);
    Tap(KeyEnter);
    ASSERT_TRUE(Game().active);
    EXPECT_EQ(Game().world, 1);
    ReachPlay();
}

// The arrows go down the options in screen order, and left and right step a slider by tenths.
TEST_F(KeyboardPlayTest, TheOptionsAreWalkedInScreenOrderAndSlidersStepInTenths) {
    ReachMenu();
    Tap(KeyDown);
    Tap(KeyDown);
    Tap(KeyEnter);
    Run(60);
    COptions& options = root->menuBack->menuBase.options;
    ASSERT_TRUE(options.active);
    options.soundBar.SetValue(0.55f);
    const int barMiddle = options.soundBar.bar->height / 2;
    const struct {
        int key;
        int pointerY;
        float sound;
    } steps[] = {
        {KeyDown, options.soundBar.y + barMiddle, 0.55f},
        {KeyLeft, options.soundBar.y + barMiddle, 0.5f},
        {KeyLeft, options.soundBar.y + barMiddle, 0.4f},
        {KeyDown, options.musicBar.y + barMiddle, 0.4f},
        {KeyDown, 325 + 20 + 43 / 2, 0.4f},  // the full-screen box
        {KeyDown, 375 + 20 + 43 / 2, 0.4f},  // the tutorials box
        {KeyDown, options.backButton.y + options.backButton.idleFace->height / 2, 0.4f},
        {KeyDown, options.backButton.y + options.backButton.idleFace->height / 2, 0.4f},
    };
    for (const auto& step : steps) {
        Tap(step.key);
        EXPECT_EQ(GetMouseY(), step.pointerY) << "after key " << step.key;
        EXPECT_NEAR(options.soundBar.value, step.sound, 1e-5f);
    }
}

}  // namespace
