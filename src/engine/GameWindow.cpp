#include "engine/GameWindow.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstring>

#include "engine/Clock.h"
#include "engine/FadeVeil.h"
#include "engine/Files.h"
#include "engine/FrameRecorder.h"
#include "engine/GLPicture.h"
#include "engine/Input.h"
#include "engine/InputSeam.h"
#include "engine/Letterbox.h"
#include "engine/MessageBox.h"
#include "engine/WindowEvents.h"
#include "engine/WindowOpener.h"
#include "engine/WorldView.h"

GameWindow::GameWindow() = default;

GameWindow::~GameWindow() {
    if (context_) {
        SDL_GL_MakeCurrent(window_, context_);
        DrawPending();  // quads of this context must not be drawn into the next one
        scaledFramebuffer_.Release();
    }
    systemCursor_.Release();
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
    if (IsOffscreenVideo() &&
        (requestedDriver == nullptr || std::strcmp(requestedDriver, "offscreen") != 0)) {
        return ReportNoWindow("no display was found (is a graphical desktop running?)");
    }
    if (!placementGiven_) {
        placement_.width = width;
        placement_.height = height;
    }
    remembersPlacement_ = !placementFile_.empty() && !IsOffscreenVideo();
    if (remembersPlacement_ && WindowPlacement::Read(placementFile_, placement_)) {
        placement_.KeepOnDisplays(DisplayAreas());
    }
    earlierPlacement_ = placement_;
    if (!OpenWindowWithContext(title, placement_, depth_, fullScreen_, depthBuffer_, window_, context_) &&
        !OpenWindowWithContext(title, placement_, depth_, fullScreen_, false, window_, context_)) {
        return ReportNoWindow(SDL_GetError());
    }
    pacer_.StartVsync(IsOffscreenVideo());
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

void GameWindow::RememberPlacementIn(const std::string& path) {
    placementFile_ = path;
}

void GameWindow::SavePlacement() const {
    std::string error;
    if (remembersPlacement_ && !placement_.Write(placementFile_, error)) {
        std::fprintf(stderr, "tandolo: the window's place was not saved: %s\n", error.c_str());
    }
}

// Only a plain window's geometry is kept: maximised and full screen come back to it.
void GameWindow::NotePlacement() {
    const Uint32 flags = SDL_GetWindowFlags(window_);
    if (flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MINIMIZED)) {
        return;
    }
    WindowPlacement now = placement_;
    SDL_GetWindowPosition(window_, &now.x, &now.y);
    // Kept as the frame's corner: a window manager puts a new window's frame where it was asked
    // to put the window, which would otherwise move down by a title bar on every start.
    if (SDL_GetWindowBordersSize(window_, &frameTop_, &frameLeft_, nullptr, nullptr) != 0) {
        frameTop_ = frameLeft_ = 0;
    }
    now.x -= frameLeft_;
    now.y -= frameTop_;
    SDL_GetWindowSize(window_, &now.width, &now.height);
    now.positioned = true;
    now.maximised = (flags & SDL_WINDOW_MAXIMIZED) != 0;
    if (now.maximised) {
        // A desktop may tell the new size before it tells it is maximised.
        const bool sizeWasTheMaximised = placement_.width == now.width && placement_.height == now.height;
        placement_ = sizeWasTheMaximised ? earlierPlacement_ : placement_;
        placement_.maximised = true;
        return;
    }
    if (now != placement_) {
        earlierPlacement_ = placement_;
        placement_ = now;
    }
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

GameWindow::Letterbox GameWindow::CurrentLetterbox() const {
    return letterbox_;
}

LetterboxedScreen GameWindow::Screen() const {
    return LetterboxedScreen(letterbox_, width_, height_, clipOn_ ? clipRect_ : nullptr);
}

void GameWindow::UpdateScreenMapping() {
    if (!window_) {
        return;
    }
    if (!MeasureLetterbox(window_, width_, height_, letterbox_)) {
        return;  // minimised: keep the last mapping
    }
    if (letterbox_.wholeScale == 0 && scaledFramebuffer_.Make(width_, height_)) {
        letterbox_.framebuffer = scaledFramebuffer_.Id();
    }
    ScreenMapping mapping;
    mapping.offsetX = letterbox_.windowOffsetX;
    mapping.offsetY = letterbox_.windowOffsetY;
    mapping.scale = letterbox_.windowScale;
    SetScreenMapping(mapping);
    pacer_.MeasureRefreshRate(window_);
    Screen().ApplyViewport();
    Screen().ApplyClip();
}

void GameWindow::SetDefaultWorldView() {
    SetWorldView(0, 0, 0, 1.0f, false);
}

void GameWindow::SetWorldView(float x, float y, float angle, float zoom, bool clear) {
    LoadScreenProjection(width_, height_);
    if (clear) {
        Screen().Clear(clearColor_);
    }
    LoadWorldTransform(width_, height_, x, y, angle, zoom);
    glDisable(GL_DEPTH_TEST);
    Screen().ApplyViewport();
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
        // Not every desktop gives the window back the size and place it had.
        SDL_SetWindowSize(window_, placement_.width, placement_.height);
        SDL_SetWindowPosition(window_,
                              placement_.positioned ? placement_.x + frameLeft_ : SDL_WINDOWPOS_CENTERED,
                              placement_.positioned ? placement_.y + frameTop_ : SDL_WINDOWPOS_CENTERED);
        if (placement_.maximised) {
            SDL_MaximizeWindow(window_);
        }
    }
    UpdateScreenMapping();
    return fullScreen_;
}

bool GameWindow::HasFocus() const {
    return WindowHasFocus(window_);
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
        DrawPending();
        return;
    }
    if (drawSystemCursor_) {
        SetDefaultWorldView();
        systemCursor_.Draw();
    }
    pacer_.BeforeSwap();
    if (fadeLevel_ < 1.0f) {
        SetDefaultWorldView();
        DrawFadeVeil(width_, height_, fadeLevel_);
    }
    // Taken before the swap: afterwards the back buffer holds nothing defined.
    const std::string screenshotPath = screenshotShortcut_.PathIfPressed();
    if (!screenshotPath.empty() && !SaveScreenshot(screenshotPath, ScreenshotTga, 0, 0)) {
        std::fprintf(stderr, "tandolo: could not write %s: %s\n", screenshotPath.c_str(),
                     screenshotError_.c_str());
    }
    InputSeam& seam = CurrentInputSeam();
    seam.BeforePresent();
    const bool presented = FinishFrame();
    if (presented) {
        Screen().ShowOnWindow();
        SDL_GL_SwapWindow(window_);
    }
    if (presented && !pacer_.HasVsync()) {
        // Nothing else makes the driver wait for a frame to be drawn: a software renderer would
        // queue frames, and their memory, without end.
        glFinish();
    }
    if (Screen().HasBars()) {
        Screen().ClearBars();
    }
    if (resetView) {
        SetDefaultWorldView();
    }
    ProcessEvents();
    seam.PaceFrame(pacer_.PacingIntervalMs(presented));
    if (waitWhileInactive) {
        WaitUntilFocused();
    }
}

void GameWindow::ProcessEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        HandleEvent(event);
    }
}

void GameWindow::HandleEvent(const SDL_Event& event) {
    FollowEnterKey(event);
    if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT) {
        CurrentInputSeam().NoteButtonPressed();
    }
    switch (MeaningOf(event, window_)) {
        case WindowEventMeaning::QuitRequest:
            quitRequested_ = true;
            break;
        case WindowEventMeaning::ScreenChange:
            UpdateScreenMapping();
            NotePlacement();
            RedrawNextFrame();  // the window's pixels may be lost or stretched
            break;
        case WindowEventMeaning::Moved:
            NotePlacement();
            break;
        case WindowEventMeaning::FullScreenKey:
            ToggleFullScreen(!fullScreen_);
            break;
        case WindowEventMeaning::Nothing:
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

void GameWindow::SetMaxFrameRate(int framesPerSecond) {
    pacer_.SetMaxFrameRate(framesPerSecond);
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
    Screen().ApplyClip();
}

void GameWindow::ClearClipRect() {
    clipOn_ = false;
    Screen().ApplyClip();
}

bool GameWindow::SaveScreenshot(const std::string& path, int format, int width, int height) {
    if (width < 1 || height < 1) {
        width = width_;
        height = height_;
    }
    return WriteScreenshot(path, format, width, height, screenshotError_);
}

bool GameWindow::SaveWindowScreenshot(const std::string& path, int format) {
    DrawPending();
    Screen().ShowOnWindow();
    return WriteWindowScreenshot(path, format, letterbox_.drawableWidth, letterbox_.drawableHeight,
                                 screenshotError_);
}

std::unique_ptr<GameWindow> CreateGameWindowObject(bool /*openGL*/, bool depthBuffer) {
    GetExecutableDirectory();
    std::unique_ptr<GameWindow> window(new GameWindow);
    window->depthBuffer_ = depthBuffer;
    return window;
}
