#include "engine/WindowOpener.h"

#include <SDL.h>

#include <cstring>

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

bool IsOffscreenVideo() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") == 0;
}

bool OpenWindowWithContext(const std::string& title, const WindowPlacement& placement, int depth,
                           bool fullScreen, bool withDepthBuffer, SDL_Window*& window, void*& context) {
    const int colourBits = depth == 16 ? 5 : 8;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, colourBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, depth == 16 ? 6 : 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, colourBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, withDepthBuffer ? 16 : 0);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
    if (fullScreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    if (placement.maximised) {
        flags |= SDL_WINDOW_MAXIMIZED;
    }
    context = nullptr;
    const int x = placement.positioned ? placement.x : SDL_WINDOWPOS_CENTERED;
    const int y = placement.positioned ? placement.y : SDL_WINDOWPOS_CENTERED;
    window = SDL_CreateWindow(title.c_str(), x, y, placement.width, placement.height, flags);
    if (!window) {
        return false;
    }
    SDL_SetWindowMinimumSize(window, WindowPlacement::MinWidth, WindowPlacement::MinHeight);
    context = SDL_GL_CreateContext(window);
    if (context && SDL_GL_MakeCurrent(window, context) == 0) {
        return true;
    }
    if (context) {
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    SDL_DestroyWindow(window);
    window = nullptr;
    return false;
}

std::vector<WindowPlacement::Area> DisplayAreas() {
    std::vector<WindowPlacement::Area> areas;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(i, &bounds) == 0) {
            areas.push_back({bounds.x, bounds.y, bounds.w, bounds.h});
        }
    }
    return areas;
}
