#pragma once

#include <string>
#include <vector>

#include "engine/WindowPlacement.h"

struct SDL_Window;

// Starts SDL's video subsystem and loads the OpenGL driver, once per process.
bool StartVideo();
// Whether SDL draws off screen (the driver it falls back to without a display).
bool IsOffscreenVideo();
// Opens a resizable window at the placement (or one filling the desktop, over that placement)
// with an OpenGL compatibility context made current on it. depth 16 asks for 5-6-5 colour. On
// failure nothing is left open and window and context are null.
bool OpenWindowWithContext(const std::string& title, const WindowPlacement& placement, int depth,
                           bool fullScreen, bool withDepthBuffer, SDL_Window*& window, void*& context);
// The desktop's displays, in the window's coordinates.
std::vector<WindowPlacement::Area> DisplayAreas();
