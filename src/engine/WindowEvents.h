#pragma once

struct SDL_Window;
union SDL_Event;

// What an SDL event means for the game's window.
enum class WindowEventMeaning {
    Nothing,
    QuitRequest,   // the application or this window is asked to close
    ScreenChange,  // this window was resized, moved to another display or uncovered: measure and redraw
};
WindowEventMeaning MeaningOf(const SDL_Event& event, SDL_Window* window);

// Whether the window has keyboard focus and is not minimised.
bool WindowHasFocus(SDL_Window* window);
