#include <algorithm>
#include <numeric>
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
        timer.paused = true;
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

    // The steps at which the cells show, in order; holes have none.
    std::vector<int32_t> Steps() const {
        std::vector<int32_t> steps;
        for (int c = 0; c < board->width; ++c) {
            for (int r = 0; r < board->height; ++r) {
                const int32_t step = effects->order[static_cast<size_t>(c)][static_cast<size_t>(r)];
                if (step >= 0) {
                    steps.push_back(step);
                }
            }
        }
        std::sort(steps.begin(), steps.end());
        return steps;
    }

    int Shown() const {
        const std::vector<int32_t> steps = Steps();
        return static_cast<int>(std::upper_bound(steps.begin(), steps.end(), effects->counter) -
                                steps.begin());
    }

    void Updates(int count) { Ticks(2 * count); }

    CBoardEffects* effects = nullptr;
};

TEST_F(CBoardEffectsTest, EveryCellGetsItsOwnStepAfterTheDelay) {
    StartLevel({"XX.X", "XXXX"});
    EXPECT_EQ(effects->total, CBoardEffects::RevealDelay + 7);
    EXPECT_EQ(effects->counter, 0);
    EXPECT_EQ(effects->order[2][0], -1);
    std::vector<int32_t> expected(7);
    std::iota(expected.begin(), expected.end(), CBoardEffects::RevealDelay);
    EXPECT_EQ(Steps(), expected);
}

TEST_F(CBoardEffectsTest, OneCellEveryTwoTicksThenPlayStarts) {
    StartLevel(Filled(10, 8));
    ASSERT_EQ(effects->total, 140);  // 60 updates of waiting, then 80 cells
    Updates(59);
    EXPECT_EQ(Shown(), 0);
    Updates(1);
    EXPECT_EQ(Shown(), 1);
    DrawTree();
    int drawn = 0;
    for (int c = 0; c < 10; ++c) {
        for (int r = 0; r < 8; ++r) {
            drawn += RgbAt(board->SquareX(c) + 40, board->SquareY(r) + 40) == Rgb(SquareColour) ? 1 : 0;
        }
    }
    EXPECT_EQ(drawn, 1);

    Updates(78);
    EXPECT_EQ(Shown(), 79);
    Updates(1);  // update 139 shows the last cell
    EXPECT_EQ(Shown(), 80);
    Updates(1);
    EXPECT_TRUE(Running());
    EXPECT_FALSE(board->active);
    Updates(1);  // update 141 (tick 282) ends it
    EXPECT_FALSE(Running());
    EXPECT_TRUE(board->active);
    EXPECT_FALSE(timer.paused);
}

TEST_F(CBoardEffectsTest, APressSkipsToTheEnd) {
    StartLevel({"XXX", "XXX"});
    input.SetButton(true);
    Tick();
    EXPECT_TRUE(Running());
    Tick();
    EXPECT_FALSE(Running());
    EXPECT_TRUE(board->active);
    EXPECT_FALSE(timer.paused);
}

}  // namespace
