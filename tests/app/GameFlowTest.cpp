#include <gtest/gtest.h>

#include <string>

#include "app/LauncherFixture.h"
#include "engine/Input.h"
#include "flow/CEndScreen.h"
#include "flow/CWorldPresentation.h"
#include "flow/ProgressFile.h"

namespace {

// The whole game from a direct start.
class GameFlowTest : public LauncherTest {
protected:
    void StartAt(int world, int stage) {
        App.intOptions = {{"world", world}, {"stage", stage}};
        Launch();
        root->Update();  // the launcher's first update makes the game
    }
    template <class Screen>
    bool Shows() const {
        for (CGameObject* child : root->Children()) {
            if (dynamic_cast<Screen*>(child) != nullptr) {
                return true;
            }
        }
        return false;
    }
    // Past the world presentation (a press) and the reveal, into play.
    void ReachPlay() {
        if (Shows<CWorldPresentation>()) {
            Tick();
            Press(5, 5);
        }
        for (int i = 0; i < 3000 && !Game().board.active; ++i) {
            Tick();
        }
        ASSERT_TRUE(Game().board.active);
    }
    // Clears the row, then holds the button once the banner may end.
    void ClearLevel() {
        ReachPlay();
        const CBoard& board = Game().board;
        Press(board.SquareX(1) + 40, board.SquareY(0) + 40);
        for (int i = 0; i < 200 && !Game().bannerCentre.active; ++i) {
            Tick();
        }
        ASSERT_TRUE(Game().bannerCentre.active);
        Ticks(100);
        Press(5, 5);
    }
    // The time runs out; the game-over banner is left to end on its own.
    void LoseLevel() {
        ReachPlay();
        Game().timer.remaining = 0;
        Ticks(502);
        ASSERT_TRUE(Game().gameOverMenu.active);
        ASSERT_FALSE(Game().bannerCentre.active);
    }
    int32_t Progress(int world) {
        ProgressFile progress;
        std::string error;
        EXPECT_TRUE(progress.Read("world.dat", error)) << error;
        return progress.Entry(world);
    }
};

// The next stage is saved and begun; a completed world is saved as stage 1 with the next one,
// which opens with its presentation; the last level brings the end screen and saves nothing.
TEST_F(GameFlowTest, AClearedLevelSavesAndBeginsTheNext) {
    struct Case {
        int world, stage, nextWorld, nextStage;
        bool presentation;
    };
    for (const Case& test : {Case{1, 1, 1, 2, false}, Case{3, 5, 4, 1, true}}) {
        SCOPED_TRACE(testing::Message() << test.world << "-" << test.stage);
        std::filesystem::remove("world.dat");
        StartAt(test.world, test.stage);
        ClearLevel();
        EXPECT_EQ(Game().world, test.nextWorld);
        EXPECT_EQ(Game().stage, test.nextStage);
        EXPECT_EQ(Shows<CWorldPresentation>(), test.presentation);
        EXPECT_EQ(Progress(test.nextWorld), test.nextStage);
        if (test.nextWorld != test.world) {
            EXPECT_EQ(Progress(test.world), 1);
        }
    }
    std::filesystem::remove("world.dat");
    StartAt(8, 5);
    ClearLevel();
    EXPECT_TRUE(Shows<CEndScreen>());
    EXPECT_FALSE(Game().active);
    EXPECT_FALSE(std::filesystem::exists("world.dat"));
}

// RESTART WORLD saves the world as stage 1 and restarts there; RESTART LEVEL on a first stage
// shows the world's presentation again, elsewhere only the stage title; GO TO MAIN ends the game
// with the items still in the trees.
TEST_F(GameFlowTest, TheGameOverChoicesRestartOrLeave) {
    struct Case {
        int stage;
        int row;  // of the menu: 1 RESTART LEVEL, 2 RESTART WORLD, 3 GO TO MAIN
        int stageAfter;
        bool presentation;
        int32_t saved;
    };
    const Case cases[] = {{4, 2, 1, true, 1}, {1, 1, 1, true, 0}, {3, 1, 3, false, 0}, {3, 3, 3, false, 0}};
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << "stage " << test.stage << " row " << test.row);
        std::filesystem::remove("world.dat");
        StartAt(2, test.stage);
        LoseLevel();
        Game().background.leftTree.PutInSlot(1, Game().MakeItemOfType(ItemType::Clock));
        Press(250, 220 + 50 * (test.row - 1) + 10);
        EXPECT_EQ(Game().active, test.row != 3);
        EXPECT_EQ(Game().stage, test.stageAfter);
        EXPECT_EQ(Shows<CWorldPresentation>(), test.presentation);
        EXPECT_EQ(std::filesystem::exists("world.dat") ? Progress(2) : 0, test.saved);
        EXPECT_EQ(Game().background.leftTree.slotA != nullptr, test.row == 3);
    }
}

// Under the level-cleared banner the bar is halted: running out then is no game over.
TEST_F(GameFlowTest, TimeRunningOutUnderTheClearedBannerIsNoGameOver) {
    StartAt(1, 2);
    ReachPlay();
    Press(Game().board.SquareX(1) + 40, Game().board.SquareY(0) + 40);
    Ticks(50);
    ASSERT_TRUE(Game().bannerCentre.active);
    Game().timer.remaining = 0;
    Ticks(600);
    EXPECT_FALSE(Game().gameOverMenu.active);
    EXPECT_EQ(Game().stage, 3);  // the banner ended on its own and the next level began
}

// A malformed level names its file and line and gives way to world 1 stage 1.
TEST_F(GameFlowTest, AMalformedLevelFallsBackToTheFirst) {
    WriteLevel(1, 1, "XXXXX\n#\nTIME: 60\nCELLS_NORMAL: F\n");
    WriteLevel(2, 3, "XX\n#\nTIME : 60\nCELLS_NORMAL: F\n");
    testing::internal::CaptureStderr();
    StartAt(2, 3);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("level2-3.txt:3:"), std::string::npos) << said;
    EXPECT_EQ(Game().board.width, 5);
}

}  // namespace
