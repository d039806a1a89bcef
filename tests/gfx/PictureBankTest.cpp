#include "gfx/PictureBank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "app/App.h"
#include "engine/Files.h"
#include "engine/GLPicture.h"
#include "support/GLTestWindow.h"

namespace {

class PictureBankTest : public GLTestWindow {
protected:
    void SetUp() override {
        GLTestWindow::SetUp();
        savedDirectory_ = GetExecutableDirectory();
        SetExecutableDirectory(dir_.Path());
        App.pictures.DestroyAll();
    }
    void TearDown() override {
        App.pictures.DestroyAll();
        SetExecutableDirectory(savedDirectory_);
    }

    // A one-colour picture at a game-relative name.
    void Write(const std::string& name, int width, int height, uint32_t colour = PackRGBA(255, 255, 255)) {
        std::filesystem::path path = dir_.File(name);
        std::filesystem::create_directories(path.parent_path());
        ASSERT_TRUE(WritePng(path.string(), width, height,
                             std::vector<uint32_t>(static_cast<size_t>(width) * height, colour)));
    }

    TempDir dir_;
    std::string savedDirectory_;
};

TEST_F(PictureBankTest, LoadFramesSkipsMissingFramesInOrder) {
    for (int i = 0; i < 10; ++i) {
        if (i != 3 && i != 7) {
            Write("data/gfx/fx/twister" + std::to_string(i) + ".png", i + 1, 2);  // width tells the frame
        }
    }
    std::vector<Sprite*> frames = LoadFrames("data\\gfx\\fx\\twister{xx}.png", 10);
    ASSERT_EQ(frames.size(), 8u);
    const int expected[] = {0, 1, 2, 4, 5, 6, 8, 9};
    for (size_t i = 0; i < frames.size(); ++i) {
        EXPECT_EQ(frames[i]->width, expected[i] + 1);
        EXPECT_EQ(frames[i]->path, "data\\gfx\\fx\\twister" + std::to_string(expected[i]) + ".png");
    }
    EXPECT_EQ(App.pictures.Size(), 8u);
}

TEST_F(PictureBankTest, FrameNumbersAreNotPadded) {
    for (int i = 0; i < 12; ++i) {
        Write("f" + std::to_string(i) + "x.png", 1, 1);
    }
    Write("f01x.png", 5, 5);
    std::vector<Sprite*> frames = LoadFrames("f{xx}x.png", 12);
    ASSERT_EQ(frames.size(), 12u);
    EXPECT_EQ(frames[1]->path, "f1x.png");
    EXPECT_EQ(frames[1]->width, 1);
    EXPECT_EQ(frames[11]->path, "f11x.png");
}

TEST_F(PictureBankTest, OnlyTheFirstMarkerIsReplaced) {
    Write("a0b{xx}.png", 3, 3);
    std::vector<Sprite*> frames = LoadFrames("a{xx}b{xx}.png", 2);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0]->path, "a0b{xx}.png");
}

TEST_F(PictureBankTest, APathIsLoadedOnceUnderTheKeyAsWritten) {
    Write("data/gfx/logo.png", 4, 4);
    Sprite* first = App.pictures.Load("data/gfx/logo.png");
    ASSERT_NE(first, nullptr);
    // Gone from the disk: a second load must not touch the file again.
    std::filesystem::remove(dir_.File("data/gfx/logo.png"));
    bool failed = true;
    EXPECT_EQ(App.pictures.Load("data/gfx/logo.png", &failed), first);
    EXPECT_FALSE(failed);
    EXPECT_EQ(App.pictures.Size(), 1u);

    Write("data/gfx/logo.png", 4, 4);
    Sprite* other = App.pictures.Load("data\\gfx\\logo.png");
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, first);
    EXPECT_NE(other->picture, first->picture);
    EXPECT_EQ(App.pictures.Size(), 2u);
}

TEST_F(PictureBankTest, FailedLoadEntersNothing) {
    bool failed = false;
    EXPECT_EQ(App.pictures.Load("data/late.png", &failed), nullptr);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(App.pictures.lastLoadFailed);
    EXPECT_FALSE(App.pictures.Has("data/late.png"));
    EXPECT_EQ(App.pictures.Size(), 0u);

    Write("data/late.png", 6, 3);
    Sprite* sprite = App.pictures.Load("data/late.png", &failed);
    ASSERT_NE(sprite, nullptr);
    EXPECT_FALSE(failed);
    EXPECT_FALSE(App.pictures.lastLoadFailed);
    EXPECT_EQ(sprite->width, 6);
}

TEST_F(PictureBankTest, PutReplacesAnEarlierSprite) {
    Write("a.png", 2, 2);
    auto first = std::make_unique<Sprite>();
    ASSERT_TRUE(first->Load("a.png"));
    App.pictures.Put("thing", std::move(first));
    auto second = std::make_unique<Sprite>();
    ASSERT_TRUE(second->Load("a.png"));
    Sprite* kept = second.get();
    App.pictures.Put("thing", std::move(second));
    EXPECT_EQ(App.pictures.Get("thing"), kept);
    EXPECT_EQ(App.pictures.Size(), 1u);
}

TEST_F(PictureBankTest, AddCopyHoldsAnIndependentPicture) {
    Write("data/buttons.png", 30, 10, PackRGBA(0, 255, 0));
    auto sheet = std::make_unique<Sprite>();
    ASSERT_TRUE(sheet->Load("data\\buttons.png"));
    sheet->SetSource(10, 0, 10, 10);
    App.pictures.AddCopy("buttonover", *sheet);
    Sprite* copy = App.pictures.Get("buttonover");
    EXPECT_NE(copy->picture, sheet->picture);
    EXPECT_FALSE(copy->sharedPicture);
    EXPECT_EQ(copy->srcX, 10);
    EXPECT_EQ(copy->width, 10);

    // A tint on the source's picture does not reach the copy's.
    sheet->SetColour(0.0f, 0.0f, 0.0f, 1.0f);
    sheet->Draw(0, 0);
    copy->Draw(100, 0);
    EXPECT_EQ(ReadPixel(5, 5), (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(105, 5), (RGBA{0, 255, 0, 255}));

    // Nor does the source's end.
    sheet.reset();
    ClearTo(0, 0, 0);
    copy->Draw(100, 0);
    EXPECT_EQ(ReadPixel(105, 5), (RGBA{0, 255, 0, 255}));
}

using PictureBankDeathTest = PictureBankTest;

TEST_F(PictureBankDeathTest, GetOfAnUnknownNameIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(App.pictures.Get("buttonidle"), ::testing::ExitedWithCode(1), "buttonidle");
}

TEST_F(PictureBankDeathTest, MissingPictureWithoutAFlagIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(App.pictures.Load("data/gfx/nothere.png"), ::testing::ExitedWithCode(1),
                "data/gfx/nothere\\.png");
}

}  // namespace
