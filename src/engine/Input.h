#pragma once

#include <SDL_scancode.h>

#include <cstdint>

// Engine key codes: the index is the code; the order is part of the interface.
enum KeyCode : int {
    KeyLeft = 0, KeyUp, KeyDown, KeyRight, KeySpace, KeyLeftShift, KeyRightShift, KeyEnter,
    KeyRightControl, KeyLeftControl,
    KeyF1 = 10, KeyF12 = 21,
    KeyBackspace = 22, KeyTab, KeyEscape,
    KeyA = 25, KeyZ = 50,
    KeyDigit0 = 51, KeyDigit9 = 60,
    KeyPad0 = 61, KeyPad9 = 70,
    KeyPadMultiply = 71, KeyPadAdd, KeyPadSubtract, KeyPadDecimal, KeyPadDivide, KeyPadClear,
    KeyAlt = 77, KeyLeftWindows, KeyRightWindows, KeyNumLock, KeyScrollLock,
    KeySemicolon = 82, KeyEquals, KeyComma, KeyMinus, KeyPeriod, KeySlash, KeyBackquote,
    KeyLeftBracket = 89, KeyBackslash, KeyRightBracket, KeyQuote,
    KeyEnd = 93, KeyHome, KeyDelete, KeyInsert, KeyPrintScreen, KeyPageUp, KeyPageDown,
    KeyCount = 100,  // also "no key"
};

// Maps a scancode (US layout position) to its engine key code; KeyCount when none.
int KeyCodeFromScancode(SDL_Scancode scancode);
// The scancode of an engine key code; SDL_SCANCODE_UNKNOWN for codes outside 0..99.
SDL_Scancode ScancodeFromKeyCode(int keyCode);

bool IsKeyDown(int keyCode);
// Waits, without spinning, until the key is up.
void WaitKeyReleased(int keyCode);

// Mouse position in the game's 800 x 600 coordinates, wherever the window is.
int16_t GetMouseX();
int16_t GetMouseY();
// Down while the mouse button or a keyboard click (HoldButtonByKeyboard) holds it.
bool IsMouseButtonDown();
void SetMousePosition(int x, int y);
// Keyboard play clicks by holding the pointer's button for a few ticks, so every press and
// release the game watches for sees a normal click.
void HoldButtonByKeyboard(bool held);

void ShowMouseCursor();
void HideMouseCursor();

// Where the 800 x 600 screen lies in the window, in window coordinates
// (set by the window; used to map the mouse back to the game's screen).
struct ScreenMapping {
    double offsetX = 0;
    double offsetY = 0;
    double scale = 1;
};
void SetScreenMapping(const ScreenMapping& mapping);
const ScreenMapping& GetScreenMapping();
