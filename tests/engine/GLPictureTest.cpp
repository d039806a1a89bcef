#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "engine/GLPicture.h"
#include "support/GLTestWindow.h"

namespace {

constexpr uint32_t Black = PackRGBA(0, 0, 0);
constexpr uint32_t Red = PackRGBA(255, 0, 0);
constexpr uint32_t Green = PackRGBA(0, 255, 0);
constexpr uint32_t Blue = PackRGBA(0, 0, 255);
constexpr uint32_t Yellow = PackRGBA(255, 255, 0);
constexpr uint32_t White = PackRGBA(255, 255, 255);
constexpr uint32_t Magenta = PackRGBA(255, 0, 255);
constexpr uint32_t NearMagenta = PackRGBA(255, 1, 255);

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
};

TEST_F(GLPictureTest, TexturesAreTheSmallestSquareOfAPowerOfTwoFromFourThatHoldsThePicture) {
    const int cases[][3] = {{1, 1, 4},       {4, 4, 4},     {5, 2, 8},     {65, 10, 128},
                            {256, 100, 256}, {257, 1, 512}, {1, 257, 512}, {800, 600, 1024}};
    for (const auto& c : cases) {
        EXPECT_EQ(GLPicture::TextureSideFor(c[0], c[1]), c[2]) << c[0] << " x " << c[1];
    }
    TempDir dir;
    ASSERT_TRUE(WritePng(dir.File("screen.png"), 800, 600, std::vector<uint32_t>(800 * 600, Red)));
    auto picture = CreatePicture();
    ASSERT_TRUE(picture->LoadPicture(dir.File("screen.png"), true, true));
    EXPECT_EQ(picture->TextureSide(), 1024);
    picture->Blit(0, 0, 800, 600, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(799, 599), Opaque(Red));
}

TEST_F(GLPictureTest, ColourKeyAndFileAlphaInBothFormats) {
    TempDir dir;
    const std::vector<uint32_t> alpha{PackRGBA(255, 255, 255, 0), PackRGBA(255, 255, 255, 128)};
    for (const std::string format : {"png", "tga"}) {
        SCOPED_TRACE(format);
        const auto write = format == "png" ? WritePng : WriteTga;
        ASSERT_TRUE(write(dir.File("keyed." + format), 2, 1, {Magenta, NearMagenta}, false));
        ASSERT_TRUE(write(dir.File("alpha." + format), 2, 1, alpha, true));

        // Only the exact key colour goes, and only when alpha is kept.
        auto picture = CreatePicture();
        picture->SetColorKey(true, 255, 0, 255);
        ASSERT_TRUE(picture->LoadPicture(dir.File("keyed." + format), true, true));
        ClearTo(0, 255, 0);
        picture->BlitBlended(0, 0, 2, 1, 10, 10, false, false);
        EXPECT_EQ(ReadPixel(10, 10), Opaque(Green));
        EXPECT_EQ(ReadPixel(11, 10), Opaque(NearMagenta));
        ASSERT_TRUE(picture->LoadPicture(dir.File("keyed." + format), true, false));
        picture->BlitBlended(0, 0, 2, 1, 10, 20, false, false);
        EXPECT_EQ(ReadPixel(10, 20), Opaque(Magenta));

        ASSERT_TRUE(picture->LoadPicture(dir.File("alpha." + format), true, true));
        ClearTo(0, 0, 0);
        picture->BlitBlended(0, 0, 2, 1, 0, 0, false, false);
        EXPECT_EQ(ReadPixel(0, 0), Opaque(Black));
        EXPECT_THAT(ReadPixel(1, 0), NearColour(RGBA{128, 128, 128, 255}, 1));
    }
}

TEST_F(GLPictureTest, DecoderIsChosenByTheNameAndFailuresLeaveThePictureEmpty) {
    TempDir dir;
    const std::vector<uint32_t> pixels{Red, Green, Blue, Yellow};
    for (const char* png : {"pic.png", "PIC2.PNG", "pic.dat"}) {
        ASSERT_TRUE(WritePng(dir.File(png), 2, 2, pixels));
    }
    // ".png" is tested after ".tga", so it wins wherever it stands in the name.
    for (const char* tga : {"pic.tga", "targa.png", "pic.png.tga"}) {
        ASSERT_TRUE(WriteTga(dir.File(tga), 2, 2, pixels, false));
    }
    std::ofstream(dir.File("empty.png")).close();

    auto picture = CreatePicture();
    for (const char* name : {"pic.png", "pic.tga", "PIC2.PNG"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(picture->LoadPicture(dir.File(name), true, true));
        picture->Blit(0, 0, 2, 2, 0, 0, false, false);
        ExpectSquare(0, 0, pixels);
    }
    for (const char* name : {"pic.dat", "targa.png", "pic.png.tga", "missing.png", "empty.png"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(picture->LoadPicture(dir.File("pic.png"), true, true));
        EXPECT_FALSE(picture->LoadPicture(dir.File(name), true, true));
        EXPECT_FALSE(picture->IsLoaded());
        EXPECT_EQ(picture->GetWidth(), 0);
    }

    // From memory the name only tells the format.
    std::ifstream in(dir.File("pic.tga"), std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(picture->LoadPictureFromMemory("whatever/name.tga", bytes.data(), bytes.size(), true, true));
    picture->Blit(0, 0, 2, 2, 3, 4, false, false);
    ExpectSquare(3, 4, pixels);
    EXPECT_FALSE(picture->LoadPictureFromMemory("name.bin", bytes.data(), bytes.size(), true, true));
    EXPECT_FALSE(picture->LoadPictureFromMemory("name.tga", bytes.data(), 0, true, true));
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

TEST_F(GLPictureTest, SourceAndDestinationRectanglesPickAndStretch) {
    GLPicture& picture = Quadrants();
    picture.Blit(1, 1, 2, 2, 5, 5, false, false);
    EXPECT_TRUE(Drawn(Yellow, 5, 5, 1, 1));
    picture.StretchBlended(0, 0, 2, 2, 10, 10, 30, 30, 1, 0, false, false, 0, 0);
    EXPECT_TRUE(Drawn(Red, 10, 10, 10, 10));
    EXPECT_TRUE(Drawn(Yellow, 20, 20, 10, 10));
    EXPECT_EQ(ReadPixel(20, 10), Opaque(Green));
    // A half turn about the destination's centre.
    picture.StretchBlended(0, 0, 2, 2, 40, 10, 60, 30, 1, 180, false, false, 0, 0);
    EXPECT_EQ(ReadPixel(42, 12), Opaque(Yellow));
    EXPECT_EQ(ReadPixel(57, 27), Opaque(Red));
}

TEST_F(GLPictureTest, ZoomScalesAboutTheCentreAndNothingIsDrawnWithZeroZoomOrNoAlpha) {
    GLPicture& picture = Solid(White, 4, 4);
    picture.BlitBlendedTransformed(0, 0, 4, 4, 100, 100, 0, 2, 1, false, false, 0, 0);
    EXPECT_TRUE(Drawn(White, 98, 98, 8, 8));
    picture.BlitTransformed(0, 0, 4, 4, 200, 100, 0, 0.5f, false, false);
    EXPECT_TRUE(Drawn(White, 201, 101, 2, 2));

    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 10, 0, 0, 1, false, false, 0, 0);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 10, 0, 1, 0, false, false, 0, 0);
    picture.BlitBlendedTransformed(0, 0, 2, 2, 10, 10, 30, 2, -0.5f, false, false, 0, 0);
    picture.BlitTransformed(0, 0, 2, 2, 10, 10, 0, 0, false, false);
    for (int y = 0; y < 20; ++y) {
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
    // About (104, 101), the right edge: the picture swings below it.
    picture.BlitBlendedTransformed(0, 0, 4, 2, 200, 100, 90, 1, 1, false, false, 2, 0);
    EXPECT_TRUE(Drawn(Blue, 203, 101, 2, 2));
    EXPECT_TRUE(Drawn(Red, 203, 103, 2, 2));
    // Without turn or zoom the pivot changes nothing.
    picture.BlitBlendedTransformed(0, 0, 4, 2, 30, 40, 0, 1, 1, false, false, 50, -25);
    EXPECT_TRUE(Drawn(Red, 30, 40, 2, 2));
}

TEST_F(GLPictureTest, AlphaAndModulationTintTheBlendedDraws) {
    GLPicture& picture = Solid(White, 2, 2);
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
    EXPECT_EQ(ReadPixel(50, 0), Opaque(Blue));
    EXPECT_EQ(ReadPixel(60, 0), Opaque(White));
}

TEST_F(GLPictureTest, BlendModesCombineWithAKnownBackground) {
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
}

TEST_F(GLPictureTest, FillsAreOpaqueWhateverTheBlendModeAndPointsAndLinesLightThePixelsNamed) {
    GLPicture& picture = Quadrants();
    picture.SetBlendMode(GLPicture::BlendDarken);
    ClearTo(255, 255, 255);
    picture.FillRect(10, 10, 20, 20, 1, 0, 0, 1.0f);
    EXPECT_TRUE(Drawn(Red, 10, 10, 10, 10));
    // Below full alpha it blends normally.
    picture.FillRect(30, 10, 40, 20, 1, 0, 0, 0.5f);
    EXPECT_THAT(ReadPixel(35, 15), NearColour(RGBA{255, 128, 128, 255}, 1));

    picture.SetBlendMode(GLPicture::BlendNormal);  // points and lines do blend
    picture.PlotPixel(50, 60, 0, 1, 0, 1);
    EXPECT_TRUE(Drawn(Green, 50, 60, 1, 1));
    picture.DrawLine(100, 70, 110, 70, 0, 0, 1, 1);
    EXPECT_TRUE(Drawn(Blue, 100, 70, 10, 1));
    // The fills switched texturing off; the picture still draws afterwards.
    picture.Blit(0, 0, 2, 2, 50, 50, false, false);
    EXPECT_EQ(ReadPixel(50, 50), Opaque(Red));
}

TEST_F(GLPictureTest, ArrayPicturesApplyTheColourKeyInPlaceAndRefresh) {
    std::vector<uint32_t> pixels{Magenta, NearMagenta, PackRGBA(255, 0, 255, 128), Blue};
    auto picture = CreatePicture();
    picture->SetColorKey(true, 255, 0, 255);
    ASSERT_TRUE(picture->MakePictureFromArray(pixels.data(), 2, 2, false));
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0, NearMagenta, 0, Blue}));
    ClearTo(0, 255, 0);
    picture->BlitBlended(0, 0, 2, 2, 0, 0, false, false);
    ExpectSquare(0, 0, {Green, NearMagenta, Green, Blue});

    pixels[3] = Red;
    picture->RefreshFromArray();
    picture->BlitBlended(0, 0, 2, 2, 0, 0, false, false);
    EXPECT_EQ(ReadPixel(1, 1), Opaque(Red));

    // Bad arguments change nothing.
    EXPECT_FALSE(picture->MakePictureFromArray(nullptr, 2, 2, false));
    EXPECT_FALSE(picture->MakePictureFromArray(pixels.data(), 0, 2, false));
    EXPECT_FALSE(picture->MakePictureFromArray(pixels.data(), 2, -1, false));
    EXPECT_EQ(picture->GetWidth(), 2);
}

TEST_F(GLPictureTest, GrabbedBackBufferHoldsTheScreenThroughTheFilter) {
    ClearTo(0, 0, 255);
    Quadrants().FillRect(10, 10, 20, 20, 1, 0, 0, 1);
    int calls = 0;
    auto grabbed = CreatePicture();
    ASSERT_TRUE(grabbed->GrabBackBuffer([&](int x, int, uint8_t& r, uint8_t& g, uint8_t&) {
        ++calls;
        if (x >= 15 && r == 255) {
            r = 0;
            g = 255;
        }
    }));
    EXPECT_EQ(calls, 800 * 600);
    EXPECT_EQ(grabbed->GetHeight(), 600);
    ClearTo(0, 0, 0);
    grabbed->Blit(0, 0, 800, 600, 0, 0, false, false);
    EXPECT_TRUE(Drawn(Red, 10, 10, 5, 10));
    EXPECT_TRUE(Drawn(Green, 15, 10, 5, 10));
    EXPECT_EQ(ReadPixel(799, 599), Opaque(Blue));
}

TEST_F(GLPictureTest, AlternatingAndReusedPicturesEachDrawTheirOwnTexture) {
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
}

}  // namespace
