#include <algorithm>
#include <string>
#include <vector>

#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"

namespace {

class SpriteTest : public ToolkitTest {
protected:
    // A picture whose left half is one colour and right half another.
    void LoadHalves(Sprite& sprite, const std::string& name, int width, int height, uint32_t left,
                    uint32_t right) {
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, right);
        for (auto row = pixels.begin(); row != pixels.end(); row += width) {
            std::fill_n(row, width / 2, left);
        }
        WritePicture(name, width, height, pixels);
        ASSERT_TRUE(sprite.Load(name));
    }
};

TEST_F(SpriteTest, LoadTakesTheWholePictureKeysOutMagentaAndAFailedLoadDrawsNothing) {
    Sprite sprite;
    sprite.SetSource(3, 4, 5, 6);
    LoadHalves(sprite, "keyed.png", 16, 10, Magenta, White);
    ClearTo(0, 0, 255);
    sprite.Draw(100, 100);
    EXPECT_EQ(ReadPixel(100, 100), Opaque(Blue));
    EXPECT_TRUE(Drawn(White, 108, 100, 8, 10));

    Sprite missing;
    EXPECT_FALSE(missing.Load("missing.png"));
    missing.Draw(0, 0);
    EXPECT_EQ(ReadPixel(0, 0), Opaque(Blue));
}

TEST_F(SpriteTest, CentredDrawsSplitTheSpareRoomEvenly) {
    Sprite sprite;
    LoadSolid(sprite, "wide.png", 200, 100, Green);
    sprite.DrawCentred(0, 0, 800, 600);
    EXPECT_TRUE(Drawn(Green, 300, 250, 200, 100));
    LoadSolid(sprite, "narrow.png", 21, 10, Green);
    sprite.DrawCentredX(40, 100, 100);  // (100 - 21) / 2 = 39
    EXPECT_TRUE(Drawn(Green, 139, 40, 21, 10));
}

TEST_F(SpriteTest, SharersCutCellsAndTheTintBelongsToThePicture) {
    Sprite sheet;
    LoadHalves(sheet, "sheet.png", 32, 16, White, Yellow);
    Sprite right;
    sheet.SharePicture(right);
    right.SetSource(16, 0, 16, 16);
    right.Draw(200, 200);
    EXPECT_TRUE(Drawn(Yellow, 200, 200, 16, 16));
    // An untinted sharer draws with the last tint set on the picture.
    sheet.SetColour(1.0f, 0.0f, 0.0f, 1.0f);
    sheet.Draw(50, 10);
    right.Draw(100, 10);
    EXPECT_EQ(ReadPixel(52, 12), Opaque(Red));
    EXPECT_EQ(ReadPixel(102, 12), Opaque(Red));
}

TEST_F(SpriteTest, DrawPartIgnoresMirroringAndTintButTheFullDrawDoesBoth) {
    Sprite sprite;
    LoadHalves(sprite, "halves.png", 16, 16, White, Green);
    sprite.flipX = true;
    sprite.SetColour(1.0f, 0.0f, 1.0f, 1.0f);
    sprite.DrawPart(300, 300, 4, 0, 8, 16);
    EXPECT_TRUE(Drawn(White, 300, 300, 4, 16));
    EXPECT_TRUE(Drawn(Green, 304, 300, 4, 16));
    ClearTo(0, 0, 255);
    sprite.Draw(400, 300);
    EXPECT_EQ(ReadPixel(401, 308), Opaque(Black));  // green tinted magenta
    EXPECT_EQ(ReadPixel(414, 308), Opaque(Magenta));
    // An opaque sprite is a plain copy: what was below does not show through.
    Sprite backdrop;
    LoadSolid(backdrop, "half.png", 8, 8, PackRGBA(255, 0, 0, 128));
    backdrop.opaque = true;
    backdrop.DrawPart(500, 300, 0, 0, 8, 8);
    EXPECT_EQ(ReadPixel(504, 304), Opaque(Red));
}

TEST_F(SpriteTest, OnlyTheOwnerFreesThePictureWhateverTheCopiesAndMoves) {
    Sprite owner;
    LoadSolid(owner, "owned.png", 8, 8, Blue);
    {
        std::vector<Sprite> copies(3, owner);  // copies share, never own
        Sprite back = owner;
        back.SharePicture(owner);  // sharing back to the owner keeps its ownership
        owner = back;
    }
    owner.Draw(0, 0);
    EXPECT_EQ(ReadPixel(4, 4), Opaque(Blue));
    EXPECT_FALSE(owner.sharedPicture);

    // Owners kept by value survive the list's reallocations.
    std::vector<Sprite> sprites;
    const uint32_t colours[] = {Red, Green, Blue};
    for (int i = 0; i < 3; ++i) {
        sprites.emplace_back();
        LoadSolid(sprites.back(), "c" + std::to_string(i) + ".png", 4, 4, colours[i]);
    }
    for (int i = 0; i < 3; ++i) {
        sprites[i].Draw(i * 10, 20);
        EXPECT_EQ(ReadPixel(i * 10 + 1, 21), Opaque(colours[i])) << "sprite " << i;
    }
}

}  // namespace
