#pragma once

// What the game needs of the menu panel it borrows as its in-game menu; the panel lives with the
// menus, in a layer above, and the game finds it at "../menuback/menubase".
class GameMenuPanel {
public:
    virtual ~GameMenuPanel() = default;
    // Slides in; in game mode it offers CONTINUE.
    virtual void Open(bool inGame) = 0;
    // Slides out.
    virtual void Close() = 0;
    // Closing, and the slide is over: the game lets the panel go.
    virtual bool HasClosed() const = 0;
};
