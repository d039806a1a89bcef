#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/App.h"
#include "core/Random.h"
#include "engine/InputSeam.h"
#include "engine/ScriptedInput.h"
#include "flow/CGame.h"
#include "flow/LevelFile.h"
#include "game/BoardScale.h"
#include "game/CItem.h"
#include "game/CellKinds.h"
#include "support/GLTestWindow.h"

namespace {

// The real play screen on the data the build makes, its mouse scripted.
class CGameTest : public GLTestWindow {
protected:
    void SetUp() override {
        GLTestWindow::SetUp();
        SetInputSeam(&input);
        input.MoveMouse(400, 20);
        App.intOptions.clear();
        boardScale = 1.0f;
        game = std::make_unique<CGame>();
        game->MakeRoot();
    }
    void TearDown() override {
        game.reset();
        SetInputSeam(nullptr);
        ShutDownApp();
    }

    static LevelFile Level(const std::string& text) {
        LevelFile level;
        std::string error;
        EXPECT_TRUE(level.Parse(text, "level.txt", error)) << error;
        return level;
    }
    // A new game on the level text, as world 1 stage 2 (no world presentation).
    void Begin(const std::string& text) {
        std::ofstream(levels.File("level1-2.txt")) << text;
        game->levelFolder = levels.Path();
        game->Start(1, 2);
    }
    void Tick() {
        game->Tick();
        game->UpdateChildren();
        ++App.tickCount;
    }
    void PlayPastReveal() {
        for (int i = 0; i < 2000 && !game->board.active; ++i) {
            Tick();
        }
        ASSERT_TRUE(game->board.active);
    }

    ScriptedInput input;
    TempDir levels;
    std::unique_ptr<CGame> game;
};

// r = rand() mod 100 picks the first type whose running sum of chances exceeds it; type 4
// ("no item") is never made, and chances under 100 leave the rest of the draws empty.
TEST_F(CGameTest, TheItemRollWalksTheRunningSums) {
    Begin("XXX\n\nCELLS_NORMAL:S\n");
    const std::vector<std::array<int32_t, CGame::ItemTypes>> tables = {
        {10, 10, 0, 0, 0, 0, 0, 0}, {10, 0, 5, 0, 0, 0, 0, 0}, {0, 0, 0, 30, 0, 30, 0, 40}, {}};
    for (const auto& chances : tables) {
        game->itemChances = chances;
        for (uint32_t seed = 0; seed < 300; ++seed) {
            SeedRandom(seed);
            const int roll = RandomDraw() % 100;
            int expected = CGame::ItemTypes;
            for (int type = 0, sum = 0; type < CGame::ItemTypes && expected == CGame::ItemTypes; ++type) {
                sum += chances[static_cast<size_t>(type)];
                expected = roll < sum ? type : expected;
            }
            SeedRandom(seed);
            std::unique_ptr<CItem> item(game->MakeItem());
            ASSERT_EQ(item ? item->GetType() : CGame::ItemTypes, expected) << "roll " << roll;
            if (auto* noPet = dynamic_cast<CNoPet*>(item.get())) {
                EXPECT_EQ(noPet->petKind, 6);  // the level's only pet, the snake
            }
        }
    }
    game->bannerCentre.SetActive(true);  // the level is over: no more items
    EXPECT_EQ(game->MakeItem(), nullptr);
}

// Keys a level leaves out keep what the last level set, item chances excepted; a new game
// starts at scale 1 again; every level starts on a full bar.
TEST_F(CGameTest, ALevelCarriesOverTheKeysItLeavesOut) {
    Begin("XXXX\n\nSCALE:80\nTIME:90\nCELLS_NORMAL:FK\nPROB_CLOCK:30\nTIMEVIRUS:4\nPROB_STAR:7\n");
    EXPECT_EQ(game->timer.TicksPerPixel(), 90 * 60 / game->timer.BarWidth());
    game->timer.remaining = 3;
    std::string error;
    ASSERT_TRUE(game->ApplyLevel(Level("XX\n\nPROB_SOAP:5\n"), error)) << error;
    EXPECT_FLOAT_EQ(boardScale, 0.8f);
    EXPECT_EQ(game->itemChances, (std::array<int32_t, 8>{0, 0, 5, 0, 0, 0, 0, 0}));
    EXPECT_EQ(game->board.generator.petCount, 2);
    EXPECT_EQ(game->board.generator.probStar, 7);
    EXPECT_EQ(game->board.virusSpread.period, 4);
    EXPECT_EQ(game->timer.remaining, game->timer.BarWidth());
    EXPECT_EQ(game->timer.TicksPerPixel(), 90 * 60 / game->timer.BarWidth());
    EXPECT_EQ(game->board.width, 2);
    Begin("XX\n\nTIME:60\n");
    EXPECT_FLOAT_EQ(boardScale, 1.0f);
}

// What only the game can tell is refused with the line, and nothing of the level is applied.
TEST_F(CGameTest, ARefusedLevelNamesTheLineAndChangesNothing) {
    const std::pair<std::string, std::string> cases[] = {
        {"XXXX\n\nTIME: 60\n", "level.txt:3: the level has no CELLS_NORMAL line naming its pets"},
        {std::string(13, 'X') + "\n\nCELLS_NORMAL:F\nSCALE:100\n",
         "level.txt:4: a grid of 13 x 1 squares at scale 100 does not fit the 800 x 600 screen"},
    };
    for (const auto& [text, message] : cases) {
        std::string error;
        EXPECT_FALSE(game->ApplyLevel(Level(text), error));
        EXPECT_EQ(error, message);
        EXPECT_EQ(game->board.width, 0) << message;
    }
}

// The banner ends the level: cleared squares win, an empty bar during play loses, and once
// a banner shows neither the bar nor the board count any more.
TEST_F(CGameTest, TheLevelEndsWithItsBanner) {
    Begin("XXX\n\nCELLS_NORMAL:FKP\nTIME:60\n");
    PlayPastReveal();
    game->timer.remaining = 0;
    Tick();
    EXPECT_TRUE(game->bannerCentre.active);
    EXPECT_TRUE(game->timer.paused);

    Begin("XXX\n\nTIME:60\n");
    game->bannerCentre.SetActive(false);
    PlayPastReveal();
    game->board.toClear.fill(0);
    Tick();
    ASSERT_TRUE(game->bannerCentre.active);
    game->CountClearedCell();
    EXPECT_EQ(game->clearedCells, 0);
}

// A soap handed back lands where its tree shows items (thrown or dropped), or goes when
// neither tree has room.
TEST_F(CGameTest, AGivenSoapLandsInATreeWithRoom) {
    Begin("XXX\n\nCELLS_NORMAL:FKP\n");
    CTree& left = game->background.leftTree;
    CTree& right = game->background.rightTree;
    const auto landing = [](CItem* item) {
        for (int i = 0; i < 200 && !item->Landed(); ++i) {
            item->Update();
        }
        return std::pair(item->x, item->y);
    };
    for (const int world : {1, 2}) {
        game->background.SetWorld(world, 1);
        left.EmptySlots();
        right.EmptySlots();
        game->GiveSoap();
        CTree& tree = left.slotA != nullptr ? left : right;
        ASSERT_NE(tree.slotA, nullptr);
        const auto given = landing(tree.slotA);
        tree.EmptySlots();
        tree.nextToB = false;  // into slot A, as the soap was
        auto* thrown = new CSoap();
        game->SetParentLink(thrown);
        tree.ThrowItem(thrown);
        EXPECT_EQ(landing(thrown), given) << "world " << world;
    }
    for (CTree* tree : {&left, &right}) {
        tree->EmptySlots();
        while (tree->FreeSlot() != 0) {
            tree->PutInSlot(tree->FreeSlot(), new CClock());
        }
    }
    game->GiveSoap();
    EXPECT_FALSE(left.HasItemOfType(ItemType::Soap) || right.HasItemOfType(ItemType::Soap));
}

}  // namespace
