#pragma once

#include <array>

#include "engine/GameWindow.h"

struct SDL_Window;

// Letterboxing: the logical screen scaled to fit the window's drawable (a whole multiple, or
// smoothly through a framebuffer of its own), centred, with black bars around it. The arithmetic,
// GameWindow::ComputeLetterbox, is defined in Letterbox.cpp too.

// Along one axis, with the letterbox's window offset and scale: the game pixel under a window
// point (outside the screen on the bars), and a window point inside a game pixel.
int WindowToScreen(int windowCoordinate, double offset, double scale);
int ScreenToWindow(int screenCoordinate, double offset, double scale);

// The window's letterbox as it is now. False while the window has no drawable area
// (minimised): the box is left as it was.
bool MeasureLetterbox(SDL_Window* window, int screenWidth, int screenHeight, GameWindow::Letterbox& box);

// The logical screen as OpenGL draws it: the letterbox, the screen's size in logical pixels and
// the game's clip rectangle. A copy of the window's state, made where it is used; what it does
// is recorded with the frame's draws.
class LetterboxedScreen {
public:
    // clipRect: x1, y1, x2, y2 in logical pixels; nullptr: no clip.
    LetterboxedScreen(const GameWindow::Letterbox& box, int screenWidth, int screenHeight,
                      const int* clipRect);

    // Draws on the letterbox only.
    void ApplyViewport() const;
    // Scissors to the clip rectangle scaled into the letterbox, or turns scissoring off.
    void ApplyClip() const;
    bool HasBars() const;
    // Clears the whole drawable black, then restores the clip.
    void ClearBars() const;
    // Clears the screen in the colour and the bars around it in black.
    void Clear(const float colour[4]) const;
    // Now, after the frame's draws: a screen drawn in a framebuffer of its own is scaled onto the
    // window, in black bars.
    void ShowOnWindow() const;

private:
    // The rectangle drawn in and its surroundings: the letterbox on the window, or the whole
    // framebuffer the screen is drawn in at its own size.
    GameWindow::Letterbox Target() const;
    template <typename Step>
    void Record(Step step) const;
    void ApplyViewportNow() const;
    void ApplyClipNow() const;
    void ClearBarsNow() const;
    void ClearNow() const;

    GameWindow::Letterbox box_;
    int screenWidth_;
    int screenHeight_;
    bool clipOn_;
    std::array<int, 4> clipRect_{};
    std::array<float, 4> clearColour_{};
};
