#include "app/CLevelRoot.h"

#include "core/App.h"

CLevelRoot::CLevelRoot(const std::string& levelFolder) {
    name = "root";
    MakeRoot();
    App.directStart = true;
    game.levelFolder = levelFolder;
    AddChild(&game);
    game.BeginGame(-1);
}

CLevelRoot::~CLevelRoot() {
    for (CGameObject* child : children) {
        if (child != &game) {
            delete child;  // a world presentation or the end screen
        }
    }
    RemoveAllChildren();
    App.directStart = false;
}

// The game is over once it is inactive with nothing of it left on screen.
bool CLevelRoot::Update() {
    if (!game.active && children.size() == 1) {
        App.quit = true;
    }
    return true;
}
