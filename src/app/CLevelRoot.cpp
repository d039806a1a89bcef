#include "app/CLevelRoot.h"

#include <cstdio>

#include "core/App.h"
#include "flow/SettingsFile.h"

CLevelRoot::CLevelRoot(const std::string& levelFolder) {
    name = "root";
    MakeRoot();
    App.directStart = true;
    ApplySettings();
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

// The volumes the player chose; a settings file that cannot be read leaves the defaults.
void CLevelRoot::ApplySettings() {
    Settings settings;
    std::string error;
    if (!SettingsFile::Read(SettingsFileName, settings, error)) {
        std::fprintf(stderr, "tandolo: %s\n", error.c_str());
    }
    SetSoundVolume(settings.soundVolume);
    SetMusicVolume(settings.musicVolume);
}

// The game is over once it is inactive with nothing of it left on screen. The game fades out
// at its end; what it leaves (the end screen) is shown again, as the menus would be.
bool CLevelRoot::Update() {
    if (!game.active && children.size() == 1) {
        App.quit = true;
    } else if (App.screenFaded) {
        FadeIn();
    }
    return true;
}
