#include "engine/WindowEvents.h"

#include <SDL.h>

#include "engine/WindowOpener.h"

WindowEventMeaning MeaningOf(const SDL_Event& event, SDL_Window* window) {
    if (event.type == SDL_QUIT) {
        return WindowEventMeaning::QuitRequest;
    }
    if (event.type != SDL_WINDOWEVENT || !window || event.window.windowID != SDL_GetWindowID(window)) {
        return WindowEventMeaning::Nothing;
    }
    switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            return WindowEventMeaning::QuitRequest;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_EXPOSED:
            return WindowEventMeaning::ScreenChange;
        default:
            return WindowEventMeaning::Nothing;
    }
}

bool WindowHasFocus(SDL_Window* window) {
    if (!window) {
        return false;
    }
    // The offscreen driver never hands out keyboard focus; it has no desktop to lose it to either.
    if (IsOffscreenVideo()) {
        return true;
    }
    const Uint32 flags = SDL_GetWindowFlags(window);
    return (flags & SDL_WINDOW_INPUT_FOCUS) != 0 && (flags & SDL_WINDOW_MINIMIZED) == 0;
}
