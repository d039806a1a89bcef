#include <filesystem>
#include <memory>

#include "gfx/CAnimCenter.h"
#include "gfx/ToolkitFixture.h"

namespace {

constexpr uint32_t LevelColour = PackRGBA(250, 0, 0);
constexpr uint32_t ClearedColour = PackRGBA(0, 250, 0);
constexpr uint32_t GameColour = PackRGBA(0, 0, 250);
constexpr uint32_t OverColour = PackRGBA(250, 250, 0);

class CAnimCenterTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/general/level.png", 100, 40, LevelColour);
        WriteSolid("data/gfx/general/cleared.png", 120, 40, ClearedColour);
        WriteSolid("data/gfx/general/game.png", 90, 40, GameColour);
        WriteSolid("data/gfx/general/over.png", 110, 40, OverColour);
        banner = std::make_unique<CAnimCenter>();
        root.AddChild(banner.get());
    }

    std::unique_ptr<CAnimCenter> banner;
};

TEST_F(CAnimCenterTest, BothPicturesSlideInFromTheEdgesToTheirPlaces) {
    banner->Show(CAnimCenter::LevelCleared);
    DrawTree();
    EXPECT_EQ(RgbAt(69, 110), Rgb(LevelColour));  // from 70 - width
    EXPECT_TRUE(IsBlack(ReadPixel(70, 110)));
    EXPECT_TRUE(IsBlack(ReadPixel(799, 110)));  // from the right edge
    Ticks(85);
    DrawTree();
    EXPECT_TRUE(Drawn(LevelColour, 350, 100, 70, 40));  // to 450 - width, under the right picture
    EXPECT_TRUE(Drawn(ClearedColour, 420, 100, 120, 40));

    banner->Show(CAnimCenter::GameOver);
    DrawTree();
    EXPECT_TRUE(IsBlack(ReadPixel(0, 110)));  // from -width: just off screen
    Ticks(85);
    DrawTree();
    EXPECT_TRUE(Drawn(GameColour, 290, 100, 90, 40));  // to 380 - width
    EXPECT_TRUE(Drawn(OverColour, 420, 100, 110, 40));
}

TEST_F(CAnimCenterTest, IsDoneWaitsForTheMinimumThenTheClickOrTheTimeout) {
    banner->Show(CAnimCenter::LevelCleared);
    input.SetButton(true);
    Ticks(99);
    EXPECT_FALSE(banner->IsDone());
    Tick();
    EXPECT_TRUE(banner->IsDone());
    input.SetButton(false);
    Ticks(400);
    EXPECT_FALSE(banner->IsDone());
    Tick();
    EXPECT_TRUE(banner->IsDone());

    // A new banner counts from its own start; an inactive one does not count.
    banner->Show(CAnimCenter::GameOver);
    EXPECT_FALSE(banner->IsDone());
    banner->SetActive(false);
    Ticks(600);
    EXPECT_FALSE(banner->IsDone());
}

using CAnimCenterDeathTest = CAnimCenterTest;

TEST_F(CAnimCenterDeathTest, AMissingPictureIsFatalAndNamed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::filesystem::remove(temp.File("data/gfx/general/cleared.png"));
    EXPECT_EXIT(CAnimCenter(), ::testing::ExitedWithCode(1), "cleared\\.png");
}

}  // namespace
