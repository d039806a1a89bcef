#include <gmock/gmock.h>

#include <filesystem>
#include <vector>

#include "core/App.h"
#include "engine/GLPicture.h"
#include "gfx/PictureBank.h"
#include "gfx/ToolkitFixture.h"

namespace {

using PictureBankTest = ToolkitTest;

TEST_F(PictureBankTest, LoadFramesNumbersTheFirstMarkerUnpaddedAndSkipsMissingFrames) {
    for (int i : {0, 1, 2, 4, 10}) {
        WriteSolid("data/gfx/fx/twister" + std::to_string(i) + ".png", i + 1, 2, White);  // width i + 1
    }
    WriteSolid("data/gfx/fx/twister01.png", 50, 2, White);
    std::vector<int> widths;
    for (const Sprite* frame : LoadFrames("data\\gfx\\fx\\twister{xx}.png", 11)) {
        widths.push_back(frame->width);
    }
    EXPECT_THAT(widths, ::testing::ElementsAre(1, 2, 3, 5, 11));

    WriteSolid("a0b{xx}.png", 3, 3, White);
    const std::vector<Sprite*> frames = LoadFrames("a{xx}b{xx}.png", 2);
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

    WriteSolid("data/gfx/logo.png", 4, 4, White);
    Sprite* other = App.pictures->Load("data\\gfx\\logo.png");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other->picture, first->picture);
    EXPECT_EQ(App.pictures->Size(), 2u);
}

TEST_F(PictureBankTest, AddCopyHoldsAnIndependentPictureWithTheSettingsButNotTheBlendMode) {
    auto sheet = std::make_unique<Sprite>();
    LoadSolid(*sheet, "data/buttons.png", 30, 10, PackRGBA(0, 255, 0));
    sheet->SetSource(10, 0, 10, 10);
    sheet->flipY = true;
    sheet->blendMode = GLPicture::BlendAdditive;
    App.pictures->AddCopy("buttonover", *sheet);
    Sprite* copy = App.pictures->Get("buttonover");
    EXPECT_EQ(copy->srcX, 10);
    EXPECT_TRUE(copy->flipY);
    EXPECT_EQ(copy->blendMode, GLPicture::BlendNormal);
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
