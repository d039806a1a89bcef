#include "app/CLevelRoot.h"

#include "core/App.h"

CLevelRoot::CLevelRoot(const LevelFile& level) {
    name = "root";
    App.directStart = true;
    if (game.BeginGame(level, error_)) {
        AddChild(&game);  // a level refused never runs or draws
    }
}

CLevelRoot::~CLevelRoot() {
    RemoveAllChildren();
    App.directStart = false;
}

bool CLevelRoot::Update() {
    if (!error_.empty()) {
        App.quit = true;
    }
    return true;
}
