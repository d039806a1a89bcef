#include "engine/WindowEvents.h"

#include <SDL.h>

#include "engine/WindowOpener.h"

namespace {

bool enterTaken = false;

bool IsEnter(const SDL_Keysym& key) {
    return key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER;
}

bool IsFullScreenKey(const SDL_KeyboardEvent& key) {
    return key.repeat == 0 &&
           (key.keysym.scancode == SDL_SCANCODE_F11 || (IsEnter(key.keysym) && (key.keysym.mod & KMOD_ALT)));
}

}  // namespace

WindowEventMeaning MeaningOf(const SDL_Event& event, SDL_Window* window) {
    if (event.type == SDL_QUIT) {
        return WindowEventMeaning::QuitRequest;
    }
    if (event.type == SDL_KEYDOWN && window && event.key.windowID == SDL_GetWindowID(window) &&
        IsFullScreenKey(event.key)) {
        return WindowEventMeaning::FullScreenKey;
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
        case SDL_WINDOWEVENT_MOVED:
            return WindowEventMeaning::Moved;
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

void FollowEnterKey(const SDL_Event& event) {
    if (event.type == SDL_KEYDOWN && IsEnter(event.key.keysym) && (event.key.keysym.mod & KMOD_ALT)) {
        enterTaken = true;
    } else if (event.type == SDL_KEYUP && IsEnter(event.key.keysym)) {
        enterTaken = false;
    }
}

// Alt held counts too: the keyboard's state may show the Enter before its event is handled.
bool IsEnterTakenByWindow() {
    return enterTaken || (SDL_GetModState() & KMOD_ALT) != 0;
}
