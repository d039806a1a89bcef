#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "engine/GLPicture.h"
#include "support/GLTestWindow.h"

namespace {

constexpr uint32_t Red = PackRGBA(255, 0, 0);
constexpr uint32_t Green = PackRGBA(0, 255, 0);
constexpr uint32_t Blue = PackRGBA(0, 0, 255);
constexpr uint32_t Yellow = PackRGBA(255, 255, 0);
constexpr uint32_t White = PackRGBA(255, 255, 255);
constexpr uint32_t Magenta = PackRGBA(255, 0, 255);
constexpr uint32_t NearMagenta = PackRGBA(255, 1, 255);

constexpr RGBA RedPixel{255, 0, 0, 255};
constexpr RGBA GreenPixel{0, 255, 0, 255};
constexpr RGBA BluePixel{0, 0, 255, 255};
constexpr RGBA YellowPixel{255, 255, 0, 255};
constexpr RGBA BlackPixel{0, 0, 0, 255};

RGBA Opaque(uint32_t packed) {
    return RGBA{static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
                static_cast<uint8_t>(packed >> 16), 255};
}

MATCHER_P2(NearColour, expected, tolerance, "") {
    return std::abs(arg.r - expected.r) <= tolerance && std::abs(arg.g - expected.g) <= tolerance &&
           std::abs(arg.b - expected.b) <= tolerance;
}

class GLPictureTest : public GLTestWindow {
protected:
    // A picture made from pixels that stay alive as long as the fixture.
    GLPicture& FromArray(std::vector<uint32_t> pixels, int width, int height) {
        arrays_.push_back(std::move(pixels));
        pictures_.push_back(CreatePicture());
        EXPECT_TRUE(pictures_.back()->MakePictureFromArray(arrays_.back().data(), width, height, true));
        return *pictures_.back();
    }

    // Red Green / Blue Yellow.
    GLPicture& Quadrants() { return FromArray({Red, Green, Blue, Yellow}, 2, 2); }

    std::vector<std::vector<uint32_t>> arrays_;
    std::vector<std::unique_ptr<GLPicture>> pictures_;
};

TEST(GLPictureTextureSide, IsTheSmallestPowerOfTwoFromFourThatHoldsTheLargerSide) {
    EXPECT_EQ(GLPicture::TextureSideFor(1, 1), 4);
    EXPECT_EQ(GLPicture::TextureSideFor(3, 3), 4);
    EXPECT_EQ(GLPicture::TextureSideFor(4, 4), 4);
    EXPECT_EQ(GLPicture::TextureSideFor(5, 2), 8);
    EXPECT_EQ(GLPicture::TextureSideFor(64, 64), 64);
    EXPECT_EQ(GLPicture::TextureSideFor(65, 10), 128);
    EXPECT_EQ(GLPicture::TextureSideFor(256, 100), 256);
    EXPECT_EQ(GLPicture::TextureSideFor(257, 1), 512);
    EXPECT_EQ(GLPicture::TextureSideFor(1, 257), 512);
    EXPECT_EQ(GLPicture::TextureSideFor(800, 600), 1024);
}

TEST_F(GLPictureTest, LoadedPicturesGetSquareTexturesOfThatSide) {
    TempDir dir;
    ASSERT_TRUE(WritePng(dir.File("one.png"), 1, 1, {Red}));
    ASSERT_TRUE(WritePng(dir.File("wide.png"), 257, 1, std::vector<uint32_t>(257, Red)));
    ASSERT_TRUE(WritePng(dir.File("screen.png"), 800, 600, std::vector<uint32_t>(800 * 600, Red)));
    auto picture = CreatePicture();
    ASSERT_TRUE(picture->LoadPicture(dir.File("one.png"), true, true));
    EXPECT_EQ(picture->TextureSide(), 4);
    ASSERT_TRUE(picture->LoadPicture(dir.File("wide.png"), true, true));
    EXPECT_EQ(picture->GetWidth(), 257);
    EXPECT_EQ(picture->GetHeight(), 1);
    EXPECT_EQ(picture->TextureSide(), 512);
    ASSERT_TRUE(picture->LoadPicture(dir.File("screen.png"), true, true));
    EXPECT_EQ(picture->TextureSide(), 1024);
    picture->Blit(0, 0, 800, 600, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(799, 599), RedPixel);
}

TEST_F(GLPictureTest, ColourKeyMakesOnlyTheExactColourTransparentWhenKeepingAlpha) {
    TempDir dir;
    ASSERT_TRUE(WritePng(dir.File("keyed.png"), 2, 1, {Magenta, NearMagenta}, false));
    ASSERT_TRUE(WriteTga(dir.File("keyed.tga"), 2, 1, {Magenta, NearMagenta}, false));
    for (const char* name : {"keyed.png", "keyed.tga"}) {
        SCOPED_TRACE(name);
        auto picture = CreatePicture();
        picture->SetColorKey(true, 255, 0, 255);
        ASSERT_TRUE(picture->LoadPicture(dir.File(name), true, true));
        ClearTo(0, 255, 0);
        picture->BlitBlended(0, 0, 2, 1, 10, 10, false, false);
        EXPECT_EQ(ReadPixel(10, 10), GreenPixel);
        EXPECT_EQ(ReadPixel(11, 10), Opaque(NearMagenta));

        // Without alpha the picture is opaque: the key is not applied.
        ASSERT_TRUE(picture->LoadPicture(dir.File(name), true, false));
        picture->BlitBlended(0, 0, 2, 1, 10, 20, false, false);
        EXPECT_EQ(ReadPixel(10, 20), Opaque(Magenta));
    }
}

TEST_F(GLPictureTest, FileAlphaIsKeptAndBlended) {
    TempDir dir;
    const std::vector<uint32_t> pixels{PackRGBA(255, 255, 255, 0), PackRGBA(255, 255, 255, 128)};
    ASSERT_TRUE(WritePng(dir.File("alpha.png"), 2, 1, pixels));
    ASSERT_TRUE(WriteTga(dir.File("alpha.tga"), 2, 1, pixels));
    for (const char* name : {"alpha.png", "alpha.tga"}) {
        SCOPED_TRACE(name);
        auto picture = CreatePicture();
        ASSERT_TRUE(picture->LoadPicture(dir.File(name), true, true));
        ClearTo(0, 0, 0);
        picture->BlitBlended(0, 0, 2, 1, 0, 0, false, false);
        EXPECT_EQ(ReadPixel(0, 0), BlackPixel);
        EXPECT_THAT(ReadPixel(1, 0), NearColour(RGBA{128, 128, 128, 255}, 1));
    }
}

TEST_F(GLPictureTest, DecoderIsChosenByTheNameAndFailuresLeaveThePictureEmpty) {
    TempDir dir;
    const std::vector<uint32_t> pixels{Red, Green, Blue, Yellow};
    ASSERT_TRUE(WritePng(dir.File("pic.png"), 2, 2, pixels));
    ASSERT_TRUE(WriteTga(dir.File("pic.tga"), 2, 2, pixels, false));
    ASSERT_TRUE(WritePng(dir.File("PIC2.PNG"), 2, 2, pixels));
    ASSERT_TRUE(WritePng(dir.File("pic.dat"), 2, 2, pixels));
    ASSERT_TRUE(WriteTga(dir.File("targa.png"), 2, 2, pixels));
    // ".png" is tested after ".tga", so it wins wherever it stands in the name.
    ASSERT_TRUE(WriteTga(dir.File("pic.png.tga"), 2, 2, pixels));

    auto picture = CreatePicture();
    for (const char* name : {"pic.png", "pic.tga", "PIC2.PNG"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(picture->LoadPicture(dir.File(name), true, true));
        EXPECT_TRUE(picture->IsLoaded());
        ClearTo(0, 0, 0);
        picture->Blit(0, 0, 2, 2, 0, 0, false, false);
        EXPECT_EQ(ReadPixel(0, 0), RedPixel);
        EXPECT_EQ(ReadPixel(1, 1), YellowPixel);
    }
    for (const char* name : {"pic.dat", "targa.png", "pic.png.tga", "missing.png"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(picture->LoadPicture(dir.File("pic.png"), true, true));
        EXPECT_FALSE(picture->LoadPicture(dir.File(name), true, true));
        EXPECT_FALSE(picture->IsLoaded());
        EXPECT_EQ(picture->GetWidth(), 0);
        EXPECT_EQ(picture->GetHeight(), 0);
    }
    std::ofstream(dir.File("empty.png")).close();
    EXPECT_FALSE(picture->LoadPicture(dir.File("empty.png"), true, true));
}

TEST_F(GLPictureTest, LoadFromMemoryUsesTheNameOnlyForTheFormat) {
    TempDir dir;
    ASSERT_TRUE(WriteTga(dir.File("pic.tga"), 1, 1, {Blue}));
    std::ifstream in(dir.File("pic.tga"), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto picture = CreatePicture();
    EXPECT_TRUE(picture->LoadPictureFromMemory("whatever/name.tga", bytes.data(), bytes.size(), true, true));
    picture->Blit(0, 0, 1, 1, 3, 4, false, false);
    EXPECT_EQ(ReadPixel(3, 4), BluePixel);
    EXPECT_FALSE(picture->LoadPictureFromMemory("name.bin", bytes.data(), bytes.size(), true, true));
    EXPECT_FALSE(picture->LoadPictureFromMemory("name.tga", bytes.data(), 0, true, true));
    EXPECT_FALSE(picture->IsLoaded());
}

TEST_F(GLPictureTest, DrawingAtTheOriginPutsTheTopRowOnTheTopEdge) {
    GLPicture& picture = Quadrants();
    picture.Blit(0, 0, 2, 2, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(0, 0), RedPixel);
    EXPECT_EQ(ReadPixel(1, 0), GreenPixel);
    EXPECT_EQ(ReadPixel(0, 1), BluePixel);
    EXPECT_EQ(ReadPixel(1, 1), YellowPixel);
    EXPECT_EQ(ReadPixel(0, 2), BlackPixel);
    EXPECT_EQ(ReadPixel(2, 0), BlackPixel);
}

TEST_F(GLPictureTest, FlipsMirrorAndBothTurnThePictureHalfway) {
    GLPicture& picture = Quadrants();
    struct Case {
        bool flipX, flipY;
        RGBA topLeft, topRight, bottomLeft, bottomRight;
    };
    const Case cases[] = {
        {false, false, RedPixel, GreenPixel, BluePixel, YellowPixel},
        {true, false, GreenPixel, RedPixel, YellowPixel, BluePixel},
        {false, true, BluePixel, YellowPixel, RedPixel, GreenPixel},
        {true, true, YellowPixel, BluePixel, GreenPixel, RedPixel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "flipX " << c.flipX << " flipY " << c.flipY);
        for (int draw = 0; draw < 3; ++draw) {
            ClearTo(0, 0, 0);
            if (draw == 0) {
                picture.Blit(0, 0, 2, 2, 10, 10, c.flipX, c.flipY);
            } else if (draw == 1) {
                picture.BlitBlended(0, 0, 2, 2, 10, 10, c.flipX, c.flipY);
            } else {
                picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 10, 0, 1, 1, c.flipX, c.flipY, 0, 0);
            }
            EXPECT_EQ(ReadPixel(10, 10), c.topLeft);
            EXPECT_EQ(ReadPixel(11, 10), c.topRight);
            EXPECT_EQ(ReadPixel(10, 11), c.bottomLeft);
            EXPECT_EQ(ReadPixel(11, 11), c.bottomRight);
        }
    }
}

TEST_F(GLPictureTest, SourceRectangleSelectsPartOfThePicture) {
    GLPicture& picture = Quadrants();
    picture.Blit(1, 1, 2, 2, 5, 5, false, false);
    EXPECT_EQ(ReadPixel(5, 5), YellowPixel);
    EXPECT_EQ(ReadPixel(6, 5), BlackPixel);
    EXPECT_EQ(ReadPixel(5, 6), BlackPixel);
}

TEST_F(GLPictureTest, ZoomScalesAboutTheCentreOfTheDrawnRectangle) {
    GLPicture& picture = FromArray(std::vector<uint32_t>(16, White), 4, 4);
    picture.BlitBlendedTransformed(0, 0, 4, 4, 100, 100, 0, 2, 1, false, false, 0, 0);
    EXPECT_EQ(ReadPixel(98, 98), Opaque(White));
    EXPECT_EQ(ReadPixel(105, 105), Opaque(White));
    EXPECT_EQ(ReadPixel(97, 98), BlackPixel);
    EXPECT_EQ(ReadPixel(98, 97), BlackPixel);
    EXPECT_EQ(ReadPixel(106, 105), BlackPixel);
    EXPECT_EQ(ReadPixel(105, 106), BlackPixel);

    ClearTo(0, 0, 0);
    picture.BlitTransformed(0, 0, 4, 4, 100, 100, 0, 0.5f, false, false);
    EXPECT_EQ(ReadPixel(101, 101), Opaque(White));
    EXPECT_EQ(ReadPixel(102, 102), Opaque(White));
    EXPECT_EQ(ReadPixel(100, 100), BlackPixel);
    EXPECT_EQ(ReadPixel(103, 103), BlackPixel);
}

TEST_F(GLPictureTest, NothingIsDrawnWithZeroZoomOrNoAlpha) {
    GLPicture& picture = FromArray(std::vector<uint32_t>(4, White), 2, 2);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 10, 0, 0, 1, false, false, 0, 0);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 10, 0, 1, 0, false, false, 0, 0);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 10, 30, 2, -0.5f, false, false, 0, 0);
    picture.BlitTransformed(0, 0, 2, 2, 10, 10, 0, 0, false, false);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            ASSERT_EQ(ReadPixel(x, y), BlackPixel) << x << "," << y;
        }
    }
}

// Left half red, right half blue, 4 x 2.
TEST_F(GLPictureTest, PositiveAngleTurnsCounterClockwiseAboutTheCentreMovedByThePivot) {
    GLPicture& picture = FromArray({Red, Red, Blue, Blue, Red, Red, Blue, Blue}, 4, 2);
    // About the centre (102, 101): the right half turns upwards.
    picture.BlitBlendedTransformed(0, 0, 4, 2, 100, 100, 90, 1, 1, false, false, 0, 0);
    EXPECT_EQ(ReadPixel(101, 99), BluePixel);
    EXPECT_EQ(ReadPixel(102, 100), BluePixel);
    EXPECT_EQ(ReadPixel(101, 101), RedPixel);
    EXPECT_EQ(ReadPixel(102, 102), RedPixel);
    EXPECT_EQ(ReadPixel(100, 100), BlackPixel);
    EXPECT_EQ(ReadPixel(103, 100), BlackPixel);
    EXPECT_EQ(ReadPixel(101, 98), BlackPixel);
    EXPECT_EQ(ReadPixel(101, 103), BlackPixel);

    // About (104, 101), the right edge: the picture swings below it.
    ClearTo(0, 0, 0);
    picture.BlitBlendedTransformed(0, 0, 4, 2, 100, 100, 90, 1, 1, false, false, 2, 0);
    EXPECT_EQ(ReadPixel(103, 101), BluePixel);
    EXPECT_EQ(ReadPixel(104, 102), BluePixel);
    EXPECT_EQ(ReadPixel(103, 103), RedPixel);
    EXPECT_EQ(ReadPixel(104, 104), RedPixel);
    EXPECT_EQ(ReadPixel(102, 102), BlackPixel);
    EXPECT_EQ(ReadPixel(103, 100), BlackPixel);
    EXPECT_EQ(ReadPixel(103, 105), BlackPixel);
}

TEST_F(GLPictureTest, PivotHasNoEffectWithoutTurnOrZoom) {
    GLPicture& picture = Quadrants();
    picture.BlitBlendedTransformed(0, 0, 2, 2, 30, 40, 0, 1, 1, false, false, 50, -25);
    EXPECT_EQ(ReadPixel(30, 40), RedPixel);
    EXPECT_EQ(ReadPixel(31, 41), YellowPixel);
}

TEST_F(GLPictureTest, AlphaAndModulationTintTheBlendedDraws) {
    GLPicture& picture = FromArray(std::vector<uint32_t>(4, White), 2, 2);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 0, 0, 0, 1, 0.5f, false, false, 0, 0);
    EXPECT_THAT(ReadPixel(0, 0), NearColour(RGBA{128, 128, 128, 255}, 1));

    // Out-of-range values are clamped.
    picture.SetColorModulation(2, 0.5f, -1, 1);
    picture.BlitBlended(0, 0, 2, 2, 10, 0, false, false);
    EXPECT_THAT(ReadPixel(10, 0), NearColour(RGBA{255, 128, 0, 255}, 1));

    // The modulation alpha multiplies the draw's alpha.
    picture.SetColorModulation(1, 1, 1, 0.5f);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 20, 0, 0, 1, 0.5f, false, false, 0, 0);
    EXPECT_THAT(ReadPixel(20, 0), NearColour(RGBA{64, 64, 64, 255}, 1));
    picture.StretchBlended(0, 0, 2, 2, 30, 0, 32, 2, -1, 0, false, false, 0, 0);
    EXPECT_THAT(ReadPixel(30, 0), NearColour(RGBA{128, 128, 128, 255}, 1));

    // All ones switches modulation off again.
    picture.SetColorModulation(0, 0, 1, 1);
    picture.SetColorModulation(1, 1, 1, 1);
    picture.BlitBlended(0, 0, 2, 2, 40, 0, false, false);
    EXPECT_EQ(ReadPixel(40, 0), Opaque(White));

    // An opaque blit is never tinted by an earlier blended draw.
    picture.SetColorModulation(0, 0, 1, 1);
    picture.BlitBlended(0, 0, 2, 2, 50, 0, false, false);
    picture.Blit(0, 0, 2, 2, 60, 0, false, false);
    EXPECT_EQ(ReadPixel(50, 0), BluePixel);
    EXPECT_EQ(ReadPixel(60, 0), Opaque(White));
}

TEST_F(GLPictureTest, BlendModesCombineWithAKnownBackground) {
    // (200, 50, 0) at alpha 128 over grey 100.
    GLPicture& picture = FromArray(std::vector<uint32_t>(4, PackRGBA(200, 50, 0, 128)), 2, 2);
    struct Case {
        int mode;
        RGBA expected;
    };
    const Case cases[] = {
        {GLPicture::BlendAdditive, {200, 125, 100, 255}},
        {GLPicture::BlendNormal, {150, 75, 50, 255}},
        {GLPicture::BlendPremultiplied, {250, 100, 50, 255}},
        {GLPicture::BlendDarken, {50, 50, 50, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        picture.FillRect(0, 0, 10, 10, 100 / 255.0f, 100 / 255.0f, 100 / 255.0f, 1.0f);
        picture.SetBlendMode(c.mode);
        picture.BlitBlended(0, 0, 2, 2, 0, 0, false, false);
        EXPECT_THAT(ReadPixel(0, 0), NearColour(c.expected, 2));
        EXPECT_THAT(ReadPixel(5, 5), NearColour(RGBA{100, 100, 100, 255}, 0));
    }
    // An unknown mode keeps the last one.
    picture.SetBlendMode(7);
    picture.FillRect(0, 0, 10, 10, 100 / 255.0f, 100 / 255.0f, 100 / 255.0f, 1.0f);
    picture.BlitBlended(0, 0, 2, 2, 0, 0, false, false);
    EXPECT_THAT(ReadPixel(0, 0), NearColour(RGBA{50, 50, 50, 255}, 2));
}

TEST_F(GLPictureTest, FillRectIsOpaqueAtFullAlphaWhateverTheBlendMode) {
    GLPicture& picture = Quadrants();
    picture.SetBlendMode(GLPicture::BlendDarken);
    ClearTo(255, 255, 255);
    picture.FillRect(10, 10, 20, 20, 1, 0, 0, 1.0f);
    EXPECT_EQ(ReadPixel(10, 10), RedPixel);
    EXPECT_EQ(ReadPixel(19, 19), RedPixel);
    EXPECT_EQ(ReadPixel(9, 10), Opaque(White));
    EXPECT_EQ(ReadPixel(20, 19), Opaque(White));
    EXPECT_EQ(ReadPixel(19, 20), Opaque(White));

    // Below full alpha it blends normally, still ignoring the picture's mode.
    picture.FillRect(30, 10, 40, 20, 1, 0, 0, 0.5f);
    EXPECT_THAT(ReadPixel(35, 15), NearColour(RGBA{255, 128, 128, 255}, 1));

    // The fill switched texturing off; the picture still draws afterwards.
    picture.Blit(0, 0, 2, 2, 50, 50, false, false);
    EXPECT_EQ(ReadPixel(50, 50), RedPixel);
}

TEST_F(GLPictureTest, PointsAndLinesLightThePixelsNamed) {
    GLPicture& picture = Quadrants();
    picture.PlotPixel(50, 60, 0, 1, 0, 1);
    EXPECT_EQ(ReadPixel(50, 60), GreenPixel);
    EXPECT_EQ(ReadPixel(51, 60), BlackPixel);
    EXPECT_EQ(ReadPixel(50, 59), BlackPixel);
    picture.DrawLine(100, 70, 110, 70, 0, 0, 1, 1);
    EXPECT_EQ(ReadPixel(100, 70), BluePixel);
    EXPECT_EQ(ReadPixel(105, 70), BluePixel);
    EXPECT_EQ(ReadPixel(105, 69), BlackPixel);
    EXPECT_EQ(ReadPixel(105, 71), BlackPixel);
}

TEST_F(GLPictureTest, StretchMapsTheSourceOntoTheDestinationRectangle) {
    GLPicture& picture = Quadrants();
    picture.StretchBlended(0, 0, 2, 2, 10, 10, 30, 30, 1, 0, false, false, 0, 0);
    EXPECT_EQ(ReadPixel(10, 10), RedPixel);
    EXPECT_EQ(ReadPixel(19, 19), RedPixel);
    EXPECT_EQ(ReadPixel(20, 10), GreenPixel);
    EXPECT_EQ(ReadPixel(10, 29), BluePixel);
    EXPECT_EQ(ReadPixel(29, 29), YellowPixel);
    EXPECT_EQ(ReadPixel(30, 30), BlackPixel);

    // A half turn about the destination's centre.
    ClearTo(0, 0, 0);
    picture.StretchBlended(0, 0, 2, 2, 10, 10, 30, 30, 1, 180, false, false, 0, 0);
    EXPECT_EQ(ReadPixel(12, 12), YellowPixel);
    EXPECT_EQ(ReadPixel(27, 27), RedPixel);
}

TEST_F(GLPictureTest, ArrayPicturesApplyTheColourKeyInPlace) {
    std::vector<uint32_t> pixels{Magenta, NearMagenta, PackRGBA(255, 0, 255, 128), Blue};
    auto picture = CreatePicture();
    picture->SetColorKey(true, 255, 0, 255);
    ASSERT_TRUE(picture->MakePictureFromArray(pixels.data(), 2, 2, false));
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0, NearMagenta, 0, Blue}));
    EXPECT_EQ(picture->GetWidth(), 2);
    EXPECT_EQ(picture->TextureSide(), 4);

    ClearTo(0, 255, 0);
    picture->BlitBlended(0, 0, 2, 2, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(0, 0), GreenPixel);
    EXPECT_EQ(ReadPixel(1, 0), Opaque(NearMagenta));
    EXPECT_EQ(ReadPixel(0, 1), GreenPixel);
    EXPECT_EQ(ReadPixel(1, 1), BluePixel);

    // A refresh uploads the array as it is now.
    pixels[3] = Red;
    picture->RefreshFromArray();
    picture->BlitBlended(0, 0, 2, 2, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(1, 1), RedPixel);

    // Bad arguments change nothing.
    EXPECT_FALSE(picture->MakePictureFromArray(nullptr, 2, 2, false));
    EXPECT_FALSE(picture->MakePictureFromArray(pixels.data(), 0, 2, false));
    EXPECT_FALSE(picture->MakePictureFromArray(pixels.data(), 2, -1, false));
    EXPECT_TRUE(picture->IsLoaded());
    EXPECT_EQ(picture->GetWidth(), 2);
}

TEST_F(GLPictureTest, GrabbedBackBufferHoldsTheScreenThroughTheFilter) {
    ClearTo(0, 0, 255);
    GLPicture& brush = Quadrants();
    brush.FillRect(0, 0, 10, 10, 1, 0, 0, 1);
    int calls = 0;
    int maxX = 0;
    int maxY = 0;
    auto grabbed = CreatePicture();
    ASSERT_TRUE(grabbed->GrabBackBuffer([&](int x, int y, uint8_t& r, uint8_t& g, uint8_t&) {
        ++calls;
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
        if (x >= 5 && r == 255) {
            r = 0;
            g = 255;
        }
    }));
    EXPECT_EQ(calls, 800 * 600);
    EXPECT_EQ(maxX, 799);
    EXPECT_EQ(maxY, 599);
    EXPECT_EQ(grabbed->GetWidth(), 800);
    EXPECT_EQ(grabbed->GetHeight(), 600);
    EXPECT_EQ(grabbed->TextureSide(), 1024);

    ClearTo(0, 0, 0);
    grabbed->Blit(0, 0, 800, 600, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(0, 0), RedPixel);
    EXPECT_EQ(ReadPixel(4, 9), RedPixel);
    EXPECT_EQ(ReadPixel(5, 0), GreenPixel);
    EXPECT_EQ(ReadPixel(9, 9), GreenPixel);
    EXPECT_EQ(ReadPixel(10, 10), BluePixel);
    EXPECT_EQ(ReadPixel(799, 599), BluePixel);
}

TEST_F(GLPictureTest, AlternatingPicturesEachDrawTheirOwnTexture) {
    GLPicture& red = FromArray(std::vector<uint32_t>(4, Red), 2, 2);
    GLPicture& blue = FromArray(std::vector<uint32_t>(4, Blue), 2, 2);
    for (int i = 0; i < 6; ++i) {
        GLPicture& picture = (i % 2 == 0) ? red : blue;
        picture.BlitBlended(0, 0, 2, 2, static_cast<float>(i * 10), 0, false, false);
        if (i == 3) {
            red.FillRect(0, 20, 2, 22, 0, 1, 0, 1);
        }
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ReadPixel(i * 10, 0), i % 2 == 0 ? RedPixel : BluePixel) << i;
    }

    // A picture made after another was freed may get the same texture name; it still draws.
    auto first = CreatePicture();
    std::vector<uint32_t> yellow(4, Yellow);
    ASSERT_TRUE(first->MakePictureFromArray(yellow.data(), 2, 2, true));
    first->Blit(0, 0, 2, 2, 100, 0, false, false);
    first->FreePicture();
    first->FreePicture();
    auto second = CreatePicture();
    std::vector<uint32_t> green(4, Green);
    ASSERT_TRUE(second->MakePictureFromArray(green.data(), 2, 2, true));
    red.Blit(0, 0, 2, 2, 110, 0, false, false);
    second->Blit(0, 0, 2, 2, 120, 0, false, false);
    EXPECT_EQ(ReadPixel(100, 0), YellowPixel);
    EXPECT_EQ(ReadPixel(110, 0), RedPixel);
    EXPECT_EQ(ReadPixel(120, 0), GreenPixel);
}

}  // namespace
