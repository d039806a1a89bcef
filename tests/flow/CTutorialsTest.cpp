#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "core/App.h"
#include "engine/Input.h"
#include "engine/InputSeam.h"
#include "engine/ScreenPixels.h"
#include "engine/ScriptedInput.h"
#include "engine/TrueTypeFont.h"
#include "flow/CGame.h"
#include "flow/TutorialSwitch.h"
#include "game/CItem.h"
#include "support/GLTestWindow.h"

namespace {

// The real game on the build's data, its mouse scripted, a level of three frogs in a row.
class CTutorialsTest : public GLTestWindow {
protected:
    void SetUp() override {
        GLTestWindow::SetUp();
        SetInputSeam(&input);
        input.MoveMouse(20, 20);  // over no cell and no button
        App.intOptions.clear();
        game = std::make_unique<CGame>();
        game->MakeRoot();
        App.root = game.get();
    }
    void TearDown() override {
        game.reset();
        App.root = nullptr;
        tutorialsOn = true;
        SetInputSeam(nullptr);
        ShutDownApp();
    }

    // A game from the menus at world and stage, played until its first tick of play.
    void Play(int world, int stage) {
        std::ofstream(levels.File("level" + std::to_string(world) + "-" + std::to_string(stage) + ".txt"))
            << "XXX\n\nCELLS_NORMAL:F\nTIME:8\n";
        game->levelFolder = levels.Path();
        game->Start(world, stage);
        game->SetActive(true);  // as the launcher does, under the world presentation
        for (int i = 0; i < 2000 && !game->board.active; ++i) {
            Tick();
        }
        ASSERT_TRUE(game->board.active);
    }
    void Tick() {
        game->Tick();
        game->UpdateChildren();
        App.mouseDown = IsMouseButtonDown();
        ++App.tickCount;
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }
    // Pressed for a tick and let go: two ticks.
    void Click() {
        input.SetButton(true);
        Tick();
        input.SetButton(false);
        Tick();
    }
    void ClosePage() {
        Ticks(tutorials().hold);
        Click();
        ASSERT_EQ(tutorials().shown, 0);
    }
    CTutorials& tutorials() { return game->tutorials; }

    ScriptedInput input;
    TempDir levels;
    std::unique_ptr<CGame> game;
};

TEST_F(CTutorialsTest, TheWelcomeComesAfterTwoSecondsOfPlayHaltsTheBarAndRefusesEarlyClicks) {
    Play(1, 1);
    DrawTree();
    const RGBA underPanel = ReadPixel(400, 150);
    int ticksOfPlay = 0;
    for (; ticksOfPlay < 300 && !tutorials().IsShowing(); ++ticksOfPlay) {
        EXPECT_EQ(tutorials().shown, 1);
        Tick();
    }
    EXPECT_EQ(ticksOfPlay, 120);
    EXPECT_LT(game->timer.remaining, game->timer.BarWidth());
    DrawTree();
    EXPECT_NE(ReadPixel(400, 150), underPanel);

    const int32_t halted = game->timer.remaining;
    while (tutorials().hold > 1) {
        Click();
        ASSERT_TRUE(tutorials().IsShowing()) << "hold " << tutorials().hold;
    }
    EXPECT_EQ(game->timer.remaining, halted);
    ClosePage();
    Ticks(100);
    EXPECT_LT(game->timer.remaining, halted);
}

// A page that comes over a lost level leaves the empty bar halted when closed, or the level
// would be lost a second time.
TEST_F(CTutorialsTest, ClosingAPageAfterTheTimeRanOutKeepsTheBarHalted) {
    Play(1, 1);
    game->timer.remaining = 0;
    Tick();
    ASSERT_TRUE(game->gameOverMenu.active);
    ClosePage();
    EXPECT_TRUE(game->timer.paused);
}

// Each spoon thrown brings its page until one is used; then the well-done sign plays and the
// page is retired. An event while a page waits is lost, not kept for later.
TEST_F(CTutorialsTest, TheSpoonsPageReturnsUntilASpoonIsUsed) {
    Play(1, 4);
    game->itemChances = {0, 0, 0, 0, 0, 100, 0, 0};
    std::vector<std::unique_ptr<CItem>> spoons;
    for (int thrown = 0; thrown < 2; ++thrown) {
        spoons.emplace_back(game->MakeItem());
        EXPECT_EQ(tutorials().shown, 13);
        tutorials().NotifyTutorials(1, ItemType::Eddy, -1);
        ClosePage();
    }
    spoons.front()->Use();
    Tick();
    EXPECT_EQ(tutorials().wellDone.current, &tutorials().wellDone.steps.front());
    spoons.emplace_back(game->MakeItem());
    EXPECT_EQ(tutorials().shown, 0);
    tutorials().NotifyTutorials(1, ItemType::Eddy, -1);
    EXPECT_EQ(tutorials().shown, 14);
}

TEST_F(CTutorialsTest, WithTutorialsOffNothingShows) {
    tutorialsOn = false;
    Play(1, 1);
    tutorials().entries[17].enabled = true;  // a spoon's page was closed once
    tutorials().NotifyTutorials(2, ItemType::Spoon, -1);
    Ticks(300);
    EXPECT_EQ(tutorials().shown, 0);
    EXPECT_EQ(tutorials().wellDone.current, nullptr);
}

// Which event opens which page in which world; a new bubble or virus whose item waits in a tree
// counts as that item thrown.
TEST_F(CTutorialsTest, EachWorldHasItsPages) {
    const struct {
        int world, category, index, related, page;
    } cases[] = {
        {1, 0, 1, -1, 1},  {1, 0, 2, -1, 2}, {1, 0, 3, -1, 18}, {1, 5, -1, -1, 16}, {1, 1, 5, -1, 13},
        {2, 1, 7, -1, 14}, {2, 0, 1, -1, 0}, {3, 1, 0, -1, 3},  {3, 4, 1, 2, 7},    {3, 1, 2, 1, 7},
        {3, 4, 1, -1, 0},  {3, 1, 2, -1, 0}, {4, 4, 0, -1, 11}, {4, 1, 3, -1, 9},   {6, 4, 2, 1, 5},
        {6, 1, 1, 2, 5},   {6, 1, 1, -1, 0}, {7, 1, 6, -1, 12}, {5, 0, 1, -1, 0},   {8, 1, 5, -1, 0},
        {-1, 0, 1, -1, 0},
    };
    for (const auto& c : cases) {
        tutorials().Build(c.world);
        tutorials().shown = 0;
        tutorials().NotifyTutorials(c.category, c.index, c.related);
        EXPECT_EQ(tutorials().shown, c.page)
            << "world " << c.world << " event " << c.category << " " << c.index << " " << c.related;
    }
}

// The lines of a page are the font's line height and 5 pixels apart, centred as a block.
TEST_F(CTutorialsTest, ALineBreakMovesDownALine) {
    TrueTypeFont& font = *tutorials().font;
    const int line = font.GetLineHeight() + CTutorials::LineGap;
    CTutorials::DrawPageText(font, "I\nI");
    const std::vector<uint8_t> page = ReadScreenPixels(800, 600);
    ClearTo(0, 0, 0);
    const int top = (CTutorials::TextHeight - 2 * line) / 2 + CTutorials::TextTop;
    font.DrawText("I", CTutorials::TextX, top, 0);
    font.DrawText("I", CTutorials::TextX, top + line, 0);
    EXPECT_EQ(ReadScreenPixels(800, 600), page);
}

}  // namespace
