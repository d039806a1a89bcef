#pragma once

struct SDL_Window;
union SDL_Event;

// What an SDL event means for the game's window.
enum class WindowEventMeaning {
    Nothing,
    QuitRequest,    // the application or this window is asked to close
    ScreenChange,   // this window was resized, moved to another display or uncovered: measure and redraw
    Moved,          // this window was moved on the desktop
    FullScreenKey,  // F11 or Alt+Enter pressed (not a key's repeat): full screen on or off
};
WindowEventMeaning MeaningOf(const SDL_Event& event, SDL_Window* window);

// Whether the window has keyboard focus and is not minimised.
bool WindowHasFocus(SDL_Window* window);

// Follows the Enter key for IsEnterTakenByWindow: call with every event the window handles.
void FollowEnterKey(const SDL_Event& event);
// Whether the Enter key now held belongs to the window (Alt+Enter, from the press until Enter is
// let go): the game must not take it for its own Enter.
bool IsEnterTakenByWindow();
