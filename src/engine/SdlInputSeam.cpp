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

// Global coordinates, so the button and position are known while the mouse is
// outside the window too; mapped back to the game's 800 x 600 screen.
void SdlInputSeam::ReadMouse(int& x, int& y) {
    SDL_Window* window = SDL_GetMouseFocus();
    if (window == nullptr) {
        window = SDL_GetKeyboardFocus();
    }
    int windowX = 0;
    int windowY = 0;
    if (window != nullptr) {
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
    return (SDL_GetGlobalMouseState(nullptr, nullptr) & SDL_BUTTON_LMASK) != 0;
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
