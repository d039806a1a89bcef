#include "engine/Letterbox.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>

#include "engine/FrameRecorder.h"
#include "engine/ScaledFramebuffer.h"

GameWindow::Letterbox GameWindow::ComputeLetterbox(int screenWidth, int screenHeight, int drawableWidth,
                                                   int drawableHeight, int windowWidth, int windowHeight) {
    Letterbox box;
    if (screenWidth < 1 || screenHeight < 1 || drawableWidth < 1 || drawableHeight < 1 || windowWidth < 1 ||
        windowHeight < 1) {
        box.width = box.drawableWidth = std::max(screenWidth, 0);
        box.height = box.drawableHeight = std::max(screenHeight, 0);
        return box;
    }
    const double smooth = std::min(static_cast<double>(drawableWidth) / screenWidth,
                                   static_cast<double>(drawableHeight) / screenHeight);
    // A whole multiple keeps every pixel square and crisp, so it wins while it is at least 90 % of
    // the largest smooth fit (a window a little larger than 2x shows 2x with wider bars); a
    // window that holds no such multiple (1280 x 720, 1920 x 1080, anything below 800 x 600)
    // gets the largest smooth fit.
    const double whole = std::floor(smooth);
    const double scale = whole >= 1 && whole >= WholeScaleShare * smooth ? whole : smooth;
    box.width = std::min(drawableWidth, static_cast<int>(std::lround(screenWidth * scale)));
    box.height = std::min(drawableHeight, static_cast<int>(std::lround(screenHeight * scale)));
    box.wholeScale = scale == whole ? static_cast<int>(whole) : 0;
    box.x = (drawableWidth - box.width) / 2;
    box.y = (drawableHeight - box.height) / 2;
    box.drawableWidth = drawableWidth;
    box.drawableHeight = drawableHeight;
    // With high DPI the window's coordinates (the mouse's) are coarser than its pixels.
    const double windowPerPixelX = static_cast<double>(windowWidth) / drawableWidth;
    const double windowPerPixelY = static_cast<double>(windowHeight) / drawableHeight;
    box.windowOffsetX = box.x * windowPerPixelX;
    box.windowOffsetY = box.y * windowPerPixelY;
    box.windowScale = static_cast<double>(box.width) / screenWidth * windowPerPixelX;
    return box;
}

namespace {

// Absorbs rounding only: no window point lies within a millionth of a game pixel of a pixel's edge
// without being on it.
constexpr double Nudge = 1e-9;

}  // namespace

int WindowToScreen(int windowCoordinate, double offset, double scale) {
    return static_cast<int>(std::floor((windowCoordinate - offset) / scale + Nudge));
}

int ScreenToWindow(int screenCoordinate, double offset, double scale) {
    return static_cast<int>(std::ceil(offset + screenCoordinate * scale - Nudge));
}

bool MeasureLetterbox(SDL_Window* window, int screenWidth, int screenHeight, GameWindow::Letterbox& box) {
    int drawableWidth = 0;
    int drawableHeight = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    SDL_GetWindowSize(window, &windowWidth, &windowHeight);
    if (drawableWidth < 1 || drawableHeight < 1) {
        return false;
    }
    box = GameWindow::ComputeLetterbox(screenWidth, screenHeight, drawableWidth, drawableHeight, windowWidth,
                                       windowHeight);
    return true;
}

LetterboxedScreen::LetterboxedScreen(const GameWindow::Letterbox& box, int screenWidth, int screenHeight,
                                     const int* clipRect)
    : box_(box), screenWidth_(screenWidth), screenHeight_(screenHeight), clipOn_(clipRect != nullptr) {
    if (clipOn_) {
        std::copy(clipRect, clipRect + 4, clipRect_.begin());
    }
}

template <typename Step>
void LetterboxedScreen::Record(Step step) const {
    RecordDraw([screen = *this, step] { step(screen); }, box_.x, box_.y, box_.width, box_.height,
               box_.framebuffer, box_.drawableWidth, box_.drawableHeight, screenWidth_, screenHeight_,
               clipOn_, clipRect_[0], clipRect_[1], clipRect_[2], clipRect_[3], clearColour_[0],
               clearColour_[1], clearColour_[2], clearColour_[3]);
}

void LetterboxedScreen::ApplyViewport() const {
    Record([](const LetterboxedScreen& screen) { screen.ApplyViewportNow(); });
}

void LetterboxedScreen::ApplyClip() const {
    Record([](const LetterboxedScreen& screen) { screen.ApplyClipNow(); });
}

GameWindow::Letterbox LetterboxedScreen::Target() const {
    if (box_.framebuffer == 0) {
        return box_;
    }
    GameWindow::Letterbox whole;
    whole.width = whole.drawableWidth = screenWidth_;
    whole.height = whole.drawableHeight = screenHeight_;
    return whole;
}

bool LetterboxedScreen::HasBars() const {
    const GameWindow::Letterbox target = Target();
    return target.width != target.drawableWidth || target.height != target.drawableHeight;
}

void LetterboxedScreen::ClearBars() const {
    Record([](const LetterboxedScreen& screen) { screen.ClearBarsNow(); });
}

void LetterboxedScreen::Clear(const float colour[4]) const {
    LetterboxedScreen screen = *this;
    std::copy(colour, colour + 4, screen.clearColour_.begin());
    screen.Record([](const LetterboxedScreen& copy) { copy.ClearNow(); });
}

void LetterboxedScreen::ApplyViewportNow() const {
    DrawIntoFramebuffer(box_.framebuffer);
    const GameWindow::Letterbox target = Target();
    glViewport(target.x, target.drawableHeight - target.y - target.height, target.width, target.height);
}

void LetterboxedScreen::ApplyClipNow() const {
    if (!clipOn_) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    const GameWindow::Letterbox target = Target();
    const double scaleX = static_cast<double>(target.width) / screenWidth_;
    const double scaleY = static_cast<double>(target.height) / screenHeight_;
    const int left = target.x + static_cast<int>(std::lround(clipRect_[0] * scaleX));
    const int right = target.x + static_cast<int>(std::lround(clipRect_[2] * scaleX));
    const int top = target.y + static_cast<int>(std::lround(clipRect_[1] * scaleY));
    const int bottom = target.y + static_cast<int>(std::lround(clipRect_[3] * scaleY));
    glScissor(left, target.drawableHeight - bottom, std::max(0, right - left), std::max(0, bottom - top));
    glEnable(GL_SCISSOR_TEST);
}

// The bars around a scaled screen stay black whatever the game clears or draws.
void LetterboxedScreen::ClearBarsNow() const {
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ApplyClipNow();
}

void LetterboxedScreen::ClearNow() const {
    const bool bars = HasBars();
    if (bars) {
        ClearBarsNow();
    }
    const bool scissorToScreen = bars && !clipOn_;
    if (scissorToScreen) {
        glScissor(box_.x, box_.drawableHeight - box_.y - box_.height, box_.width, box_.height);
        glEnable(GL_SCISSOR_TEST);
    }
    glClearColor(clearColour_[0], clearColour_[1], clearColour_[2], clearColour_[3]);
    glClear(GL_COLOR_BUFFER_BIT);
    if (scissorToScreen) {
        glDisable(GL_SCISSOR_TEST);
    }
}

void LetterboxedScreen::ShowOnWindow() const {
    if (box_.framebuffer == 0) {
        return;
    }
    DrawIntoFramebuffer(0);
    glDisable(GL_SCISSOR_TEST);
    glViewport(0, 0, box_.drawableWidth, box_.drawableHeight);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    ScaleOntoWindow(box_.framebuffer, screenWidth_, screenHeight_, box_.x,
                    box_.drawableHeight - box_.y - box_.height, box_.width, box_.height);
    ApplyViewportNow();
    ApplyClipNow();
}
