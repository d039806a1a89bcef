#include "engine/SdlInputSeam.h"

#include <SDL.h>

#include "engine/Input.h"
#include "engine/Letterbox.h"

uint64_t SdlInputSeam::RawMilliseconds() {
    return SDL_GetTicks64();
}

bool SdlInputSeam::IsKeyDown(int keyCode) {
    const SDL_Scancode scancode = ScancodeFromKeyCode(keyCode);
    if (scancode == SDL_SCANCODE_UNKNOWN) {
        return false;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    return scancode < count && state[scancode] != 0;
}

// Over the window, the position its own events left; outside it, the desktop's, so the position
// is known while a drag leaves the window. The desktop's position is only refreshed by raw input
// events, which some X servers (virtual and remote ones) never send: it would stand still.
void SdlInputSeam::ReadMouse(int& x, int& y) {
    if (SDL_GetMouseFocus() != nullptr) {
        SDL_GetMouseState(&x, &y);
    } else if (SDL_Window* window = SDL_GetKeyboardFocus()) {
        int windowX = 0;
        int windowY = 0;
        SDL_GetWindowPosition(window, &windowX, &windowY);
        SDL_GetGlobalMouseState(&x, &y);
        x -= windowX;
        y -= windowY;
    } else {
        SDL_GetMouseState(&x, &y);
    }
    const ScreenMapping& mapping = GetScreenMapping();
    x = WindowToScreen(x, mapping.offsetX, mapping.scale);
    y = WindowToScreen(y, mapping.offsetY, mapping.scale);
}

int SdlInputSeam::MouseX() {
    int x = 0;
    int y = 0;
    ReadMouse(x, y);
    return x;
}

int SdlInputSeam::MouseY() {
    int x = 0;
    int y = 0;
    ReadMouse(x, y);
    return y;
}

bool SdlInputSeam::IsMouseButtonDown() {
    const Uint32 buttons = SDL_GetMouseFocus() != nullptr ? SDL_GetMouseState(nullptr, nullptr)
                                                          : SDL_GetGlobalMouseState(nullptr, nullptr);
    const bool down = (buttons & SDL_BUTTON_LMASK) != 0;
    if (pressLatched_ && !down && pressReadByAFrame_ && RawMilliseconds() - pressMs_ >= ShortestPressMs) {
        pressLatched_ = false;
    }
    pressRead_ = pressRead_ || down || pressLatched_;
    return down || pressLatched_;
}

// A tap on a touchpad, or a click that came and went between two slow frames, would otherwise
// be over before any tick looked: the game's objects poll the button rather than read events.
void SdlInputSeam::NoteButtonPressed() {
    pressLatched_ = true;
    pressRead_ = false;
    pressReadByAFrame_ = false;
    pressMs_ = RawMilliseconds();
}

void SdlInputSeam::BeforePresent() {
    pressReadByAFrame_ = pressReadByAFrame_ || (pressLatched_ && pressRead_);
}

void SdlInputSeam::SetMousePosition(int x, int y) {
    SDL_Window* window = SDL_GetMouseFocus();
    if (window == nullptr) {
        window = SDL_GetKeyboardFocus();
    }
    if (window == nullptr) {
        return;
    }
    const ScreenMapping& mapping = GetScreenMapping();
    SDL_WarpMouseInWindow(window, ScreenToWindow(x, mapping.offsetX, mapping.scale),
                          ScreenToWindow(y, mapping.offsetY, mapping.scale));
}

void SdlInputSeam::WaitForInput() {
    SDL_PumpEvents();
    SDL_Delay(5);
}

void SdlInputSeam::PaceFrame(uint32_t intervalMs) {
    const uint64_t now = SDL_GetTicks64();
    if (intervalMs > 0 && now - lastFrameMs_ < intervalMs) {
        SDL_Delay(static_cast<Uint32>(intervalMs - (now - lastFrameMs_)));
    }
    lastFrameMs_ = SDL_GetTicks64();
}
