#include <SDL.h>
#include <SDL_image.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/Files.h"
#include "engine/GLPicture.h"
#include "engine/GameWindow.h"
#include "engine/Input.h"
#include "engine/ScriptedInput.h"
#include "support/GLTestWindow.h"

namespace {

MATCHER_P2(NearColour, expected, tolerance, "") {
    return std::abs(arg.r - expected.r) <= tolerance && std::abs(arg.g - expected.g) <= tolerance &&
           std::abs(arg.b - expected.b) <= tolerance;
}

// Installs a scripted seam for the scope of a test.
class ScriptedSeam : public ScriptedInput {
public:
    ScriptedSeam() { SetInputSeam(this); }
    ~ScriptedSeam() override { SetInputSeam(nullptr); }
    void PaceFrame(uint32_t intervalMs) override { pacedIntervals.push_back(intervalMs); }
    std::vector<uint32_t> pacedIntervals;
};

class ExecutableDirectoryOverride {
public:
    explicit ExecutableDirectoryOverride(const std::string& directory) : saved_(GetExecutableDirectory()) {
        SetExecutableDirectory(directory);
    }
    ~ExecutableDirectoryOverride() { SetExecutableDirectory(saved_); }

private:
    std::string saved_;
};

// A decoded picture file as RGBA bytes.
class DecodedImage {
public:
    explicit DecodedImage(const std::string& path) {
        if (SDL_Surface* loaded = IMG_Load(path.c_str())) {
            surface_ = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
            SDL_FreeSurface(loaded);
        }
    }
    ~DecodedImage() { SDL_FreeSurface(surface_); }
    DecodedImage(const DecodedImage&) = delete;
    DecodedImage& operator=(const DecodedImage&) = delete;

    bool Loaded() const { return surface_ != nullptr; }
    int Width() const { return surface_->w; }
    int Height() const { return surface_->h; }
    RGBA At(int x, int y) const {
        const auto* p = static_cast<const uint8_t*>(surface_->pixels) + y * surface_->pitch + x * 4;
        return RGBA{p[0], p[1], p[2], p[3]};
    }

private:
    SDL_Surface* surface_ = nullptr;
};

class GameWindowTest : public GLTestWindow {
protected:
    // Red top-left quarter, green top-right, blue bottom-left, white bottom-right.
    static void DrawQuarters() {
        auto brush = CreatePicture();
        brush->FillRect(0, 0, 400, 300, 1, 0, 0, 1);
        brush->FillRect(400, 0, 800, 300, 0, 1, 0, 1);
        brush->FillRect(0, 300, 400, 600, 0, 0, 1, 1);
        brush->FillRect(400, 300, 800, 600, 1, 1, 1, 1);
    }
};

TEST(GameWindowLetterbox, ScalesTheScreenToTheLargestSizeThatFitsAndCentresIt) {
    const auto same = GameWindow::ComputeLetterbox(800, 600, 800, 600, 800, 600);
    EXPECT_EQ(same.x, 0);
    EXPECT_EQ(same.y, 0);
    EXPECT_EQ(same.width, 800);
    EXPECT_EQ(same.height, 600);
    EXPECT_FLOAT_EQ(same.windowScale, 1);

    // Wide desktop: bars left and right.
    const auto wide = GameWindow::ComputeLetterbox(800, 600, 1920, 1080, 1920, 1080);
    EXPECT_EQ(wide.x, 240);
    EXPECT_EQ(wide.y, 0);
    EXPECT_EQ(wide.width, 1440);
    EXPECT_EQ(wide.height, 1080);
    EXPECT_FLOAT_EQ(wide.windowOffsetX, 240);
    EXPECT_FLOAT_EQ(wide.windowOffsetY, 0);
    EXPECT_FLOAT_EQ(wide.windowScale, 1.8f);

    // Portrait screen: bars above and below.
    const auto tall = GameWindow::ComputeLetterbox(800, 600, 1080, 1920, 1080, 1920);
    EXPECT_EQ(tall.x, 0);
    EXPECT_EQ(tall.width, 1080);
    EXPECT_EQ(tall.height, 810);
    EXPECT_EQ(tall.y, 555);
    EXPECT_FLOAT_EQ(tall.windowOffsetY, 555);

    // High DPI: twice the pixels of the window's coordinates.
    const auto dense = GameWindow::ComputeLetterbox(800, 600, 3840, 2160, 1920, 1080);
    EXPECT_EQ(dense.x, 480);
    EXPECT_EQ(dense.width, 2880);
    EXPECT_EQ(dense.drawableWidth, 3840);
    EXPECT_FLOAT_EQ(dense.windowOffsetX, 240);
    EXPECT_FLOAT_EQ(dense.windowScale, 1.8f);

    // The mouse at the letterbox's far corner maps back to the screen's far corner.
    const float mouseX = 240 + 1440;
    const float mouseY = 1080;
    EXPECT_FLOAT_EQ((mouseX - wide.windowOffsetX) / wide.windowScale, 800);
    EXPECT_FLOAT_EQ((mouseY - wide.windowOffsetY) / wide.windowScale, 600);

    // A minimised window has no drawable: nothing divides by zero.
    const auto none = GameWindow::ComputeLetterbox(800, 600, 0, 0, 0, 0);
    EXPECT_EQ(none.width, 800);
    EXPECT_FLOAT_EQ(none.windowScale, 1);
}

TEST_F(GameWindowTest, WindowedScreenFillsTheWindow) {
    const auto box = Window().CurrentLetterbox();
    EXPECT_EQ(box.width, 800);
    EXPECT_EQ(box.height, 600);
    EXPECT_EQ(Window().GetWidth(), 800);
    EXPECT_EQ(Window().GetHeight(), 600);
    EXPECT_FLOAT_EQ(GetScreenMapping().scale, 1);
    EXPECT_FLOAT_EQ(GetScreenMapping().offsetX, 0);
}

TEST_F(GameWindowTest, FadeLevelDrawsABlackVeilOverThePresentedFrame) {
    ScriptedSeam seam;
    RGBA presented;
    seam.onBeforePresent = [&] { presented = ReadPixel(400, 300); };
    struct Case {
        float level;
        RGBA expected;
    };
    const Case cases[] = {
        {0.25f, {64, 64, 64, 255}}, {1.0f, {255, 255, 255, 255}}, {1.5f, {255, 255, 255, 255}},
        {0.0f, {0, 0, 0, 255}},     {-1.0f, {0, 0, 0, 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        ClearTo(255, 255, 255);
        Window().SetFadeLevel(c.level);
        Window().FlipBackBuffer(true, true);
        EXPECT_THAT(presented, NearColour(c.expected, 1));
    }
    EXPECT_EQ(seam.presentedFrames, 5);
    Window().SetFadeLevel(1.0f);
}

TEST_F(GameWindowTest, BuiltInPointerIsDrawnAtTheMouse) {
    ScriptedSeam seam;
    seam.MoveMouse(200, 150);
    std::vector<RGBA> presented;
    seam.onBeforePresent = [&] {
        presented = {ReadPixel(200, 150), ReadPixel(201, 152), ReadPixel(205, 150), ReadPixel(199, 150)};
    };
    ClearTo(0, 128, 0);
    Window().SetDrawSystemCursor(true);
    Window().FlipBackBuffer(false, true);
    Window().SetDrawSystemCursor(false);
    ASSERT_EQ(presented.size(), 4u);
    EXPECT_EQ(presented[0], (RGBA{255, 255, 255, 255}));
    EXPECT_EQ(presented[1], (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(presented[2], (RGBA{0, 128, 0, 255}));
    EXPECT_EQ(presented[3], (RGBA{0, 128, 0, 255}));
}

TEST_F(GameWindowTest, ScreenshotsHoldTheScreenAsDrawn) {
    TempDir dir;
    DrawQuarters();
    const struct {
        const char* name;
        int format;
    } files[] = {{"shot.png", GameWindow::ScreenshotPng},
                 {"shot.tga", GameWindow::ScreenshotTga},
                 {"shot.bmp", GameWindow::ScreenshotBmp}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        ASSERT_TRUE(Window().SaveScreenshot(dir.File(file.name), file.format, 0, 0));
        DecodedImage image(dir.File(file.name));
        ASSERT_TRUE(image.Loaded());
        ASSERT_EQ(image.Width(), 800);
        ASSERT_EQ(image.Height(), 600);
        EXPECT_EQ(image.At(0, 0), (RGBA{255, 0, 0, 255}));
        EXPECT_EQ(image.At(399, 299), (RGBA{255, 0, 0, 255}));
        EXPECT_EQ(image.At(400, 0), (RGBA{0, 255, 0, 255}));
        EXPECT_EQ(image.At(0, 599), (RGBA{0, 0, 255, 255}));
        EXPECT_EQ(image.At(799, 599), (RGBA{255, 255, 255, 255}));
    }

    ASSERT_TRUE(Window().SaveScreenshot(dir.File("small.png"), GameWindow::ScreenshotPng, 80, 60));
    DecodedImage small(dir.File("small.png"));
    ASSERT_TRUE(small.Loaded());
    ASSERT_EQ(small.Width(), 80);
    ASSERT_EQ(small.Height(), 60);
    EXPECT_EQ(small.At(39, 29), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(small.At(40, 29), (RGBA{0, 255, 0, 255}));
    EXPECT_EQ(small.At(39, 30), (RGBA{0, 0, 255, 255}));

    ASSERT_TRUE(Window().SaveScreenshot(dir.File("shot.jpg"), GameWindow::ScreenshotJpeg, 0, 0));
    DecodedImage jpeg(dir.File("shot.jpg"));
    ASSERT_TRUE(jpeg.Loaded());
    EXPECT_THAT(jpeg.At(100, 100), NearColour(RGBA{255, 0, 0, 255}, 8));

    // Saving where nothing can be written reports it.
    EXPECT_FALSE(Window().SaveScreenshot(dir.File("missing/shot.tga"), GameWindow::ScreenshotTga, 0, 0));
    EXPECT_FALSE(Window().SaveScreenshot(dir.File("shot.xyz"), 9, 0, 0));

    // The drawing was not disturbed by taking the pictures.
    EXPECT_EQ(ReadPixel(0, 0), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(799, 599), (RGBA{255, 255, 255, 255}));
}

TEST_F(GameWindowTest, ScreenshotShortcutWritesNumberedFilesBesideTheExecutable) {
    TempDir dir;
    ExecutableDirectoryOverride exeDir(dir.Path());
    ScriptedSeam seam;
    // A window of its own, so the numbering starts afresh.
    auto window = CreateGameWindowObject(true, false);
    ASSERT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo screenshots"));
    const auto exists = [&](const char* name) { return std::filesystem::exists(dir.File(name)); };
    const auto flip = [&] {
        DrawQuarters();
        window->FlipBackBuffer(true, true);
    };

    seam.SetKey(KeyPrintScreen, true);
    flip();
    seam.SetKey(KeyPrintScreen, false);
    seam.SetKey(KeyF12, true);
    flip();
    seam.SetKey(KeyF12, false);
    EXPECT_FALSE(exists("screenshot1.tga"));

    seam.SetKey(KeyLeftShift, true);
    seam.SetKey(KeyF12, true);
    flip();
    EXPECT_TRUE(exists("screenshot1.tga"));
    // Held keys take one picture, not one per frame.
    flip();
    flip();
    EXPECT_FALSE(exists("screenshot2.tga"));

    seam.SetKey(KeyF12, false);
    flip();
    seam.SetKey(KeyPrintScreen, true);
    flip();
    EXPECT_TRUE(exists("screenshot2.tga"));
    EXPECT_FALSE(exists("screenshot3.tga"));

    // A file left by an earlier session is never overwritten.
    std::ofstream(dir.File("screenshot3.tga")) << "keep";
    seam.SetKey(KeyPrintScreen, false);
    flip();
    seam.SetKey(KeyPrintScreen, true);
    flip();
    EXPECT_TRUE(exists("screenshot4.tga"));
    std::ifstream kept(dir.File("screenshot3.tga"));
    std::string contents;
    kept >> contents;
    EXPECT_EQ(contents, "keep");

    DecodedImage image(dir.File("screenshot1.tga"));
    ASSERT_TRUE(image.Loaded());
    EXPECT_EQ(image.Width(), 800);
    EXPECT_EQ(image.At(10, 10), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(image.At(790, 590), (RGBA{255, 255, 255, 255}));
}

TEST_F(GameWindowTest, MaxFrameRateGivesTheWholeMillisecondIntervalToThePacing) {
    ScriptedSeam seam;
    Window().SetMaxFrameRate(60);
    EXPECT_EQ(Window().FrameIntervalMs(), 16u);
    Window().FlipBackBuffer(true, true);
    ASSERT_EQ(seam.pacedIntervals.size(), 1u);
    EXPECT_EQ(seam.pacedIntervals[0], 16u);

    Window().SetMaxFrameRate(30);
    EXPECT_EQ(Window().FrameIntervalMs(), 33u);
    Window().FlipBackBuffer(true, true);
    EXPECT_EQ(seam.pacedIntervals.back(), 33u);

    // No cap of its own: without vsync (never offscreen) the display's rate still holds it back.
    Window().SetMaxFrameRate(0);
    EXPECT_EQ(Window().FrameIntervalMs(), 0u);
    Window().FlipBackBuffer(true, true);
    EXPECT_GT(seam.pacedIntervals.back(), 0u);
    EXPECT_LE(seam.pacedIntervals.back(), 34u);
    Window().SetMaxFrameRate(-1);
    EXPECT_EQ(Window().FrameIntervalMs(), 0u);
}

TEST_F(GameWindowTest, QuitEventAndTerminateRequestQuit) {
    auto window = CreateGameWindowObject(true, false);
    ASSERT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo quit"));
    window->ProcessEvents();
    EXPECT_FALSE(window->IsQuitRequested());
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    EXPECT_FALSE(window->IsQuitRequested());
    window->ProcessEvents();
    EXPECT_TRUE(window->IsQuitRequested());

    auto other = CreateGameWindowObject(true, false);
    ASSERT_TRUE(other->CreateGameWindow(800, 600, -1, true, "Tandolo terminate"));
    other->Terminate();
    EXPECT_TRUE(other->IsQuitRequested());
    other->ProcessEvents();  // takes the posted quit message off the shared queue
    // The close message of one window does not close another.
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(other->GetWindowHandle());
    SDL_PushEvent(&close);
    Window().MakeCurrent();
    Window().ProcessEvents();
    EXPECT_FALSE(Window().IsQuitRequested());
}

TEST_F(GameWindowTest, WindowCloseRequestsQuit) {
    auto window = CreateGameWindowObject(true, true);
    ASSERT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo close"));
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(window->GetWindowHandle());
    SDL_PushEvent(&close);
    window->FlipBackBuffer(true, true);
    EXPECT_TRUE(window->IsQuitRequested());
}

TEST_F(GameWindowTest, FullScreenScalesTheScreenToTheDesktopAndMapsTheMouseBack) {
    auto window = CreateGameWindowObject(true, false);
    ASSERT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo full screen"));
    EXPECT_FALSE(window->IsFullScreen());
    ASSERT_TRUE(window->ToggleFullScreen(true));
    EXPECT_TRUE(window->ToggleFullScreen(true));
    window->FlipBackBuffer(true, true);
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    const auto box = window->CurrentLetterbox();
    const auto expected = GameWindow::ComputeLetterbox(800, 600, desktop.w, desktop.h, desktop.w, desktop.h);
    EXPECT_EQ(box.width, expected.width);
    EXPECT_EQ(box.height, expected.height);
    EXPECT_FLOAT_EQ(GetScreenMapping().scale, expected.windowScale);
    EXPECT_FLOAT_EQ(GetScreenMapping().offsetX, expected.windowOffsetX);
    // The game still sees its 800 x 600 screen.
    EXPECT_EQ(window->GetWidth(), 800);

    EXPECT_FALSE(window->ToggleFullScreen(false));
    window->FlipBackBuffer(true, true);
    EXPECT_EQ(window->CurrentLetterbox().width, 800);
    EXPECT_FLOAT_EQ(GetScreenMapping().scale, 1);
}

TEST_F(GameWindowTest, WorldViewMovesTurnsAndZoomsAboutTheScreenCentre) {
    auto brush = CreatePicture();
    Window().SetWorldView(10, 0, 0, 1, false);
    brush->FillRect(0, 0, 1, 1, 1, 0, 0, 1);
    EXPECT_EQ(ReadPixel(10, 0), (RGBA{255, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(0, 0), (RGBA{0, 0, 0, 255}));

    // The view's y follows OpenGL: upwards.
    Window().SetWorldView(0, 10, 0, 1, false);
    brush->FillRect(0, 20, 1, 21, 0, 1, 0, 1);
    EXPECT_EQ(ReadPixel(0, 10), (RGBA{0, 255, 0, 255}));

    Window().SetWorldView(0, 0, 0, 2, false);
    brush->FillRect(390, 290, 410, 310, 0, 0, 1, 1);
    EXPECT_EQ(ReadPixel(380, 280), (RGBA{0, 0, 255, 255}));
    EXPECT_EQ(ReadPixel(419, 319), (RGBA{0, 0, 255, 255}));
    EXPECT_EQ(ReadPixel(379, 300), (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(420, 300), (RGBA{0, 0, 0, 255}));

    Window().SetWorldView(0, 0, 180, 1, false);
    brush->FillRect(0, 0, 1, 1, 1, 1, 0, 1);
    EXPECT_EQ(ReadPixel(799, 599), (RGBA{255, 255, 0, 255}));

    Window().SetClearColor(0, 0, 1, 1);
    Window().SetWorldView(0, 0, 0, 1, true);
    Window().SetClearColor(0, 0, 0, 0);
    EXPECT_EQ(ReadPixel(400, 300), (RGBA{0, 0, 255, 255}));
}

TEST_F(GameWindowTest, ClipRectLimitsDrawingToTheRectangle) {
    auto brush = CreatePicture();
    Window().SetClipRect(10, 20, 30, 40);
    brush->FillRect(0, 0, 800, 600, 1, 1, 1, 1);
    Window().ClearClipRect();
    EXPECT_EQ(ReadPixel(10, 20), (RGBA{255, 255, 255, 255}));
    EXPECT_EQ(ReadPixel(29, 39), (RGBA{255, 255, 255, 255}));
    EXPECT_EQ(ReadPixel(9, 20), (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(10, 19), (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(30, 39), (RGBA{0, 0, 0, 255}));
    EXPECT_EQ(ReadPixel(29, 40), (RGBA{0, 0, 0, 255}));
    brush->FillRect(0, 0, 1, 1, 1, 1, 1, 1);
    EXPECT_EQ(ReadPixel(0, 0), (RGBA{255, 255, 255, 255}));
}

}  // namespace
