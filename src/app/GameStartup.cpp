#include "app/GameStartup.h"

#include <cstdio>

#include "app/CLauncher.h"
#include "core/App.h"
#include "core/Random.h"
#include "engine/Clock.h"
#include "engine/EngineFile.h"
#include "engine/Files.h"
#include "engine/GameWindow.h"
#include "engine/SavePaths.h"
#include "engine/TarArchive.h"
#include "flow/SettingsFile.h"
#include "gfx/PictureBank.h"
#include "scene/GameObject.h"

namespace {

// The full-screen byte of the settings; no file means a window.
bool ReadFullScreenSetting() {
    Settings settings;
    std::string error;
    if (!SettingsFile::Read(SettingsFileName, settings, error)) {
        std::fprintf(stderr, "tandolo: %s\n", error.c_str());
    }
    return settings.fullScreen;
}

}  // namespace

std::unique_ptr<CGameObject> MakeGameRoot() {
    return std::make_unique<CLauncher>();
}

std::string JoinArguments(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) {
            commandLine += ' ';
        }
        commandLine += argv[i];
    }
    return commandLine;
}

int RunGame(const std::string& commandLine, const RootFactory& makeRoot,
            const std::optional<WindowPlacement>& placement) {
    std::unique_ptr<GameWindow> window = CreateGameWindowObject(true, false);
    if (!window) {
        return 1;
    }
    GetExecutableDirectory();
    InitClock();
    MountArchive(MakeFilePath("tandolo.dat"));
    const bool fullScreen = ReadFullScreenSetting();
    if (placement) {
        window->OpenWith(*placement);
    } else {
        window->RememberPlacementIn(SavePath(WindowPlacementFileName));
    }
    if (!window->CreateGameWindow(800, 600, -1, !fullScreen, "Tandolo")) {
        return 1;
    }
    SeedRandom(GetMilliseconds());
    window->SetDefaultWorldView();
    PictureBank pictures;
    App.pictures = &pictures;
    RunMainLoop(*window, commandLine, fullScreen, makeRoot);
    window->SavePlacement();
    // Pictures are textures of the window's context: release them before it goes.
    pictures.DestroyAll();
    App.pictures = nullptr;
    ShutDownApp();
    App.window = nullptr;
    window.reset();
    UnmountAllArchives();
    return 0;
}
