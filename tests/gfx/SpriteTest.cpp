#include "gfx/Sprite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/Files.h"
#include "engine/GLPicture.h"
#include "support/GLTestWindow.h"

namespace {

constexpr RGBA Black{0, 0, 0, 255};
constexpr RGBA White{255, 255, 255, 255};
constexpr RGBA Red{255, 0, 0, 255};
constexpr RGBA Green{0, 255, 0, 255};
constexpr RGBA Blue{0, 0, 255, 255};

class SpriteTest : public GLTestWindow {
protected:
    void SetUp() override {
        GLTestWindow::SetUp();
        savedDirectory_ = GetExecutableDirectory();
        SetExecutableDirectory(dir_.Path());
        std::filesystem::create_directories(dir_.File("data"));
    }
    void TearDown() override { SetExecutableDirectory(savedDirectory_); }

    // A picture under data/ of one colour.
    std::string Solid(const std::string& name, int width, int height, uint32_t colour) {
        std::string gameName = "data/" + name;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, colour);
        EXPECT_TRUE(WritePng(dir_.File(gameName), width, height, pixels));
        return gameName;
    }
    // Left half one colour, right half another.
    std::string Halves(const std::string& name, int width, int height, uint32_t left, uint32_t right) {
        std::string gameName = "data/" + name;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                pixels[static_cast<size_t>(y) * width + x] = x < width / 2 ? left : right;
            }
        }
        EXPECT_TRUE(WritePng(dir_.File(gameName), width, height, pixels));
        return gameName;
    }

    TempDir dir_;
    std::string savedDirectory_;
};

TEST_F(SpriteTest, LoadTakesThePictureSizeAndKeepsTheSettings) {
    Sprite sprite;
    sprite.zoom = 2.0f;
    sprite.SetSource(3, 4, 5, 6);
    ASSERT_TRUE(sprite.Load(Solid("a.png", 37, 21, PackRGBA(255, 255, 255))));
    EXPECT_EQ(sprite.path, "data/a.png");
    EXPECT_EQ(sprite.srcX, 0);
    EXPECT_EQ(sprite.srcY, 0);
    EXPECT_EQ(sprite.width, 37);
    EXPECT_EQ(sprite.height, 21);
    EXPECT_FALSE(sprite.sharedPicture);
    EXPECT_FLOAT_EQ(sprite.zoom, 2.0f);
}

TEST_F(SpriteTest, FailedLoadLeavesAnEmptyPictureThatDrawsNothing) {
    Sprite sprite;
    sprite.SetSource(1, 2, 3, 4);
    EXPECT_FALSE(sprite.Load("data/missing.png"));
    ASSERT_NE(sprite.picture, nullptr);
    EXPECT_FALSE(sprite.picture->IsLoaded());
    EXPECT_EQ(sprite.width, 0);
    EXPECT_EQ(sprite.height, 0);
    EXPECT_EQ(sprite.path, "data/missing.png");
    sprite.Draw(0, 0);
    EXPECT_EQ(ReadPixel(0, 0), Black);
}

TEST_F(SpriteTest, MagentaIsTransparent) {
    Sprite sprite;
    ASSERT_TRUE(sprite.Load(Halves("keyed.png", 16, 16, PackRGBA(255, 0, 255), PackRGBA(255, 255, 255))));
    ClearTo(0, 0, 255);
    sprite.Draw(100, 100);
    EXPECT_EQ(ReadPixel(103, 108), Blue);
    EXPECT_EQ(ReadPixel(112, 108), White);
}

TEST_F(SpriteTest, DrawCentredPlacesTheSpriteInTheMiddleOfTheBox) {
    Sprite sprite;
    ASSERT_TRUE(sprite.Load(Solid("wide.png", 200, 100, PackRGBA(0, 255, 0))));
    int dx = 0;
    int dy = 0;
    sprite.CentreOffset(800, 600, dx, dy);
    EXPECT_EQ(dx, 300);
    EXPECT_EQ(dy, 250);
    sprite.DrawCentred(0, 0, 800, 600);
    EXPECT_EQ(ReadPixel(300, 250), Green);
    EXPECT_EQ(ReadPixel(499, 349), Green);
    EXPECT_EQ(ReadPixel(299, 250), Black);
    EXPECT_EQ(ReadPixel(300, 249), Black);
    EXPECT_EQ(ReadPixel(500, 349), Black);
    EXPECT_EQ(ReadPixel(499, 350), Black);
}

TEST_F(SpriteTest, DrawCentredXCentresAcrossOnly) {
    Sprite sprite;
    ASSERT_TRUE(sprite.Load(Solid("narrow.png", 21, 10, PackRGBA(0, 255, 0))));
    sprite.DrawCentredX(40, 100, 100);  // (100 - 21) / 2 = 39
    EXPECT_EQ(ReadPixel(139, 40), Green);
    EXPECT_EQ(ReadPixel(138, 40), Black);
    EXPECT_EQ(ReadPixel(159, 49), Green);
    EXPECT_EQ(ReadPixel(160, 49), Black);
}

TEST_F(SpriteTest, UntintedSpriteKeepsTheLastTintOfASharedPicture) {
    Sprite tinted;
    ASSERT_TRUE(tinted.Load(Solid("white.png", 8, 8, PackRGBA(255, 255, 255))));
    Sprite plain;
    tinted.SharePicture(plain);
    plain.Draw(10, 10);
    EXPECT_EQ(ReadPixel(12, 12), White);

    tinted.SetColour(1.0f, 0.0f, 0.0f, 1.0f);
    tinted.Draw(50, 10);
    plain.Draw(100, 10);
    EXPECT_EQ(ReadPixel(52, 12), Red);
    EXPECT_EQ(ReadPixel(102, 12), Red);
}

TEST_F(SpriteTest, SharedPictureCutIntoCells) {
    Sprite sheet;
    ASSERT_TRUE(sheet.Load(Halves("sheet.png", 32, 16, PackRGBA(255, 0, 0), PackRGBA(0, 255, 0))));
    Sprite right;
    sheet.SharePicture(right);
    right.SetSource(16, 0, 16, 16);
    EXPECT_EQ(right.picture, sheet.picture);
    EXPECT_TRUE(right.sharedPicture);
    right.Draw(200, 200);
    EXPECT_EQ(ReadPixel(200, 200), Green);
    EXPECT_EQ(ReadPixel(215, 215), Green);
    EXPECT_EQ(ReadPixel(216, 208), Black);
}

TEST_F(SpriteTest, DrawPartIgnoresMirroringAndTint) {
    Sprite sprite;
    ASSERT_TRUE(sprite.Load(Halves("halves.png", 16, 16, PackRGBA(255, 255, 255), PackRGBA(0, 255, 0))));
    sprite.flipX = true;
    sprite.tinted = true;
    sprite.tint[1] = 0.0f;
    sprite.DrawPart(300, 300, 0, 0, 8, 16);
    EXPECT_EQ(ReadPixel(300, 300), White);
    EXPECT_EQ(ReadPixel(307, 315), White);
    EXPECT_EQ(ReadPixel(308, 308), Black);
    ClearTo(0, 0, 255);
    sprite.Draw(400, 300);  // the full draw does both
    EXPECT_EQ(ReadPixel(401, 308), Black);
    EXPECT_EQ(ReadPixel(414, 308), (RGBA{255, 0, 255, 255}));
}

TEST_F(SpriteTest, DestroyingASharingSpriteLeavesThePictureToItsOwner) {
    Sprite owner;
    ASSERT_TRUE(owner.Load(Solid("owned.png", 8, 8, PackRGBA(0, 0, 255))));
    {
        Sprite sharer;
        owner.SharePicture(sharer);
        std::vector<Sprite> copies(3, sharer);
        copies.push_back(owner);
        EXPECT_TRUE(copies.back().sharedPicture);
        EXPECT_EQ(copies.back().picture, owner.picture);
    }
    ASSERT_TRUE(owner.picture->IsLoaded());
    owner.Draw(0, 0);
    EXPECT_EQ(ReadPixel(4, 4), Blue);
}

TEST_F(SpriteTest, SharingBackToTheOwnerKeepsOwnership) {
    Sprite owner;
    ASSERT_TRUE(owner.Load(Solid("owned.png", 8, 8, PackRGBA(0, 0, 255))));
    Sprite sharer = owner;
    sharer.SharePicture(owner);
    owner = sharer;
    EXPECT_FALSE(owner.sharedPicture);
    EXPECT_TRUE(sharer.sharedPicture);
    owner.Draw(0, 0);
    EXPECT_EQ(ReadPixel(4, 4), Blue);
}

TEST_F(SpriteTest, OwningSpritesSurviveAGrowingList) {
    std::vector<Sprite> sprites;
    const uint32_t colours[] = {PackRGBA(255, 0, 0), PackRGBA(0, 255, 0), PackRGBA(0, 0, 255)};
    for (int i = 0; i < 9; ++i) {
        sprites.emplace_back();
        ASSERT_TRUE(sprites.back().Load(Solid("c" + std::to_string(i) + ".png", 4, 4, colours[i % 3])));
    }
    for (size_t i = 0; i < sprites.size(); ++i) {
        EXPECT_FALSE(sprites[i].sharedPicture);
        sprites[i].Draw(static_cast<int>(i) * 10, 0);
    }
    const RGBA expected[] = {Red, Green, Blue};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(ReadPixel(i * 10 + 1, 1), expected[i % 3]) << "sprite " << i;
    }
}

TEST_F(SpriteTest, CloneToLoadsAnOwnPictureWithTheSameSettings) {
    Sprite source;
    ASSERT_TRUE(source.Load(Halves("clone.png", 16, 8, PackRGBA(255, 0, 0), PackRGBA(0, 255, 0))));
    source.SetSource(8, 0, 8, 8);
    source.SetColour(1, 1, 1, 1);
    source.zoom = 1.5f;
    source.flipY = true;
    source.blendMode = GLPicture::BlendAdditive;
    Sprite target;
    source.CloneTo(target);
    ASSERT_NE(target.picture, nullptr);
    EXPECT_NE(target.picture, source.picture);
    EXPECT_FALSE(target.sharedPicture);
    EXPECT_EQ(target.srcX, 8);
    EXPECT_EQ(target.width, 8);
    EXPECT_TRUE(target.tinted);
    EXPECT_FLOAT_EQ(target.zoom, 1.5f);
    EXPECT_TRUE(target.flipY);
    EXPECT_EQ(target.blendMode, GLPicture::BlendNormal);  // not a setting that travels
    EXPECT_EQ(target.path, source.path);
}

}  // namespace
