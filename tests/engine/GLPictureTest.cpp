#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "engine/GLPicture.h"
#include "support/GLTestWindow.h"

namespace {

constexpr uint32_t NearMagenta = PackRGBA(255, 1, 255);
constexpr RGBA HalfGrey{128, 128, 128, 255};

class GLPictureTest : public GLTestWindow {
protected:
    // A picture made from pixels that stay alive as long as the fixture.
    GLPicture& FromArray(std::vector<uint32_t> pixels, int width, int height) {
        arrays_.push_back(std::move(pixels));
        pictures_.push_back(CreatePicture());
        EXPECT_TRUE(pictures_.back()->MakePictureFromArray(arrays_.back().data(), width, height, true));
        return *pictures_.back();
    }
    GLPicture& Solid(uint32_t colour, int width, int height) {
        return FromArray(std::vector<uint32_t>(static_cast<size_t>(width) * height, colour), width, height);
    }
    // Red Green / Blue Yellow.
    GLPicture& Quadrants() { return FromArray({Red, Green, Blue, Yellow}, 2, 2); }

    // The 2 x 2 square at (x, y) holds these colours, row by row.
    static void ExpectSquare(int x, int y, std::vector<uint32_t> colours) {
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(ReadPixel(x + i % 2, y + i / 2), Opaque(colours[i])) << "pixel " << i;
        }
    }

    std::vector<std::vector<uint32_t>> arrays_;
    std::vector<std::unique_ptr<GLPicture>> pictures_;
    TempDir dir_;
};

TEST_F(GLPictureTest, TexturesAreTheSmallestSquareOfAPowerOfTwoFromFourThatHoldsThePicture) {
    for (const auto& [width, height, side] : {std::tuple{1, 1, 4}, {5, 2, 8}, {257, 1, 512}, {1, 257, 512}}) {
        EXPECT_EQ(GLPicture::TextureSideFor(width, height), side) << width << " x " << height;
    }
    ASSERT_TRUE(WritePng(dir_.File("screen.png"), 800, 600, std::vector<uint32_t>(800 * 600, Red)));
    auto picture = CreatePicture();
    ASSERT_TRUE(picture->LoadPicture(dir_.File("screen.png"), true, true));
    picture->Blit(0, 0, 800, 600, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(799, 599), Opaque(Red));
}

TEST_F(GLPictureTest, BothFormatsLoadWithTheirAlphaAndOnlyTheExactKeyColourGoes) {
    const std::vector<uint32_t> keyed{Magenta, NearMagenta, Blue, Yellow};
    const std::vector<uint32_t> alpha{PackRGBA(255, 255, 255, 0), PackRGBA(255, 255, 255, 128), Red, Green};
    auto picture = CreatePicture();
    picture->SetColorKey(true, 255, 0, 255);
    for (const std::string format : {"png", "tga"}) {
        SCOPED_TRACE(format);
        const auto write = format == "png" ? WritePng : WriteTga;
        ASSERT_TRUE(write(dir_.File("keyed." + format), 2, 2, keyed, false));
        ASSERT_TRUE(write(dir_.File("alpha." + format), 2, 2, alpha, true));
        ClearTo(0, 0, 0);
        ASSERT_TRUE(picture->LoadPicture(dir_.File("keyed." + format), true, true));
        picture->BlitBlended(0, 0, 2, 2, 0, 0, false, false);
        ExpectSquare(0, 0, {Black, NearMagenta, Blue, Yellow});
        ASSERT_TRUE(picture->LoadPicture(dir_.File("alpha." + format), true, true));
        picture->BlitBlended(0, 0, 2, 2, 10, 0, false, false);
        EXPECT_EQ(ReadPixel(10, 0), Opaque(Black));
        EXPECT_THAT(ReadPixel(11, 0), NearColour(HalfGrey, 1));
        EXPECT_EQ(std::pair(ReadPixel(10, 1), ReadPixel(11, 1)), std::pair(Opaque(Red), Opaque(Green)));
    }
}

TEST_F(GLPictureTest, FlipsMirrorAndBothTurnThePictureHalfwayInEveryDraw) {
    GLPicture& picture = Quadrants();
    const struct {
        bool flipX, flipY;
        std::vector<uint32_t> square;
    } cases[] = {{false, false, {Red, Green, Blue, Yellow}},
                 {true, false, {Green, Red, Yellow, Blue}},
                 {false, true, {Blue, Yellow, Red, Green}},
                 {true, true, {Yellow, Blue, Green, Red}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flipX " << c.flipX << " flipY " << c.flipY);
        ClearTo(0, 0, 0);
        picture.Blit(0, 0, 2, 2, 0, 0, c.flipX, c.flipY);
        picture.BlitBlended(0, 0, 2, 2, 10, 10, c.flipX, c.flipY);
        picture.BlitBlendedTransformed(0, 0, 2, 2, 20, 20, 0, 1, 1, c.flipX, c.flipY, 0, 0);
        for (int at : {0, 10, 20}) {
            ExpectSquare(at, at, c.square);
        }
        EXPECT_EQ(ReadPixel(2, 0), Opaque(Black));
        EXPECT_EQ(ReadPixel(0, 2), Opaque(Black));
    }
}

TEST_F(GLPictureTest, SourceRectanglePicksAndZoomScalesAboutTheCentreUnlessZeroOrTransparent) {
    Quadrants().BlitBlendedTransformed(1, 1, 2, 2, 5, 5, 0, 1, 1, false, false, 0, 0);
    EXPECT_TRUE(Drawn(Yellow, 5, 5, 1, 1));
    GLPicture& picture = Solid(White, 4, 4);
    picture.BlitBlendedTransformed(0, 0, 4, 4, 100, 100, 0, 2, 1, false, false, 0, 0);
    EXPECT_TRUE(Drawn(White, 98, 98, 8, 8));
    picture.BlitBlendedTransformed(0, 0, 4, 4, 200, 100, 0, 0.5f, 1, false, false, 0, 0);
    EXPECT_TRUE(Drawn(White, 201, 101, 2, 2));
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 50, 0, 0, 1, false, false, 0, 0);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 50, 0, 1, 0, false, false, 0, 0);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 50, 30, 2, -0.5f, false, false, 0, 0);
    for (int y = 50; y < 70; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(ReadPixel(x, y), Opaque(Black)) << x << "," << y;
        }
    }
}

TEST_F(GLPictureTest, PositiveAngleTurnsCounterClockwiseAboutTheCentreMovedByThePivot) {
    // Left half red, right half blue, 4 x 2.
    GLPicture& picture = FromArray({Red, Red, Blue, Blue, Red, Red, Blue, Blue}, 4, 2);
    // About the centre (102, 101): the right half turns upwards.
    picture.BlitBlendedTransformed(0, 0, 4, 2, 100, 100, 90, 1, 1, false, false, 0, 0);
    EXPECT_TRUE(Drawn(Blue, 101, 99, 2, 2));
    EXPECT_TRUE(Drawn(Red, 101, 101, 2, 2));
    // About its bottom-right corner (204, 102): the picture swings below it.
    picture.BlitBlendedTransformed(0, 0, 4, 2, 200, 100, 90, 1, 1, false, false, 2, 1);
    EXPECT_TRUE(Drawn(Blue, 202, 102, 2, 2));
    EXPECT_TRUE(Drawn(Red, 202, 104, 2, 2));
    // Without turn or zoom the pivot changes nothing.
    picture.BlitBlendedTransformed(0, 0, 4, 2, 30, 40, 0, 1, 1, false, false, 50, -25);
    EXPECT_TRUE(Drawn(Red, 30, 40, 2, 2));
}

TEST_F(GLPictureTest, AlphaAndModulationTintTheBlendedDraws) {
    GLPicture& picture = Solid(White, 2, 2);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 0, 0, 0, 1, 0.5f, false, false, 0, 0);
    EXPECT_THAT(ReadPixel(0, 0), NearColour(HalfGrey, 1));
    // Out-of-range values are clamped.
    picture.SetColorModulation(2, 0.5f, -1, 1);
    picture.BlitBlended(0, 0, 2, 2, 10, 0, false, false);
    EXPECT_THAT(ReadPixel(10, 0), NearColour(RGBA{255, 128, 0, 255}, 1));
    // The modulation alpha multiplies the draw's alpha.
    picture.SetColorModulation(1, 1, 1, 0.5f);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 20, 0, 0, 1, 0.5f, false, false, 0, 0);
    EXPECT_THAT(ReadPixel(20, 0), NearColour(RGBA{64, 64, 64, 255}, 1));
    // All ones switches modulation off again.
    picture.SetColorModulation(0, 0, 1, 1);
    picture.SetColorModulation(1, 1, 1, 1);
    picture.BlitBlended(0, 0, 2, 2, 40, 0, false, false);
    EXPECT_EQ(ReadPixel(40, 0), Opaque(White));
    // An opaque blit is never tinted by an earlier blended draw.
    picture.SetColorModulation(0, 0, 1, 1);
    picture.BlitBlended(0, 0, 2, 2, 50, 0, false, false);
    picture.Blit(0, 0, 2, 2, 60, 0, false, false);
    EXPECT_EQ(ReadPixel(50, 0), Opaque(Blue));
    EXPECT_EQ(ReadPixel(60, 0), Opaque(White));
}

TEST_F(GLPictureTest, BlendModesCombineWithAKnownBackgroundAndFillsIgnoreThem) {
    // (200, 50, 0) at alpha 128 over grey 100.
    GLPicture& picture = Solid(PackRGBA(200, 50, 0, 128), 2, 2);
    const std::pair<int, RGBA> cases[] = {
        {GLPicture::BlendAdditive, {200, 125, 100, 255}},
        {GLPicture::BlendNormal, {150, 75, 50, 255}},
        {GLPicture::BlendPremultiplied, {250, 100, 50, 255}},
        {GLPicture::BlendDarken, {50, 50, 50, 255}},
        {7, {50, 50, 50, 255}},  // an unknown mode keeps the last one
    };
    for (const auto& [mode, expected] : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << mode);
        picture.FillRect(0, 0, 10, 10, 100 / 255.0f, 100 / 255.0f, 100 / 255.0f, 1.0f);
        picture.SetBlendMode(mode);
        picture.BlitBlended(0, 0, 2, 2, 0, 0, false, false);
        EXPECT_THAT(ReadPixel(0, 0), NearColour(expected, 2));
        EXPECT_THAT(ReadPixel(5, 5), NearColour(RGBA{100, 100, 100, 255}, 0));
    }
    // Still darkening: a full-alpha fill is opaque, a lighter one blends normally.
    ClearTo(255, 255, 255);
    picture.FillRect(10, 10, 20, 20, 1, 0, 0, 1.0f);
    EXPECT_TRUE(Drawn(Red, 10, 10, 10, 10));
    picture.FillRect(30, 10, 40, 20, 1, 0, 0, 0.5f);
    EXPECT_THAT(ReadPixel(35, 15), NearColour(RGBA{255, 128, 128, 255}, 1));
    // The fills switched texturing off; the picture still draws afterwards.
    picture.Blit(0, 0, 2, 2, 50, 50, false, false);
    EXPECT_EQ(ReadPixel(50, 50), Opaque(PackRGBA(200, 50, 0)));
}

// Draws are batched: what shows is still what was drawn last, in the texture's content then.
TEST_F(GLPictureTest, AlternatingAndReusedPicturesEachDrawTheirOwnTextureInOrder) {
    GLPicture& red = Solid(Red, 2, 2);
    GLPicture& blue = Solid(Blue, 2, 2);
    for (int i = 0; i < 6; ++i) {
        ((i % 2 == 0) ? red : blue).BlitBlended(0, 0, 2, 2, static_cast<float>(i * 10), 0, false, false);
        if (i == 3) {
            red.FillRect(0, 20, 2, 22, 0, 1, 0, 1);
        }
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ReadPixel(i * 10, 0), Opaque(i % 2 == 0 ? Red : Blue)) << i;
    }
    // A picture made after another was freed may get the same texture name; it still draws.
    GLPicture& freed = Solid(Yellow, 2, 2);
    freed.FreePicture();
    freed.FreePicture();
    GLPicture& green = Solid(Green, 2, 2);
    red.Blit(0, 0, 2, 2, 110, 0, false, false);
    green.Blit(0, 0, 2, 2, 120, 0, false, false);
    EXPECT_EQ(ReadPixel(110, 0), Opaque(Red));
    EXPECT_EQ(ReadPixel(120, 0), Opaque(Green));

    red.Blit(0, 0, 2, 2, 130, 0, false, false);
    red.FillRect(130, 0, 132, 2, 0, 1, 0, 1);
    green.Blit(0, 0, 2, 2, 140, 0, false, false);
    arrays_.back().assign(4, Blue);
    green.RefreshFromArray();
    green.Blit(0, 0, 2, 2, 150, 0, false, false);
    EXPECT_EQ(ReadPixel(130, 0), Opaque(Green));
    EXPECT_EQ(ReadPixel(140, 0), Opaque(Green));
    EXPECT_EQ(ReadPixel(150, 0), Opaque(Blue));
}

}  // namespace
