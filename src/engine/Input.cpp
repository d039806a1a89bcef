#include "engine/Input.h"

#include <SDL.h>

#include <array>

#include "engine/InputSeam.h"

namespace {

// Engine key code -> scancode (US layout positions); the index is the code.
constexpr std::array<SDL_Scancode, KeyCount> keyTable = {
    SDL_SCANCODE_LEFT, SDL_SCANCODE_UP, SDL_SCANCODE_DOWN, SDL_SCANCODE_RIGHT, SDL_SCANCODE_SPACE,
    SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT, SDL_SCANCODE_RETURN, SDL_SCANCODE_RCTRL, SDL_SCANCODE_LCTRL,
    SDL_SCANCODE_F1, SDL_SCANCODE_F2, SDL_SCANCODE_F3, SDL_SCANCODE_F4, SDL_SCANCODE_F5, SDL_SCANCODE_F6,
    SDL_SCANCODE_F7, SDL_SCANCODE_F8, SDL_SCANCODE_F9, SDL_SCANCODE_F10, SDL_SCANCODE_F11, SDL_SCANCODE_F12,
    SDL_SCANCODE_BACKSPACE, SDL_SCANCODE_TAB, SDL_SCANCODE_ESCAPE,
    SDL_SCANCODE_A, SDL_SCANCODE_B, SDL_SCANCODE_C, SDL_SCANCODE_D, SDL_SCANCODE_E, SDL_SCANCODE_F,
    SDL_SCANCODE_G, SDL_SCANCODE_H, SDL_SCANCODE_I, SDL_SCANCODE_J, SDL_SCANCODE_K, SDL_SCANCODE_L,
    SDL_SCANCODE_M, SDL_SCANCODE_N, SDL_SCANCODE_O, SDL_SCANCODE_P, SDL_SCANCODE_Q, SDL_SCANCODE_R,
    SDL_SCANCODE_S, SDL_SCANCODE_T, SDL_SCANCODE_U, SDL_SCANCODE_V, SDL_SCANCODE_W, SDL_SCANCODE_X,
    SDL_SCANCODE_Y, SDL_SCANCODE_Z,
    SDL_SCANCODE_0, SDL_SCANCODE_1, SDL_SCANCODE_2, SDL_SCANCODE_3, SDL_SCANCODE_4, SDL_SCANCODE_5,
    SDL_SCANCODE_6, SDL_SCANCODE_7, SDL_SCANCODE_8, SDL_SCANCODE_9,
    SDL_SCANCODE_KP_0, SDL_SCANCODE_KP_1, SDL_SCANCODE_KP_2, SDL_SCANCODE_KP_3, SDL_SCANCODE_KP_4,
    SDL_SCANCODE_KP_5, SDL_SCANCODE_KP_6, SDL_SCANCODE_KP_7, SDL_SCANCODE_KP_8, SDL_SCANCODE_KP_9,
    SDL_SCANCODE_KP_MULTIPLY, SDL_SCANCODE_KP_PLUS, SDL_SCANCODE_KP_MINUS, SDL_SCANCODE_KP_PERIOD,
    SDL_SCANCODE_KP_DIVIDE, SDL_SCANCODE_KP_CLEAR,
    SDL_SCANCODE_LALT, SDL_SCANCODE_LGUI, SDL_SCANCODE_RGUI, SDL_SCANCODE_NUMLOCKCLEAR,
    SDL_SCANCODE_SCROLLLOCK,
    SDL_SCANCODE_SEMICOLON, SDL_SCANCODE_EQUALS, SDL_SCANCODE_COMMA, SDL_SCANCODE_MINUS, SDL_SCANCODE_PERIOD,
    SDL_SCANCODE_SLASH, SDL_SCANCODE_GRAVE,
    SDL_SCANCODE_LEFTBRACKET, SDL_SCANCODE_BACKSLASH, SDL_SCANCODE_RIGHTBRACKET, SDL_SCANCODE_APOSTROPHE,
    SDL_SCANCODE_END, SDL_SCANCODE_HOME, SDL_SCANCODE_DELETE, SDL_SCANCODE_INSERT, SDL_SCANCODE_PRINTSCREEN,
    SDL_SCANCODE_PAGEUP, SDL_SCANCODE_PAGEDOWN,
};

ScreenMapping screenMapping;

bool buttonHeldByKeyboard = false;

}  // namespace

int KeyCodeFromScancode(SDL_Scancode scancode) {
    for (int code = 0; code < KeyCount; ++code) {
        if (keyTable[static_cast<size_t>(code)] == scancode) {
            return code;
        }
    }
    return KeyCount;
}

SDL_Scancode ScancodeFromKeyCode(int keyCode) {
    if (keyCode < 0 || keyCode >= KeyCount) {
        return SDL_SCANCODE_UNKNOWN;
    }
    return keyTable[static_cast<size_t>(keyCode)];
}

bool IsKeyDown(int keyCode) { return CurrentInputSeam().IsKeyDown(keyCode); }

void WaitKeyReleased(int keyCode) {
    while (IsKeyDown(keyCode)) {
        CurrentInputSeam().WaitForInput();
    }
}

int16_t GetMouseX() { return static_cast<int16_t>(CurrentInputSeam().MouseX()); }
int16_t GetMouseY() { return static_cast<int16_t>(CurrentInputSeam().MouseY()); }
bool IsMouseButtonDown() { return buttonHeldByKeyboard || CurrentInputSeam().IsMouseButtonDown(); }
void SetMousePosition(int x, int y) { CurrentInputSeam().SetMousePosition(x, y); }
void HoldButtonByKeyboard(bool held) { buttonHeldByKeyboard = held; }

void ShowMouseCursor() { SDL_ShowCursor(SDL_ENABLE); }
void HideMouseCursor() { SDL_ShowCursor(SDL_DISABLE); }

void SetScreenMapping(const ScreenMapping& mapping) { screenMapping = mapping; }
const ScreenMapping& GetScreenMapping() { return screenMapping; }
