#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/FramePacer.h"
#include "engine/ScaledFramebuffer.h"
#include "engine/ScreenshotWriter.h"
#include "engine/SystemCursor.h"
#include "engine/WindowPlacement.h"

struct SDL_Window;
union SDL_Event;
class LetterboxedScreen;

// The game's one window and its OpenGL context. The game always sees an
// 800 x 600 screen, scaled to fit the window (which the player may resize, maximise or turn
// full screen with F11 or Alt+Enter) and letterboxed in black.
class GameWindow {
public:
    enum ScreenshotFormat : int {
        ScreenshotBmp = 0,
        ScreenshotJpeg = 1,
        ScreenshotTga = 2,
        ScreenshotPng = 3
    };

    // Where the logical screen lies: in drawable pixels (x, y from the top-left corner) and
    // in window coordinates (the mouse's), for a screen scaled to fit and centred. Doubles, so
    // the mouse maps back to the very pixel drawn under it.
    struct Letterbox {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        int wholeScale = 1;  // the whole multiple the screen is shown at; 0: scaled smoothly
        double windowOffsetX = 0;
        double windowOffsetY = 0;
        double windowScale = 1;
        int drawableWidth = 0;
        int drawableHeight = 0;
        // Where the screen is drawn at its own size before it is scaled smoothly onto the
        // window (a ScaledFramebuffer); 0: drawn straight onto the window.
        unsigned int framebuffer = 0;
    };
    // Below this share of the smooth fit a whole multiple is given up for the smooth fit.
    static constexpr double WholeScaleShare = 0.9;
    static Letterbox ComputeLetterbox(int screenWidth, int screenHeight, int drawableWidth,
                                      int drawableHeight, int windowWidth, int windowHeight);

    GameWindow();
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    bool CreateGameWindow(int width, int height, int depth, bool windowed, const std::string& title);

    // Before CreateGameWindow: the window opens where the file says and SavePlacement writes it
    // there. Ignored when drawing off screen, so scripted runs do not depend on the last one.
    void RememberPlacementIn(const std::string& path);
    // Before CreateGameWindow: the window opens with this size and place.
    void OpenWith(const WindowPlacement& placement) {
        placement_ = placement;
        placementGiven_ = true;
    }
    // The window's size and place as a plain window, and whether it is maximised; what it was
    // before while full screen.
    const WindowPlacement& Placement() const { return placement_; }
    // Writes the placement to the file given to RememberPlacementIn; a failure is told on stderr.
    void SavePlacement() const;

    void SetDefaultWorldView();
    void SetWorldView(float x, float y, float angle, float zoom, bool clear);
    void SetClearColor(float red, float green, float blue, float alpha);

    void Terminate();
    bool IsQuitRequested() const { return quitRequested_; }
    // Returns the full-screen state afterwards.
    bool ToggleFullScreen(bool fullScreen);
    bool IsFullScreen() const { return fullScreen_; }
    bool HasFocus() const;
    void SetTitle(const std::string& title);
    void RestoreWindow();
    void MinimizeWindow();

    // Presents the frame with the fade veil, handles events, paces the frame
    // rate and, with waitWhileInactive, sleeps while the window is in the background.
    void FlipBackBuffer(bool waitWhileInactive, bool resetView);
    // Handles the pending window events.
    void ProcessEvents();
    // 0: no cap beyond vsync.
    void SetMaxFrameRate(int framesPerSecond);
    // 1.0 or more: no veil; 0 or less: black.
    void SetFadeLevel(float level);
    float FadeLevel() const { return fadeLevel_; }
    void SetDrawSystemCursor(bool draw);
    void SetClipRect(int x1, int y1, int x2, int y2);
    // Draws on the whole screen again.
    void ClearClipRect();

    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }

    // Writes the back buffer as drawn so far (width/height 0: the screen's size).
    bool SaveScreenshot(const std::string& path, int format, int width, int height);
    // Writes the whole window as it shows, bars and all, at its drawable's size.
    bool SaveWindowScreenshot(const std::string& path, int format);
    // Why the last SaveScreenshot failed.
    const std::string& ScreenshotError() const { return screenshotError_; }

    // The letterbox of the window as it is now.
    Letterbox CurrentLetterbox() const;
    SDL_Window* GetWindowHandle() const { return window_; }
    // Makes this window's OpenGL context current (after another window took it).
    void MakeCurrent();
    // The interval given to the frame pacing (0: none).
    uint32_t FrameIntervalMs() const { return pacer_.FrameIntervalMs(); }

private:
    friend std::unique_ptr<GameWindow> CreateGameWindowObject(bool openGL, bool depthBuffer);

    void UpdateScreenMapping();
    // The logical screen on the letterbox, with the clip rectangle if one is set.
    LetterboxedScreen Screen() const;
    void HandleEvent(const SDL_Event& event);
    void NotePlacement();
    void WaitUntilFocused();
    // Says why there is no window; always false.
    static bool ReportNoWindow(const std::string& reason);

    float clearColor_[4] = {0, 0, 0, 0};
    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;
    bool depthBuffer_ = false;
    bool fullScreen_ = false;
    int width_ = 0;
    int height_ = 0;
    int depth_ = -1;
    FramePacer pacer_;
    float fadeLevel_ = 1.0f;
    bool quitRequested_ = false;
    bool drawSystemCursor_ = false;
    ScreenshotShortcut screenshotShortcut_;
    std::string screenshotError_;
    Letterbox letterbox_;
    // The window manager's frame around the window, as last seen in a plain window.
    int frameTop_ = 0;
    int frameLeft_ = 0;
    bool clipOn_ = false;
    int clipRect_[4] = {0, 0, 0, 0};
    SystemCursor systemCursor_;
    ScaledFramebuffer scaledFramebuffer_;
    WindowPlacement placement_;
    WindowPlacement earlierPlacement_;  // the one before the last change
    std::string placementFile_;
    bool placementGiven_ = false;
    bool remembersPlacement_ = false;
};

// Makes the window object (the renderer is always OpenGL); the caller owns it.
std::unique_ptr<GameWindow> CreateGameWindowObject(bool openGL, bool depthBuffer);
