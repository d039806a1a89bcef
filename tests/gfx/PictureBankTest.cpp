#include <filesystem>
#include <vector>

#include "core/App.h"
#include "gfx/PictureBank.h"
#include "gfx/ToolkitFixture.h"

namespace {

constexpr uint32_t White = PackRGBA(255, 255, 255);

using PictureBankTest = ToolkitTest;

TEST_F(PictureBankTest, LoadFramesSkipsMissingFramesInOrder) {
    for (int i = 0; i < 12; ++i) {
        if (i != 3 && i != 7) {
            // The width tells the frame.
            WriteSolid("data/gfx/fx/twister" + std::to_string(i) + ".png", i + 1, 2, White);
        }
    }
    WriteSolid("data/gfx/fx/twister01.png", 50, 2, White);  // numbers are not padded
    std::vector<Sprite*> frames = LoadFrames("data\\gfx\\fx\\twister{xx}.png", 12);
    const int expected[] = {0, 1, 2, 4, 5, 6, 8, 9, 10, 11};
    ASSERT_EQ(frames.size(), std::size(expected));
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i]->width, expected[i] + 1);
        EXPECT_EQ(frames[i]->path, "data\\gfx\\fx\\twister" + std::to_string(expected[i]) + ".png");
    }
    EXPECT_EQ(App.pictures->Size(), frames.size());

    // Only the first marker is replaced.
    WriteSolid("a0b{xx}.png", 3, 3, White);
    frames = LoadFrames("a{xx}b{xx}.png", 2);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->path, "a0b{xx}.png");
}

TEST_F(PictureBankTest, APathIsLoadedOnceUnderTheKeyAsWritten) {
    bool failed = false;
    EXPECT_EQ(App.pictures->Load("data/gfx/logo.png", &failed), nullptr);
    EXPECT_TRUE(failed);
    EXPECT_FALSE(App.pictures->Has("data/gfx/logo.png"));  // a failure enters nothing

    WriteSolid("data/gfx/logo.png", 4, 4, White);
    Sprite* first = App.pictures->Load("data/gfx/logo.png", &failed);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(failed);
    // Gone from the disk: a second load must not touch the file again.
    std::filesystem::remove(temp.File("data/gfx/logo.png"));
    EXPECT_EQ(App.pictures->Load("data/gfx/logo.png", &failed), first);
    EXPECT_FALSE(failed);
    EXPECT_EQ(App.pictures->Size(), 1u);

    WriteSolid("data/gfx/logo.png", 4, 4, White);
    Sprite* other = App.pictures->Load("data\\gfx\\logo.png");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other->picture, first->picture);
    EXPECT_EQ(App.pictures->Size(), 2u);
}

TEST_F(PictureBankTest, PutReplacesAndAddCopyHoldsAnIndependentPicture) {
    WriteSolid("data/buttons.png", 30, 10, PackRGBA(0, 255, 0));
    for (int i = 0; i < 2; ++i) {
        auto sprite = std::make_unique<Sprite>();
        ASSERT_TRUE(sprite->Load("data/buttons.png"));
        Sprite* kept = sprite.get();
        App.pictures->Put("thing", std::move(sprite));
        EXPECT_EQ(App.pictures->Get("thing"), kept);
    }
    EXPECT_EQ(App.pictures->Size(), 1u);

    auto sheet = std::make_unique<Sprite>();
    ASSERT_TRUE(sheet->Load("data\\buttons.png"));
    sheet->SetSource(10, 0, 10, 10);
    App.pictures->AddCopy("buttonover", *sheet);
    Sprite* copy = App.pictures->Get("buttonover");
    EXPECT_NE(copy->picture, sheet->picture);
    EXPECT_EQ(copy->srcX, 10);
    // Neither a tint on the source's picture nor the source's end reaches the copy.
    sheet->SetColour(0.0f, 0.0f, 0.0f, 1.0f);
    sheet->Draw(0, 0);
    sheet.reset();
    copy->Draw(100, 0);
    EXPECT_EQ(ReadPixel(5, 5), (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(105, 5), (RGBA{0, 255, 0, 255}));
}

using PictureBankDeathTest = PictureBankTest;

TEST_F(PictureBankDeathTest, UnknownNamesAndMissingPicturesWithoutAFlagAreFatalAndNamed) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(App.pictures->Get("buttonidle"), ::testing::ExitedWithCode(1), "buttonidle");
    EXPECT_EXIT(App.pictures->Load("data/gfx/nothere.png"), ::testing::ExitedWithCode(1),
                "data/gfx/nothere\\.png");
}

}  // namespace
