#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "engine/Files.h"
#include "engine/FrameRecorder.h"
#include "engine/GLPicture.h"
#include "engine/GameWindow.h"
#include "engine/Input.h"
#include "engine/ScreenPrimitives.h"
#include "engine/ScriptedInput.h"
#include "support/GLTestWindow.h"

namespace {

// Installs a scripted seam for the scope of a test.
class ScriptedSeam : public ScriptedInput {
public:
    ScriptedSeam() { SetInputSeam(this); }
    ~ScriptedSeam() override { SetInputSeam(nullptr); }
    void PaceFrame(uint32_t intervalMs) override { pacedIntervals.push_back(intervalMs); }
    std::vector<uint32_t> pacedIntervals;
};

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

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

    // The picture file holds the whole screen with the quarters drawn.
    static void ExpectQuarters(const std::string& path) {
        Surface loaded(IMG_Load(path.c_str()), SDL_FreeSurface);
        ASSERT_TRUE(loaded) << path;
        const Surface image(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0),
                            SDL_FreeSurface);
        ASSERT_EQ(std::pair(image->w, image->h), std::pair(800, 600));
        const auto at = [&](int x, int y) {
            const auto* p = static_cast<const uint8_t*>(image->pixels) + y * image->pitch + x * 4;
            return RGBA{p[0], p[1], p[2], p[3]};
        };
        EXPECT_EQ(at(399, 299), Opaque(Red));
        EXPECT_EQ(at(400, 0), Opaque(Green));
        EXPECT_EQ(at(0, 300), Opaque(Blue));
        EXPECT_EQ(at(799, 599), Opaque(White));
    }

    static std::unique_ptr<GameWindow> NewWindow(bool depthBuffer = false) {
        auto window = CreateGameWindowObject(true, depthBuffer);
        EXPECT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo test"));
        return window;
    }

    TempDir dir_;
};

TEST(GameWindowLetterbox, ScalesTheScreenToTheLargestSizeThatFitsAndCentresIt) {
    const struct {
        const char* what;
        int drawableWidth, drawableHeight, windowWidth, windowHeight;
        int x, y, width, height;
        float offsetX, offsetY, scale;
    } cases[] = {
        {"same size", 800, 600, 800, 600, 0, 0, 800, 600, 0, 0, 1},
        {"wide: bars left and right", 1920, 1080, 1920, 1080, 240, 0, 1440, 1080, 240, 0, 1.8f},
        {"portrait: bars above and below", 1080, 1920, 1080, 1920, 0, 555, 1080, 810, 0, 555, 1.35f},
        {"high DPI: pixels twice the window", 3840, 2160, 1920, 1080, 480, 0, 2880, 2160, 240, 0, 1.8f},
        {"minimised: nothing divides by zero", 0, 0, 0, 0, 0, 0, 800, 600, 0, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto box = GameWindow::ComputeLetterbox(800, 600, c.drawableWidth, c.drawableHeight,
                                                      c.windowWidth, c.windowHeight);
        EXPECT_EQ(std::tie(box.x, box.y, box.width, box.height), std::tie(c.x, c.y, c.width, c.height));
        EXPECT_FLOAT_EQ(box.windowOffsetX, c.offsetX);
        EXPECT_FLOAT_EQ(box.windowOffsetY, c.offsetY);
        EXPECT_FLOAT_EQ(box.windowScale, c.scale);
    }
}

TEST_F(GameWindowTest, FadeVeilIsDrawnOverThePresentedFrameAndAClearingViewWipesTheScreen) {
    ScriptedSeam seam;
    RGBA presented;
    seam.onBeforePresent = [&] { presented = ReadPixel(400, 300); };
    const std::pair<float, RGBA> cases[] = {
        {0.25f, {64, 64, 64, 255}}, {1.0f, Opaque(White)},  {1.5f, Opaque(White)},
        {0.0f, Opaque(Black)},      {-1.0f, Opaque(Black)},
    };
    for (const auto& [level, expected] : cases) {
        SCOPED_TRACE(level);
        ClearTo(255, 255, 255);
        Window().SetFadeLevel(level);
        Window().FlipBackBuffer(true, true);
        EXPECT_THAT(presented, NearColour(expected, 1));
    }
    EXPECT_EQ(seam.presentedFrames, 5);
    ClearTo(255, 255, 255);
    Window().SetWorldView(0, 0, 0, 1, true);
    EXPECT_EQ(ReadPixel(400, 300), Opaque(Black));
}

TEST_F(GameWindowTest, ScreenshotsHoldTheScreenAsDrawnAndLeaveItAlone) {
    DrawQuarters();
    ASSERT_TRUE(Window().SaveScreenshot(dir_.File("shot.png"), GameWindow::ScreenshotPng, 0, 0));
    ExpectQuarters(dir_.File("shot.png"));
    EXPECT_FALSE(Window().SaveScreenshot(dir_.File("missing/shot.png"), GameWindow::ScreenshotPng, 0, 0));
    EXPECT_EQ(ReadPixel(799, 599), Opaque(White));
}

TEST_F(GameWindowTest, ScreenshotShortcutWritesNumberedFilesBesideTheExecutable) {
    const std::string savedDirectory = GetExecutableDirectory();
    SetExecutableDirectory(dir_.Path());
    ScriptedSeam seam;
    // A window of its own, so the numbering starts afresh.
    auto window = NewWindow();
    const auto exists = [&](const char* name) { return std::filesystem::exists(dir_.File(name)); };
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
    std::ofstream(dir_.File("screenshot3.tga")) << "keep";
    flip({KeyLeftShift});
    flip({KeyLeftShift, KeyPrintScreen});
    EXPECT_TRUE(exists("screenshot4.tga"));
    std::string contents;
    std::ifstream(dir_.File("screenshot3.tga")) >> contents;
    EXPECT_EQ(contents, "keep");
    ExpectQuarters(dir_.File("screenshot1.tga"));

    // Where no file can be made the picture is lost, but not without a word.
    std::ofstream(dir_.File("plain")) << "a file, not a folder";
    SetExecutableDirectory(dir_.File("plain"));
    flip({KeyLeftShift});
    ::testing::internal::CaptureStderr();
    flip({KeyLeftShift, KeyPrintScreen});
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(dir_.File("plain/screenshot5.tga") + ": Not a directory"), std::string::npos) << said;
    SetExecutableDirectory(savedDirectory);
}

// Off screen there is never vsync: the display's rate still holds the frames back.
TEST_F(GameWindowTest, WithoutVsyncOrCapTheFramesArePacedToTheDisplay) {
    ScriptedSeam seam;
    Window().FlipBackBuffer(true, true);
    ASSERT_EQ(seam.pacedIntervals.size(), 1u);
    EXPECT_GT(seam.pacedIntervals[0], 0u);
    EXPECT_LE(seam.pacedIntervals[0], 34u);
}

TEST_F(GameWindowTest, QuitEventAndItsOwnCloseRequestQuit) {
    auto window = NewWindow();
    window->ProcessEvents();
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    EXPECT_FALSE(window->IsQuitRequested());
    window->ProcessEvents();
    EXPECT_TRUE(window->IsQuitRequested());

    auto closing = NewWindow(true);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(closing->GetWindowHandle());
    SDL_PushEvent(&close);
    Window().MakeCurrent();
    Window().ProcessEvents();
    EXPECT_FALSE(Window().IsQuitRequested());  // another window's close
    SDL_PushEvent(&close);
    closing->FlipBackBuffer(true, true);
    EXPECT_TRUE(closing->IsQuitRequested());
}

TEST_F(GameWindowTest, FullScreenScalesTheScreenToTheDesktopAndMapsTheMouseBack) {
    auto window = NewWindow();
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

// A frame drawing what the screen shows is not drawn again, unless the window or a texture may
// have changed under the same draws.
TEST_F(GameWindowTest, OnlyAFrameThatDrawsSomethingNewIsPresented) {
    const auto frame = [](float red) {
        FillScreenRect(600, 0, 0, 10, 10, red, 0, 0, 1);
        return FinishFrame();
    };
    frame(1);
    frame(1);  // the test window drew early, so these two are presented whatever they draw
    EXPECT_FALSE(frame(1));
    EXPECT_TRUE(frame(0.5f));
    EXPECT_THAT(ReadPixel(5, 5), NearColour(RGBA{128, 0, 0, 255}, 1));
    frame(0.5f);
    frame(0.5f);
    EXPECT_FALSE(frame(0.5f));
    RedrawNextFrame();
    EXPECT_TRUE(frame(0.5f));

    FillScreenRect(600, 0, 0, 10, 10, 0.5f, 0, 0, 1);
    DrawPending();  // as a texture upload does
    EXPECT_TRUE(FinishFrame());
    EXPECT_TRUE(frame(0.5f));  // its draws before the upload used the texture as it was
    EXPECT_FALSE(frame(0.5f));
}

}  // namespace
