#include "app/GameStartup.h"

#include "app/CLevelRoot.h"
#include "core/App.h"
#include "core/Random.h"
#include "engine/Clock.h"
#include "engine/EngineFile.h"
#include "engine/Files.h"
#include "engine/GameWindow.h"
#include "engine/TarArchive.h"
#include "gfx/PictureBank.h"
#include "scene/GameObject.h"

namespace {

// The full-screen byte of the settings file; no file or a short one means a window.
bool ReadFullScreenSetting() {
    constexpr size_t fullScreenOffset = 8;
    std::string settings;
    std::string error;
    if (!ReadRegularFile("options.dat", settings, error, 4096) || settings.size() <= fullScreenOffset) {
        return false;
    }
    return settings[fullScreenOffset] != 0;
}

}  // namespace

std::unique_ptr<CGameObject> MakeGameRoot() {
    return std::make_unique<CLevelRoot>();
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

int RunGame(const std::string& commandLine, const RootFactory& makeRoot) {
    std::unique_ptr<GameWindow> window = CreateGameWindowObject(true, false);
    if (!window) {
        return 1;
    }
    GetExecutableDirectory();
    InitClock();
    MountArchive(MakeFilePath("tandolo.dat"));
    const bool fullScreen = ReadFullScreenSetting();
    if (!window->CreateGameWindow(800, 600, -1, !fullScreen, "Tandolo")) {
        return 1;
    }
    SeedRandom(GetMilliseconds());
    window->SetDefaultWorldView();
    PictureBank pictures;
    App.pictures = &pictures;
    RunMainLoop(*window, commandLine, fullScreen, makeRoot);
    // Pictures are textures of the window's context: release them before it goes.
    pictures.DestroyAll();
    App.pictures = nullptr;
    ShutDownApp();
    App.window = nullptr;
    window.reset();
    UnmountAllArchives();
    return 0;
}
