#include "engine/GameWindow.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "engine/Clock.h"
#include "engine/Files.h"
#include "engine/GLPicture.h"
#include "engine/Input.h"
#include "engine/InputSeam.h"
#include "engine/MessageBox.h"
#include "engine/ScreenPixels.h"
#include "engine/TgaWriter.h"

namespace {

constexpr int CursorSide = 16;
constexpr int UnknownRefreshRate = 60;

// The built-in pointer: W white, B black, '.' transparent.
constexpr const char* CursorRows[CursorSide] = {
    "WW..............", "WBW.............", "WBBW............", "WBBBW...........",
    "WBBBBW..........", "WBBBBBW.........", "WBBBBBBW........", "WBBBBBBBW.......",
    "WBBBBBBBBW......", "WBBBBBBBW.......", "WBBBBBWW........", "WBBBBBW.........",
    "WBBWBW..........", "WBW.W...........", "WW..............", "................",
};

std::vector<uint32_t> CursorPixels() {
    std::vector<uint32_t> pixels;
    pixels.reserve(CursorSide * CursorSide);
    for (const char* row : CursorRows) {
        for (int x = 0; x < CursorSide; ++x) {
            pixels.push_back(row[x] == 'W' ? 0xFFFFFFFFu : row[x] == 'B' ? 0xFF000000u : 0u);
        }
    }
    return pixels;
}

bool SaveWithSdl(const std::vector<uint8_t>& rgba, int width, int height, int format,
                 const std::string& path) {
    SDL_Surface* wrapped = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(rgba.data()), width,
                                                              height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (!wrapped) {
        return false;
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(wrapped, SDL_PIXELFORMAT_RGB24, 0);
    SDL_FreeSurface(wrapped);
    if (!rgb) {
        return false;
    }
    int result = -1;
    switch (format) {
        case GameWindow::ScreenshotBmp:
            result = SDL_SaveBMP(rgb, path.c_str());
            break;
        case GameWindow::ScreenshotJpeg:
            result = IMG_SaveJPG(rgb, path.c_str(), 90);
            break;
        case GameWindow::ScreenshotPng:
            result = IMG_SavePNG(rgb, path.c_str());
            break;
        default:
            break;
    }
    SDL_FreeSurface(rgb);
    return result == 0;
}

// The video subsystem and the OpenGL driver stay loaded until the process ends: unloading
// Mesa's EGL driver leaks inside the driver, which would fail every sanitizer run that closes
// its last window, and the process is about to end anyway.
bool StartVideo() {
    static bool started = false;
    if (!started) {
        // Desktop volume mixers and task lists show this name.
        SDL_SetHint(SDL_HINT_APP_NAME, "Tandolo");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            return false;
        }
        SDL_GL_LoadLibrary(nullptr);  // a failure shows when the window is made
        started = true;
    }
    return true;
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace

GameWindow::Letterbox GameWindow::ComputeLetterbox(int screenWidth, int screenHeight, int drawableWidth,
                                                   int drawableHeight, int windowWidth, int windowHeight) {
    Letterbox box;
    if (screenWidth < 1 || screenHeight < 1 || drawableWidth < 1 || drawableHeight < 1 || windowWidth < 1 ||
        windowHeight < 1) {
        box.width = box.drawableWidth = std::max(screenWidth, 0);
        box.height = box.drawableHeight = std::max(screenHeight, 0);
        return box;
    }
    const double scale = std::min(static_cast<double>(drawableWidth) / screenWidth,
                                  static_cast<double>(drawableHeight) / screenHeight);
    box.width = std::min(drawableWidth, static_cast<int>(std::lround(screenWidth * scale)));
    box.height = std::min(drawableHeight, static_cast<int>(std::lround(screenHeight * scale)));
    box.x = (drawableWidth - box.width) / 2;
    box.y = (drawableHeight - box.height) / 2;
    box.drawableWidth = drawableWidth;
    box.drawableHeight = drawableHeight;
    // With high DPI the window's coordinates (the mouse's) are coarser than its pixels.
    const double windowPerPixelX = static_cast<double>(windowWidth) / drawableWidth;
    const double windowPerPixelY = static_cast<double>(windowHeight) / drawableHeight;
    box.windowOffsetX = static_cast<float>(box.x * windowPerPixelX);
    box.windowOffsetY = static_cast<float>(box.y * windowPerPixelY);
    box.windowScale = static_cast<float>(static_cast<double>(box.width) / screenWidth * windowPerPixelX);
    return box;
}

GameWindow::GameWindow() = default;

GameWindow::~GameWindow() {
    if (context_) {
        SDL_GL_MakeCurrent(window_, context_);
    }
    cursorPicture_.reset();
    if (context_) {
        SDL_GL_DeleteContext(context_);
    }
    if (window_) {
        ShowMouseCursor();
        SDL_DestroyWindow(window_);
    }
    GLPicture::InvalidateBindCache();
    quitRequested_ = true;
}

bool GameWindow::CreateGameWindow(int width, int height, int depth, bool windowed, const std::string& title) {
    if (window_) {
        return false;
    }
    width_ = width;
    height_ = height;
    depth_ = depth;
    fullScreen_ = !windowed;
    if (!StartVideo()) {
        return ReportNoWindow(SDL_GetError());
    }
    // SDL falls back to drawing off screen when it finds no display; a player
    // would be left with an invisible game, so only an explicit choice counts.
    const char* requestedDriver = SDL_getenv("SDL_VIDEODRIVER");
    if (IsOffscreen() && (requestedDriver == nullptr || std::strcmp(requestedDriver, "offscreen") != 0)) {
        return ReportNoWindow("no display was found (is a graphical desktop running?)");
    }
    if (!OpenWindowWithContext(title, depthBuffer_) && !OpenWindowWithContext(title, false)) {
        return ReportNoWindow(SDL_GetError());
    }
    vsync_ = !IsOffscreen() && SDL_GL_SetSwapInterval(1) == 0;
    GLPicture::SetScreenSize(width, height, depth);
    GLPicture::InvalidateBindCache();
    GetExecutableDirectory();
    UpdateScreenMapping();

    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    SDL_RaiseWindow(window_);
    FlipBackBuffer(true, true);
    SetDefaultWorldView();
    return true;
}

bool GameWindow::OpenWindowWithContext(const std::string& title, bool withDepthBuffer) {
    const int colourBits = depth_ == 16 ? 5 : 8;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, colourBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, depth_ == 16 ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, colourBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, withDepthBuffer ? 16 : 0);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
    if (fullScreen_) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width_, height_,
                               flags);
    if (!window_) {
        return false;
    }
    context_ = SDL_GL_CreateContext(window_);
    if (context_ && SDL_GL_MakeCurrent(window_, context_) == 0) {
        return true;
    }
    if (context_) {
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    SDL_DestroyWindow(window_);
    window_ = nullptr;
    return false;
}

void GameWindow::MakeCurrent() {
    if (window_ && context_) {
        SDL_GL_MakeCurrent(window_, context_);
        GLPicture::InvalidateBindCache();
        UpdateScreenMapping();
    }
}

bool GameWindow::ReportNoWindow(const std::string& reason) {
    ShowMessageBox("Tandolo", "The game window could not be opened: " + reason);
    return false;
}

bool GameWindow::IsOffscreen() const {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") == 0;
}

GameWindow::Letterbox GameWindow::CurrentLetterbox() const {
    return letterbox_;
}

void GameWindow::UpdateScreenMapping() {
    if (!window_) {
        return;
    }
    int drawableWidth = 0;
    int drawableHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GL_GetDrawableSize(window_, &drawableWidth, &drawableHeight);
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    if (drawableWidth < 1 || drawableHeight < 1) {
        return;  // minimised: keep the last mapping
    }
    letterbox_ = ComputeLetterbox(width_, height_, drawableWidth, drawableHeight, windowWidth, windowHeight);
    SetScreenMapping({letterbox_.windowOffsetX, letterbox_.windowOffsetY, letterbox_.windowScale});
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window_);
    refreshRate_ = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
    ApplyViewport();
    ApplyClipRect();
}

void GameWindow::ApplyViewport() const {
    const Letterbox& box = letterbox_;
    glViewport(box.x, box.drawableHeight - box.y - box.height, box.width, box.height);
}

void GameWindow::ApplyClipRect() const {
    if (!clipOn_) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    const Letterbox& box = letterbox_;
    const double scaleX = static_cast<double>(box.width) / width_;
    const double scaleY = static_cast<double>(box.height) / height_;
    const int left = box.x + static_cast<int>(std::lround(clipRect_[0] * scaleX));
    const int right = box.x + static_cast<int>(std::lround(clipRect_[2] * scaleX));
    const int top = box.y + static_cast<int>(std::lround(clipRect_[1] * scaleY));
    const int bottom = box.y + static_cast<int>(std::lround(clipRect_[3] * scaleY));
    glScissor(left, box.drawableHeight - bottom, std::max(0, right - left), std::max(0, bottom - top));
    glEnable(GL_SCISSOR_TEST);
}

bool GameWindow::HasBars() const {
    const Letterbox& box = letterbox_;
    return box.width != box.drawableWidth || box.height != box.drawableHeight;
}

// The bars around a scaled screen stay black whatever the game clears or draws.
void GameWindow::ClearOutsideScreen() {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ApplyClipRect();
}

void GameWindow::SetDefaultWorldView() {
    SetWorldView(0, 0, 0, 1.0f, false);
}

void GameWindow::SetWorldView(float x, float y, float angle, float zoom, bool clear) {
    const float w = static_cast<float>(width_);
    const float h = static_cast<float>(height_);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -100, 100);
    if (clear) {
        const bool bars = HasBars();
        if (bars) {
            ClearOutsideScreen();
        }
        const bool scissorToScreen = bars && !clipOn_;
        if (scissorToScreen) {
            const Letterbox& box = letterbox_;
            glScissor(box.x, box.drawableHeight - box.y - box.height, box.width, box.height);
            glEnable(GL_SCISSOR_TEST);
        }
        glClearColor(clearColor_[0], clearColor_[1], clearColor_[2], clearColor_[3]);
        glClear(GL_COLOR_BUFFER_BIT);
        if (scissorToScreen) {
            glDisable(GL_SCISSOR_TEST);
        }
    }
    const float halfW = static_cast<float>(width_ / 2);
    const float halfH = static_cast<float>(height_ / 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(halfW, halfH, 0);
    glRotatef(angle, 0, 0, 1);
    glScalef(zoom, zoom, 0);
    glTranslatef(-halfW, -halfH, 0);
    if (zoom != 0) {
        glTranslatef(x / zoom, y / zoom, 0);
    }
    glDisable(GL_DEPTH_TEST);
    ApplyViewport();
    glEnable(GL_DITHER);
}

void GameWindow::SetClearColor(float red, float green, float blue, float alpha) {
    clearColor_[0] = red;
    clearColor_[1] = green;
    clearColor_[2] = blue;
    clearColor_[3] = alpha;
}

void GameWindow::Terminate() {
    quitRequested_ = true;
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
}

bool GameWindow::ToggleFullScreen(bool fullScreen) {
    if (!window_ || fullScreen == fullScreen_) {
        return fullScreen_;
    }
    if (SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
        return fullScreen_;
    }
    fullScreen_ = fullScreen;
    if (!fullScreen) {
        SDL_SetWindowSize(window_, width_, height_);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    UpdateScreenMapping();
    return fullScreen_;
}

bool GameWindow::HasFocus() const {
    if (!window_) {
        return false;
    }
    // The offscreen driver never hands out keyboard focus; it has no desktop to lose it to either.
    if (IsOffscreen()) {
        return true;
    }
    const Uint32 flags = SDL_GetWindowFlags(window_);
    return (flags & SDL_WINDOW_INPUT_FOCUS) != 0 && (flags & SDL_WINDOW_MINIMIZED) == 0;
}

void GameWindow::SetTitle(const std::string& title) {
    if (window_) {
        SDL_SetWindowTitle(window_, title.c_str());
    }
}

void GameWindow::RestoreWindow() {
    if (window_) {
        SDL_RestoreWindow(window_);
    }
}

void GameWindow::MinimizeWindow() {
    if (window_) {
        SDL_MinimizeWindow(window_);
    }
}

void GameWindow::FlipBackBuffer(bool waitWhileInactive, bool resetView) {
    if (!window_) {
        return;
    }
    if (drawSystemCursor_) {
        SetDefaultWorldView();
        DrawSystemCursor();
    }
    if (swapIntervalOff_) {
        SDL_GL_SetSwapInterval(1);
        swapIntervalOff_ = false;
    }
    if (fadeLevel_ < 1.0f) {
        DrawFadeVeil();
    }
    // Taken before the swap: afterwards the back buffer holds nothing defined.
    TakeScreenshotOnShortcut();
    InputSeam& seam = CurrentInputSeam();
    seam.BeforePresent();
    SDL_GL_SwapWindow(window_);
    if (HasBars()) {
        ClearOutsideScreen();
    }
    if (resetView) {
        SetDefaultWorldView();
    }
    ProcessEvents();
    seam.PaceFrame(PacingIntervalMs());
    if (waitWhileInactive) {
        WaitUntilFocused();
    }
}

uint32_t GameWindow::PacingIntervalMs() const {
    if (vsync_) {
        return frameIntervalMs_;
    }
    // Without vsync nothing else holds the loop back: never run faster than the display.
    const int refresh = refreshRate_ > 0 ? refreshRate_ : UnknownRefreshRate;
    return std::max(frameIntervalMs_, static_cast<uint32_t>(1000 / refresh));
}

void GameWindow::DrawFadeVeil() {
    SetDefaultWorldView();
    glDisable(GL_TEXTURE_2D);
    GLPicture::InvalidateBindCache();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, std::max(0.0f, 1.0f - fadeLevel_));
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(width_, 0);
    glVertex2i(width_, height_);
    glVertex2i(0, height_);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

void GameWindow::DrawSystemCursor() {
    if (!cursorPicture_) {
        cursorPixels_ = CursorPixels();
        cursorPicture_ = CreatePicture();
        cursorPicture_->MakePictureFromArray(cursorPixels_.data(), CursorSide, CursorSide, true);
    }
    cursorPicture_->BlitBlended(0, 0, CursorSide, CursorSide, GetMouseX(), GetMouseY(), false, false);
}

void GameWindow::ProcessEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        HandleEvent(event);
    }
}

void GameWindow::HandleEvent(const SDL_Event& event) {
    if (event.type == SDL_QUIT) {
        quitRequested_ = true;
        return;
    }
    if (event.type != SDL_WINDOWEVENT || !window_ || event.window.windowID != SDL_GetWindowID(window_)) {
        return;
    }
    switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            quitRequested_ = true;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            UpdateScreenMapping();
            break;
        default:
            break;
    }
}

// The game sleeps in the event loop while it is in the background; no time passes for it.
void GameWindow::WaitUntilFocused() {
    if (!CurrentInputSeam().FollowsWindowFocus() || HasFocus()) {
        return;
    }
    SDL_Event event;
    while (window_ && !quitRequested_ && !HasFocus()) {
        if (!SDL_WaitEvent(&event)) {
            break;
        }
        HandleEvent(event);
    }
    ResyncClock();
}

void GameWindow::TakeScreenshotOnShortcut() {
    const bool pressed = IsKeyDown(KeyLeftShift) && (IsKeyDown(KeyPrintScreen) || IsKeyDown(KeyF12));
    if (pressed && !screenshotKeysHeld_) {
        // Screenshots of earlier sessions are kept: take the next free number.
        std::string path;
        do {
            ++screenshotCounter_;
            path = MakeFilePath("screenshot" + std::to_string(screenshotCounter_) + ".tga");
        } while (FileExists(path));
        SaveScreenshot(path, ScreenshotTga, 0, 0);
    }
    screenshotKeysHeld_ = pressed;
}

void GameWindow::SetMaxFrameRate(int framesPerSecond) {
    if (framesPerSecond > 0) {
        frameIntervalMs_ = static_cast<uint32_t>(1000 / framesPerSecond);
        return;
    }
    frameIntervalMs_ = 0;
    if (framesPerSecond < 0 && vsync_) {
        SDL_GL_SetSwapInterval(0);
        swapIntervalOff_ = true;
    }
}

void GameWindow::SetFadeLevel(float level) {
    fadeLevel_ = level;
}

void GameWindow::SetDrawSystemCursor(bool draw) {
    drawSystemCursor_ = draw;
}

void GameWindow::SetClipRect(int x1, int y1, int x2, int y2) {
    clipRect_[0] = x1;
    clipRect_[1] = y1;
    clipRect_[2] = x2;
    clipRect_[3] = y2;
    clipOn_ = true;
    ApplyClipRect();
}

void GameWindow::ClearClipRect() {
    clipOn_ = false;
    ApplyClipRect();
}

bool GameWindow::SaveScreenshot(const std::string& path, int format, int width, int height) {
    if (width < 1 || height < 1) {
        width = width_;
        height = height_;
    }
    std::vector<uint8_t> pixels = ReadScreenPixels(width, height);
    if (pixels.empty()) {
        return false;
    }
    // The back buffer's alpha is whatever blending left there; a screenshot is opaque.
    for (size_t i = 3; i < pixels.size(); i += 4) {
        pixels[i] = 255;
    }
    if (format == ScreenshotTga) {
        return SaveTgaFile(path, pixels.data(), width, height, false);
    }
    return SaveWithSdl(pixels, width, height, format, path);
}

std::unique_ptr<GameWindow> CreateGameWindowObject(bool /*openGL*/, bool depthBuffer) {
    GetExecutableDirectory();
    std::unique_ptr<GameWindow> window(new GameWindow);
    window->depthBuffer_ = depthBuffer;
    return window;
}
