#pragma once

// What the background needs of the game, which lives in a layer above it: the in-game menu
// behind the menu button and the Escape key. The background finds the implementation at "..".
class GameMenu {
public:
    virtual ~GameMenu() = default;
    virtual void OpenGameMenu() = 0;
};
