#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "engine/Files.h"
#include "engine/FrameRecorder.h"
#include "engine/GLPicture.h"
#include "engine/GameWindow.h"
#include "engine/Input.h"
#include "engine/Letterbox.h"
#include "engine/ScreenPrimitives.h"
#include "engine/ScriptedInput.h"
#include "engine/SdlInputSeam.h"
#include "engine/WindowEvents.h"
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

// A whole multiple while it is at least 90 % of the smooth fit, else the smooth fit.
TEST(GameWindowLetterbox, ScalesTheScreenByAWholeMultipleOrElseSmoothlyAndCentresIt) {
    const struct {
        const char* what;
        int drawableWidth, drawableHeight, windowWidth, windowHeight;
        int x, y, width, height, wholeScale;
        double offsetX, offsetY, scale;
    } cases[] = {
        {"same size", 800, 600, 800, 600, 0, 0, 800, 600, 1, 0, 0, 1},
        {"a pixel more: 1x", 801, 601, 801, 601, 0, 0, 800, 600, 1, 0, 0, 1},
        {"2x exactly", 1600, 1200, 1600, 1200, 0, 0, 1600, 1200, 2, 0, 0, 2},
        {"a little more than 2x: 2x", 1740, 1300, 1740, 1300, 70, 50, 1600, 1200, 2, 70, 50, 2},
        {"2x is under 90 %: smooth", 1800, 1350, 1800, 1350, 0, 0, 1800, 1350, 0, 0, 0, 2.25},
        {"720p: smooth, bars left and right", 1280, 720, 1280, 720, 160, 0, 960, 720, 0, 160, 0, 1.2},
        {"1080p: smooth, never 1x", 1920, 1080, 1920, 1080, 240, 0, 1440, 1080, 0, 240, 0, 1.8},
        {"smaller: smooth", 640, 480, 640, 480, 0, 0, 640, 480, 0, 0, 0, 0.8},
        {"portrait: bars above and below", 1080, 1920, 1080, 1920, 0, 555, 1080, 810, 0, 0, 555, 1.35},
        {"high DPI, 4x in pixels", 3200, 2400, 1600, 1200, 0, 0, 3200, 2400, 4, 0, 0, 2},
        {"high DPI, smooth", 2560, 1440, 1280, 720, 320, 0, 1920, 1440, 0, 160, 0, 1.2},
        {"minimised: nothing divides by zero", 0, 0, 0, 0, 0, 0, 800, 600, 1, 0, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto box = GameWindow::ComputeLetterbox(800, 600, c.drawableWidth, c.drawableHeight,
                                                      c.windowWidth, c.windowHeight);
        EXPECT_EQ(std::tie(box.x, box.y, box.width, box.height, box.wholeScale),
                  std::tie(c.x, c.y, c.width, c.height, c.wholeScale));
        EXPECT_DOUBLE_EQ(box.windowOffsetX, c.offsetX);
        EXPECT_DOUBLE_EQ(box.windowOffsetY, c.offsetY);
        EXPECT_DOUBLE_EQ(box.windowScale, c.scale);
    }
}

// Window points to game pixels: the corners, the centre, the bars beside the screen, and every
// game pixel the mouse can be put in comes back as itself.
TEST(GameWindowLetterbox, MapsWindowPointsToTheGamePixelDrawnThere) {
    const struct {
        int drawableWidth, drawableHeight, windowWidth, windowHeight;
        std::array<int, 4> points;  // window x, y -> game x, y
    } cases[] = {
        {800, 600, 800, 600, {799, 599, 799, 599}},      {1280, 720, 1280, 720, {160, 0, 0, 0}},
        {1280, 720, 1280, 720, {1119, 719, 799, 599}},   {1280, 720, 1280, 720, {640, 360, 400, 300}},
        {1280, 720, 1280, 720, {159, 0, -1, 0}},         {1280, 720, 1280, 720, {1120, 0, 800, 0}},
        {1920, 1080, 1920, 1080, {258, 18, 10, 10}},     {1920, 1080, 1920, 1080, {239, 1079, -1, 599}},
        {1920, 1080, 1920, 1080, {1679, 540, 799, 300}}, {1600, 1200, 1600, 1200, {1, 1199, 0, 599}},
        {1740, 1300, 1740, 1300, {69, 50, -1, 0}},       {640, 480, 640, 480, {639, 479, 798, 598}},
        {2560, 1440, 1280, 720, {160, 719, 0, 599}},     {2560, 1440, 1280, 720, {1119, 360, 799, 300}},
    };
    for (const auto& c : cases) {
        const auto box = GameWindow::ComputeLetterbox(800, 600, c.drawableWidth, c.drawableHeight,
                                                      c.windowWidth, c.windowHeight);
        const auto [windowX, windowY, x, y] = c.points;
        SCOPED_TRACE(std::to_string(c.windowWidth) + " x " + std::to_string(c.windowHeight) + " at " +
                     std::to_string(windowX) + ", " + std::to_string(windowY));
        EXPECT_EQ(WindowToScreen(windowX, box.windowOffsetX, box.windowScale), x);
        EXPECT_EQ(WindowToScreen(windowY, box.windowOffsetY, box.windowScale), y);
        for (int pixel = 0; pixel < 800 && box.windowScale >= 1; ++pixel) {
            const int there = ScreenToWindow(pixel, box.windowOffsetX, box.windowScale);
            ASSERT_EQ(WindowToScreen(there, box.windowOffsetX, box.windowScale), pixel);
        }
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

TEST_F(GameWindowTest, ResizingTheWindowMovesTheLetterboxAndTheMouseMapping) {
    auto window = NewWindow();
    const struct {
        int width, height, boxX, boxWidth;
        double scale;
    } sizes[] = {{1600, 1200, 0, 1600, 2}, {1280, 720, 160, 960, 1.2}, {400, 300, 0, 400, 0.5}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(size.width);
        SDL_SetWindowSize(window->GetWindowHandle(), size.width, size.height);
        window->ProcessEvents();
        EXPECT_EQ(std::pair(window->CurrentLetterbox().x, window->CurrentLetterbox().width),
                  std::pair(size.boxX, size.boxWidth));
        EXPECT_FLOAT_EQ(GetScreenMapping().scale, size.scale);
        EXPECT_EQ(std::pair(window->Placement().width, window->Placement().height),
                  std::pair(size.width, size.height));
    }
}

TEST_F(GameWindowTest, AWindowShotShowsTheScaledScreenInItsBars) {
    auto window = CreateGameWindowObject(true, false);
    window->OpenWith({0, 0, 1280, 720, false, false});
    ASSERT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo test"));
    window->SetDefaultWorldView();
    DrawQuarters();
    ASSERT_TRUE(window->SaveWindowScreenshot(dir_.File("window.png"), GameWindow::ScreenshotPng));
    Surface loaded(IMG_Load(dir_.File("window.png").c_str()), SDL_FreeSurface);
    ASSERT_TRUE(loaded);
    const Surface image(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0), SDL_FreeSurface);
    ASSERT_EQ(std::pair(image->w, image->h), std::pair(1280, 720));
    const std::pair<std::pair<int, int>, uint32_t> pixels[] = {
        {{159, 360}, Black}, {{160, 0}, Red},      {{638, 358}, Red},
        {{641, 361}, White}, {{1119, 719}, White}, {{1120, 360}, Black},
    };
    for (const auto& [at, colour] : pixels) {
        const auto* p = static_cast<const uint8_t*>(image->pixels) + at.second * image->pitch + at.first * 4;
        EXPECT_EQ((RGBA{p[0], p[1], p[2], p[3]}), Opaque(colour)) << at.first << ", " << at.second;
    }
}

// Scripted runs must not depend on where the player last left the window.
TEST_F(GameWindowTest, OffScreenThePlacementFileIsNeitherReadNorWritten) {
    std::ofstream(dir_.File("window.txt")) << "x 10\ny 10\nwidth 1000\nheight 700\nmaximised 0\n";
    auto window = CreateGameWindowObject(true, false);
    window->RememberPlacementIn(dir_.File("window.txt"));
    ASSERT_TRUE(window->CreateGameWindow(800, 600, -1, true, "Tandolo test"));
    EXPECT_EQ(window->CurrentLetterbox().drawableWidth, 800);
    SDL_SetWindowSize(window->GetWindowHandle(), 1200, 900);
    window->ProcessEvents();
    window->SavePlacement();
    std::string text;
    std::getline(std::ifstream(dir_.File("window.txt")), text, '\0');
    EXPECT_EQ(text, "x 10\ny 10\nwidth 1000\nheight 700\nmaximised 0\n");
}

// F11 and Alt+Enter, pressed in the window, switch full screen; a key's repeat does nothing, and
// the Enter of Alt+Enter is the window's until it is let go.
TEST_F(GameWindowTest, F11AndAltEnterSwitchFullScreen) {
    auto window = NewWindow();
    const auto key = [&](Uint32 type, SDL_Scancode scancode, Uint16 mod, Uint8 repeat) {
        SDL_Event event{};
        event.type = type;
        event.key.windowID = SDL_GetWindowID(window->GetWindowHandle());
        event.key.keysym.scancode = scancode;
        event.key.keysym.mod = mod;
        event.key.repeat = repeat;
        SDL_PushEvent(&event);
        window->ProcessEvents();
        return window->IsFullScreen();
    };
    EXPECT_TRUE(key(SDL_KEYDOWN, SDL_SCANCODE_F11, KMOD_NONE, 0));
    EXPECT_TRUE(key(SDL_KEYDOWN, SDL_SCANCODE_F11, KMOD_NONE, 1));
    EXPECT_FALSE(key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_LALT, 0));
    EXPECT_TRUE(IsEnterTakenByWindow());
    EXPECT_FALSE(key(SDL_KEYUP, SDL_SCANCODE_RETURN, KMOD_NONE, 0));
    EXPECT_FALSE(IsEnterTakenByWindow());
    EXPECT_FALSE(key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, KMOD_NONE, 0));
    EXPECT_FALSE(IsEnterTakenByWindow());
    EXPECT_TRUE(key(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, KMOD_RALT, 0));
    key(SDL_KEYUP, SDL_SCANCODE_KP_ENTER, KMOD_NONE, 0);
}

// Objects poll the button: a tap, down and up between two frames, must still read as a press.
TEST_F(GameWindowTest, ATapReadsAsHeldUntilAFrameHasSeenItAndAClickHasPassed) {
    auto window = NewWindow();
    SetInputSeam(nullptr);
    const auto tap = [&] {
        for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
            SDL_Event event{};
            event.type = type;
            event.button.windowID = SDL_GetWindowID(window->GetWindowHandle());
            event.button.button = SDL_BUTTON_LEFT;
            SDL_PushEvent(&event);
        }
        window->ProcessEvents();
        return IsMouseButtonDown();
    };
    const auto wait = [] { SDL_Delay(SdlInputSeam::ShortestPressMs + 10); };
    EXPECT_TRUE(tap());
    wait();
    EXPECT_TRUE(IsMouseButtonDown());  // no frame has read it yet
    CurrentInputSeam().BeforePresent();
    EXPECT_FALSE(IsMouseButtonDown());
    EXPECT_TRUE(tap());
    CurrentInputSeam().BeforePresent();
    EXPECT_TRUE(IsMouseButtonDown());  // read by a frame, but shorter than a click
    wait();
    EXPECT_FALSE(IsMouseButtonDown());
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
