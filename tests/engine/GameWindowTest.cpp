#include <SDL.h>
#include <SDL_image.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
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

constexpr RGBA Red{255, 0, 0, 255};
constexpr RGBA Green{0, 255, 0, 255};
constexpr RGBA Blue{0, 0, 255, 255};
constexpr RGBA White{255, 255, 255, 255};
constexpr RGBA Black{0, 0, 0, 255};

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

// A picture file decoded to RGBA bytes; null when it cannot be read.
using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;
Surface Decode(const std::string& path) {
    Surface loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
    return Surface(loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0) : nullptr,
                   SDL_FreeSurface);
}
RGBA At(const Surface& image, int x, int y) {
    const auto* p = static_cast<const uint8_t*>(image->pixels) + y * image->pitch + x * 4;
    return RGBA{p[0], p[1], p[2], p[3]};
}

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

    static void ExpectQuarters(const std::string& path, int width, int height) {
        const Surface image = Decode(path);
        ASSERT_TRUE(image) << path;
        ASSERT_EQ(image->w, width);
        ASSERT_EQ(image->h, height);
        EXPECT_EQ(At(image, width / 2 - 1, height / 2 - 1), Red);
        EXPECT_EQ(At(image, width / 2, 0), Green);
        EXPECT_EQ(At(image, 0, height / 2), Blue);
        EXPECT_EQ(At(image, width - 1, height - 1), White);
    }

    static std::unique_ptr<GameWindow> NewWindow(bool depthBuffer = false) {
        auto window = CreateGameWindowObject(true, depthBuffer);
        EXPECT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo test"));
        return window;
    }

    static void PushClose(GameWindow& window) {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        close.window.windowID = SDL_GetWindowID(window.GetWindowHandle());
        SDL_PushEvent(&close);
    }
};

TEST(GameWindowLetterbox, ScalesTheScreenToTheLargestSizeThatFitsAndCentresIt) {
    struct Case {
        const char* what;
        int drawableWidth, drawableHeight, windowWidth, windowHeight;
        int x, y, width, height;
        float offsetX, offsetY, scale;
    };
    const Case cases[] = {
        {"same size", 800, 600, 800, 600, 0, 0, 800, 600, 0, 0, 1},
        {"wide: bars left and right", 1920, 1080, 1920, 1080, 240, 0, 1440, 1080, 240, 0, 1.8f},
        {"portrait: bars above and below", 1080, 1920, 1080, 1920, 0, 555, 1080, 810, 0, 555, 1.35f},
        {"high DPI: pixels twice the window", 3840, 2160, 1920, 1080, 480, 0, 2880, 2160, 240, 0, 1.8f},
        {"minimised: nothing divides by zero", 0, 0, 0, 0, 0, 0, 800, 600, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto box = GameWindow::ComputeLetterbox(800, 600, c.drawableWidth, c.drawableHeight,
                                                      c.windowWidth, c.windowHeight);
        EXPECT_EQ(box.x, c.x);
        EXPECT_EQ(box.y, c.y);
        EXPECT_EQ(box.width, c.width);
        EXPECT_EQ(box.height, c.height);
        EXPECT_FLOAT_EQ(box.windowOffsetX, c.offsetX);
        EXPECT_FLOAT_EQ(box.windowOffsetY, c.offsetY);
        EXPECT_FLOAT_EQ(box.windowScale, c.scale);
    }
}

TEST_F(GameWindowTest, FadeVeilAndBuiltInPointerAreDrawnOverThePresentedFrame) {
    ScriptedSeam seam;
    std::vector<RGBA> presented;
    seam.onBeforePresent = [&] {
        presented = {ReadPixel(400, 300), ReadPixel(200, 150), ReadPixel(201, 152), ReadPixel(199, 150)};
    };
    const std::pair<float, RGBA> cases[] = {
        {0.25f, {64, 64, 64, 255}}, {1.0f, White}, {1.5f, White}, {0.0f, Black}, {-1.0f, Black},
    };
    for (const auto& [level, expected] : cases) {
        SCOPED_TRACE(level);
        ClearTo(255, 255, 255);
        Window().SetFadeLevel(level);
        Window().FlipBackBuffer(true, true);
        EXPECT_THAT(presented[0], NearColour(expected, 1));
    }
    EXPECT_EQ(seam.presentedFrames, 5);
    Window().SetFadeLevel(1.0f);

    seam.MoveMouse(200, 150);
    ClearTo(0, 128, 0);
    Window().SetDrawSystemCursor(true);
    Window().FlipBackBuffer(false, true);
    Window().SetDrawSystemCursor(false);
    EXPECT_EQ(presented[1], White);  // the tip, outlined in black
    EXPECT_EQ(presented[2], Black);
    EXPECT_EQ(presented[3], (RGBA{0, 128, 0, 255}));
}

TEST_F(GameWindowTest, ScreenshotsHoldTheScreenAsDrawn) {
    TempDir dir;
    DrawQuarters();
    const std::pair<const char*, int> files[] = {{"shot.png", GameWindow::ScreenshotPng},
                                                 {"shot.tga", GameWindow::ScreenshotTga},
                                                 {"shot.bmp", GameWindow::ScreenshotBmp}};
    for (const auto& [name, format] : files) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(Window().SaveScreenshot(dir.File(name), format, 0, 0));
        ExpectQuarters(dir.File(name), 800, 600);
    }
    ASSERT_TRUE(Window().SaveScreenshot(dir.File("small.png"), GameWindow::ScreenshotPng, 80, 60));
    ExpectQuarters(dir.File("small.png"), 80, 60);
    ASSERT_TRUE(Window().SaveScreenshot(dir.File("shot.jpg"), GameWindow::ScreenshotJpeg, 0, 0));
    const Surface jpeg = Decode(dir.File("shot.jpg"));
    ASSERT_TRUE(jpeg);
    EXPECT_THAT(At(jpeg, 100, 100), NearColour(Red, 8));

    EXPECT_FALSE(Window().SaveScreenshot(dir.File("missing/shot.tga"), GameWindow::ScreenshotTga, 0, 0));
    EXPECT_FALSE(Window().SaveScreenshot(dir.File("shot.xyz"), 9, 0, 0));
    // Taking the pictures left the drawing alone.
    EXPECT_EQ(ReadPixel(799, 599), White);
}

TEST_F(GameWindowTest, ScreenshotShortcutWritesNumberedFilesBesideTheExecutable) {
    TempDir dir;
    const std::string savedDirectory = GetExecutableDirectory();
    SetExecutableDirectory(dir.Path());
    ScriptedSeam seam;
    // A window of its own, so the numbering starts afresh.
    auto window = NewWindow();
    const auto exists = [&](const char* name) { return std::filesystem::exists(dir.File(name)); };
    // One frame with these keys held.
    const auto flip = [&](std::initializer_list<int> held) {
        for (int key : {KeyPrintScreen, KeyF12, KeyLeftShift}) {
            seam.SetKey(key, std::find(held.begin(), held.end(), key) != held.end());
        }
        DrawQuarters();
        window->FlipBackBuffer(true, true);
    };

    flip({KeyPrintScreen});  // either key without shift takes nothing
    flip({KeyF12});
    EXPECT_FALSE(exists("screenshot1.tga"));
    flip({KeyLeftShift, KeyF12});
    EXPECT_TRUE(exists("screenshot1.tga"));
    // Held keys take one picture, not one per frame.
    flip({KeyLeftShift, KeyF12});
    flip({KeyLeftShift, KeyF12, KeyPrintScreen});
    EXPECT_FALSE(exists("screenshot2.tga"));
    flip({KeyLeftShift});
    flip({KeyLeftShift, KeyPrintScreen});
    EXPECT_TRUE(exists("screenshot2.tga"));

    // A file left by an earlier session is never overwritten.
    std::ofstream(dir.File("screenshot3.tga")) << "keep";
    flip({KeyLeftShift});
    flip({KeyLeftShift, KeyPrintScreen});
    EXPECT_TRUE(exists("screenshot4.tga"));
    std::string contents;
    std::ifstream(dir.File("screenshot3.tga")) >> contents;
    EXPECT_EQ(contents, "keep");
    ExpectQuarters(dir.File("screenshot1.tga"), 800, 600);
    SetExecutableDirectory(savedDirectory);
}

TEST_F(GameWindowTest, MaxFrameRateGivesTheWholeMillisecondIntervalToThePacing) {
    ScriptedSeam seam;
    for (const auto& [rate, interval] : {std::pair{60, 16u}, std::pair{30, 33u}, std::pair{-1, 0u}}) {
        Window().SetMaxFrameRate(rate);
        EXPECT_EQ(Window().FrameIntervalMs(), interval) << rate;
    }
    Window().SetMaxFrameRate(60);
    Window().FlipBackBuffer(true, true);
    EXPECT_EQ(seam.pacedIntervals, std::vector<uint32_t>{16u});
    // No cap of its own: without vsync (never offscreen) the display's rate still holds it back.
    Window().SetMaxFrameRate(0);
    Window().FlipBackBuffer(true, true);
    EXPECT_GT(seam.pacedIntervals.back(), 0u);
    EXPECT_LE(seam.pacedIntervals.back(), 34u);
}

TEST_F(GameWindowTest, QuitEventCloseAndTerminateRequestQuit) {
    auto window = NewWindow();
    window->ProcessEvents();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    EXPECT_FALSE(window->IsQuitRequested());
    window->ProcessEvents();
    EXPECT_TRUE(window->IsQuitRequested());

    auto other = NewWindow();
    other->Terminate();
    EXPECT_TRUE(other->IsQuitRequested());
    other->ProcessEvents();  // takes the posted quit message off the shared queue
    // The close message of one window does not close another.
    PushClose(*other);
    Window().MakeCurrent();
    Window().ProcessEvents();
    EXPECT_FALSE(Window().IsQuitRequested());

    auto closing = NewWindow(true);
    PushClose(*closing);
    closing->FlipBackBuffer(true, true);
    EXPECT_TRUE(closing->IsQuitRequested());
}

TEST_F(GameWindowTest, FullScreenScalesTheScreenToTheDesktopAndMapsTheMouseBack) {
    auto window = NewWindow();
    EXPECT_FALSE(window->IsFullScreen());
    ASSERT_TRUE(window->ToggleFullScreen(true));
    EXPECT_TRUE(window->ToggleFullScreen(true));
    window->FlipBackBuffer(true, true);
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    const auto expected = GameWindow::ComputeLetterbox(800, 600, desktop.w, desktop.h, desktop.w, desktop.h);
    EXPECT_EQ(window->CurrentLetterbox().width, expected.width);
    EXPECT_FLOAT_EQ(GetScreenMapping().scale, expected.windowScale);
    EXPECT_FLOAT_EQ(GetScreenMapping().offsetX, expected.windowOffsetX);
    EXPECT_EQ(window->GetWidth(), 800);  // the game still sees its own screen

    EXPECT_FALSE(window->ToggleFullScreen(false));
    window->FlipBackBuffer(true, true);
    EXPECT_EQ(window->CurrentLetterbox().width, 800);
    EXPECT_FLOAT_EQ(GetScreenMapping().scale, 1);
}

TEST_F(GameWindowTest, WorldViewAndClipRectPlaceAndLimitDrawing) {
    auto brush = CreatePicture();
    Window().SetWorldView(10, 0, 0, 1, false);
    brush->FillRect(0, 5, 1, 6, 1, 0, 0, 1);
    EXPECT_TRUE(Drawn(Red, 10, 5, 1, 1));
    // The view's y follows OpenGL: upwards.
    Window().SetWorldView(0, 10, 0, 1, false);
    brush->FillRect(5, 20, 6, 21, 0, 1, 0, 1);
    EXPECT_TRUE(Drawn(Green, 5, 10, 1, 1));
    // Zoom and turn about the screen centre.
    Window().SetWorldView(0, 0, 0, 2, false);
    brush->FillRect(390, 290, 410, 310, 0, 0, 1, 1);
    EXPECT_TRUE(Drawn(Blue, 380, 280, 40, 40));
    Window().SetWorldView(0, 0, 180, 1, false);
    brush->FillRect(0, 0, 1, 1, 1, 1, 0, 1);
    EXPECT_EQ(ReadPixel(799, 599), (RGBA{255, 255, 0, 255}));
    Window().SetClearColor(0, 0, 1, 1);
    Window().SetWorldView(0, 0, 0, 1, true);
    Window().SetClearColor(0, 0, 0, 0);
    EXPECT_EQ(ReadPixel(400, 300), Blue);

    Window().SetClipRect(10, 20, 30, 40);
    brush->FillRect(0, 0, 800, 600, 1, 1, 1, 1);
    Window().ClearClipRect();
    EXPECT_TRUE(Drawn(White, 10, 20, 20, 20));
    brush->FillRect(0, 0, 1, 1, 1, 1, 1, 1);
    EXPECT_EQ(ReadPixel(0, 0), White);
}

}  // namespace
