#pragma once

#include <string>

// Writes the back buffer as drawn so far, scaled to width x height and made opaque.
// format: a GameWindow::ScreenshotFormat; false for any other, or when nothing could be written,
// with the reason in error.
bool WriteScreenshot(const std::string& path, int format, int width, int height, std::string& error);

// Writes the whole window's drawable of width x height pixels as drawn so far, bars and all.
bool WriteWindowScreenshot(const std::string& path, int format, int width, int height, std::string& error);

// Shift with Print Screen or F12 asks for a screenshot: one per press, numbered after the ones
// already in the game's folder (earlier sessions' are kept).
class ScreenshotShortcut {
public:
    // The path to write a Targa screenshot to now; empty unless the keys were just pressed.
    std::string PathIfPressed();

private:
    bool keysHeld_ = false;
    int counter_ = 0;
};
