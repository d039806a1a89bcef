#include <vector>

#include "engine/GLPicture.h"
#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

constexpr RGBA Black{0, 0, 0, 255};
constexpr RGBA White{255, 255, 255, 255};
constexpr RGBA Red{255, 0, 0, 255};
constexpr RGBA Green{0, 255, 0, 255};
constexpr RGBA Blue{0, 0, 255, 255};

class SpriteTest : public ToolkitTest {
protected:
    // A picture whose left half is one colour and right half another; returns its name.
    std::string Write(const std::string& name, int width, int height, uint32_t left, uint32_t right) {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        for (size_t i = 0; i < pixels.size(); ++i) {
            pixels[i] = static_cast<int>(i % width) < width / 2 ? left : right;
        }
        WritePicture(name, width, height, pixels);
        return name;
    }
    std::string Solid(const std::string& name, int width, int height, uint32_t colour) {
        return Write(name, width, height, colour, colour);
    }
};

TEST_F(SpriteTest, LoadTakesThePictureSizeAndAFailedLoadDrawsNothing) {
    Sprite sprite;
    sprite.SetSource(3, 4, 5, 6);
    ASSERT_TRUE(sprite.Load(Solid("a.png", 37, 21, PackRGBA(255, 255, 255))));
    EXPECT_EQ(sprite.srcX, 0);
    EXPECT_EQ(sprite.width, 37);
    EXPECT_EQ(sprite.height, 21);

    Sprite missing;
    EXPECT_FALSE(missing.Load("missing.png"));
    ASSERT_NE(missing.picture, nullptr);
    EXPECT_EQ(missing.width, 0);
    missing.Draw(0, 0);
    EXPECT_EQ(ReadPixel(0, 0), Black);

    // Magenta is transparent.
    ASSERT_TRUE(sprite.Load(Write("keyed.png", 16, 16, PackRGBA(255, 0, 255), PackRGBA(255, 255, 255))));
    ClearTo(0, 0, 255);
    sprite.Draw(100, 100);
    EXPECT_EQ(ReadPixel(103, 108), Blue);
    EXPECT_EQ(ReadPixel(112, 108), White);
}

TEST_F(SpriteTest, CentredDrawsSplitTheSpareRoomEvenly) {
    Sprite sprite;
    ASSERT_TRUE(sprite.Load(Solid("wide.png", 200, 100, PackRGBA(0, 255, 0))));
    sprite.DrawCentred(0, 0, 800, 600);
    EXPECT_TRUE(Drawn(Green, 300, 250, 200, 100));

    ASSERT_TRUE(sprite.Load(Solid("narrow.png", 21, 10, PackRGBA(0, 255, 0))));
    sprite.DrawCentredX(40, 100, 100);  // (100 - 21) / 2 = 39
    EXPECT_TRUE(Drawn(Green, 139, 40, 21, 10));
}

TEST_F(SpriteTest, SharedPictureIsCutIntoCellsAndKeepsTheLastTint) {
    Sprite sheet;
    ASSERT_TRUE(sheet.Load(Write("sheet.png", 32, 16, PackRGBA(255, 255, 255), PackRGBA(255, 255, 0))));
    Sprite right;
    sheet.SharePicture(right);
    right.SetSource(16, 0, 16, 16);
    right.Draw(200, 200);
    EXPECT_TRUE(Drawn(PackRGBA(255, 255, 0), 200, 200, 16, 16));

    // The tint belongs to the picture: an untinted sharer draws with the last one.
    sheet.SetColour(1.0f, 0.0f, 0.0f, 1.0f);
    sheet.Draw(50, 10);
    right.Draw(100, 10);
    EXPECT_EQ(ReadPixel(52, 12), Red);
    EXPECT_EQ(ReadPixel(102, 12), Red);
}

TEST_F(SpriteTest, DrawPartIgnoresMirroringAndTint) {
    Sprite sprite;
    ASSERT_TRUE(sprite.Load(Write("halves.png", 16, 16, PackRGBA(255, 255, 255), PackRGBA(0, 255, 0))));
    sprite.flipX = true;
    sprite.tinted = true;
    sprite.tint[1] = 0.0f;
    sprite.DrawPart(300, 300, 0, 0, 8, 16);
    EXPECT_TRUE(Drawn(White, 300, 300, 8, 16));
    ClearTo(0, 0, 255);
    sprite.Draw(400, 300);  // the full draw does both
    EXPECT_EQ(ReadPixel(401, 308), Black);
    EXPECT_EQ(ReadPixel(414, 308), (RGBA{255, 0, 255, 255}));
}

TEST_F(SpriteTest, OnlyTheOwnerFreesThePicture) {
    Sprite owner;
    ASSERT_TRUE(owner.Load(Solid("owned.png", 8, 8, PackRGBA(0, 0, 255))));
    {
        Sprite sharer;
        owner.SharePicture(sharer);
        std::vector<Sprite> copies(3, sharer);
        copies.push_back(owner);  // copies share, never own
        EXPECT_TRUE(copies.back().sharedPicture);
        Sprite back = owner;
        back.SharePicture(owner);
        owner = back;
        EXPECT_FALSE(owner.sharedPicture);  // sharing back to the owner keeps ownership
    }
    ASSERT_TRUE(owner.picture->IsLoaded());
    owner.Draw(0, 0);
    EXPECT_EQ(ReadPixel(4, 4), Blue);

    // Owners kept by value survive the list's moves.
    std::vector<Sprite> sprites;
    const uint32_t colours[] = {PackRGBA(255, 0, 0), PackRGBA(0, 255, 0), PackRGBA(0, 0, 255)};
    for (int i = 0; i < 9; ++i) {
        sprites.emplace_back();
        ASSERT_TRUE(sprites.back().Load(Solid("c" + std::to_string(i) + ".png", 4, 4, colours[i % 3])));
    }
    const RGBA expected[] = {Red, Green, Blue};
    for (int i = 0; i < 9; ++i) {
        EXPECT_FALSE(sprites[i].sharedPicture);
        sprites[i].Draw(i * 10, 20);
        EXPECT_EQ(ReadPixel(i * 10 + 1, 21), expected[i % 3]) << "sprite " << i;
    }
}

TEST_F(SpriteTest, CloneToLoadsAnOwnPictureWithTheSameSettingsButTheBlendMode) {
    Sprite source;
    ASSERT_TRUE(source.Load(Write("clone.png", 16, 8, PackRGBA(255, 0, 0), PackRGBA(0, 255, 0))));
    source.SetSource(8, 0, 8, 8);
    source.flipY = true;
    source.blendMode = GLPicture::BlendAdditive;
    Sprite target;
    source.CloneTo(target);
    EXPECT_NE(target.picture, source.picture);
    EXPECT_FALSE(target.sharedPicture);
    EXPECT_TRUE(target.flipY);
    EXPECT_EQ(target.blendMode, GLPicture::BlendNormal);
    target.Draw(0, 0);
    EXPECT_EQ(ReadPixel(0, 0), Green);
    EXPECT_EQ(ReadPixel(8, 0), Black);
}

}  // namespace
