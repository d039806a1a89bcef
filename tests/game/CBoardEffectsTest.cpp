#include <string>

#include "game/BoardFixture.h"
#include "game/CBoardEffects.h"

namespace {

class CBoardEffectsTest : public BoardTest {
protected:
    // A level start as the game runs it: the board filled and waiting, the clock paused.
    void StartLevel(const Rows& grid) {
        std::string error;
        ASSERT_TRUE(board->generator.SetPets("FKPM", error));
        LoadGrid(grid);
        ASSERT_TRUE(board->Fill(error)) << error;
        board->SetActive(false);
        timer().paused = true;
        effects = new CBoardEffects();
        game.AddChild(effects);
        effects->Init(1, 1);
    }

    void TearDown() override {
        if (effects != nullptr && Running()) {
            game.RemoveChild(effects);
            delete effects;
        }
        BoardTest::TearDown();
    }

    bool Running() const { return game.HasChild(effects); }

    // The squares on screen.
    int Shown() {
        DrawTree();
        int shown = 0;
        for (int c = 0; c < board->width; ++c) {
            for (int r = 0; r < board->height; ++r) {
                shown += RgbAt(board->SquareX(c) + 40, board->SquareY(r) + 40) == Rgb(SquareColour) ? 1 : 0;
            }
        }
        return shown;
    }

    CBoardEffects* effects = nullptr;
};

// The reveal updates every second tick: after 60 updates of waiting, one more cell an update.
TEST_F(CBoardEffectsTest, OneCellEveryTwoTicksAfterTheDelayThenPlayStarts) {
    StartLevel({"XXXX", "XX.X", "XXXX"});
    Ticks(2 * (CBoardEffects::RevealDelay - 1));
    for (int shown = 0; shown <= 11; ++shown) {
        EXPECT_EQ(Shown(), shown);
        Ticks(2);
    }
    EXPECT_TRUE(Running());
    EXPECT_FALSE(board->active);
    Ticks(2);  // update 72 (tick 144) ends it
    EXPECT_FALSE(Running());
    EXPECT_TRUE(board->active);
    EXPECT_FALSE(timer().paused);
}

TEST_F(CBoardEffectsTest, APressSkipsToTheEnd) {
    StartLevel({"XXX", "XXX"});
    input.SetButton(true);
    Tick();
    EXPECT_TRUE(Running());
    Tick();
    EXPECT_FALSE(Running());
    EXPECT_TRUE(board->active);
    EXPECT_FALSE(timer().paused);
}

}  // namespace
