#include "app/CLauncher.h"

#include <cstdio>
#include <memory>

#include "app/CPubPage.h"
#include "core/App.h"
#include "flow/CEndScreen.h"
#include "flow/CGame.h"
#include "flow/SettingsFile.h"
#include "flow/TutorialSwitch.h"
#include "gfx/PictureBank.h"
#include "menu/CMenuBack.h"

namespace {

constexpr const char* ButtonsPicture = "data/gfx/menu/buttons.png";
constexpr int ButtonFaceHeight = 52;
constexpr struct {
    const char* name;
    int top;
} ButtonFaces[] = {{"buttonidle", 23}, {"buttonrollover", 75}, {"buttonpressed", 127}};

}  // namespace

CLauncher::CLauncher(const std::string& levelFolder) : levelFolder_(levelFolder) {
    MakeRoot();
    introPicture_.LoadRequired("data/gfx/menu/intro.png");
    introPicture_.opaque = true;
    intro.SetBackdrop(&introPicture_);
    AddChild(&intro);
    LoadButtonFaces();
    ReadSettings();
}

// Whatever is still on the heap: the page when the window was closed before it ran, the end
// screen the game left.
CLauncher::~CLauncher() {
    for (CGameObject* child : children) {
        if (child != &intro) {
            delete child;
        }
    }
    RemoveAllChildren();
    App.directStart = false;
}

// Every menu's buttons share the three faces cut from one picture.
void CLauncher::LoadButtonFaces() {
    Sprite* buttons = App.pictures->Load(ButtonsPicture);
    for (const auto& face : ButtonFaces) {
        auto sprite = std::make_unique<Sprite>(*buttons);
        sprite->SetSource(0, face.top, buttons->width, ButtonFaceHeight);
        App.pictures->Put(face.name, std::move(sprite));
    }
}

// The volumes and the tutorials switch the player chose; a file that cannot be read leaves
// the defaults. The full-screen byte was read before the window opened.
void CLauncher::ReadSettings() {
    Settings settings;
    std::string error;
    if (!SettingsFile::Read(SettingsFileName, settings, error)) {
        std::fprintf(stderr, "tandolo: %s\n", error.c_str());
    }
    SetSoundVolume(settings.soundVolume);
    SetMusicVolume(settings.musicVolume);
    tutorialSetting_ = settings.tutorialsOn;
}

bool CLauncher::Update() {
    if (exitRequested) {
        pubPage = nullptr;  // it has ended itself
        App.quit = true;
        return true;
    }
    if (!started_) {
        StartFromCommandLine();
        started_ = true;
    }
    if (intro.LogoSettled() && game == nullptr) {
        MakeScreens();
    }
    if (intro.Clicked() && intro.LogoSettled() && !AnyScreenActive()) {
        intro.SetActive(false);
        menuBack->SetActive(true);
    }
    if (App.directStart) {
        ShowWhatTheGameLeft();
    }
    return true;
}

CGame* CLauncher::MakeGame() {
    auto* made = new CGame();
    made->levelFolder = levelFolder_;
    return made;
}

void CLauncher::StartFromCommandLine() {
    if (GetIntOption("world") == -1 || GetIntOption("stage") == -1) {
        return;
    }
    App.directStart = true;
    intro.SetActive(false);
    game = MakeGame();
    AddChild(game);
    game->BeginGame(-1);
}

// Loading is over once the logo has landed: everything else is made, switched off.
void CLauncher::MakeScreens() {
    App.directStart = false;
    game = MakeGame();
    menuBack = new CMenuBack();
    pubPage = new CPubPage();
    for (CGameObject* screen : {static_cast<CGameObject*>(game), static_cast<CGameObject*>(menuBack),
                                static_cast<CGameObject*>(pubPage)}) {
        AddChild(screen);
        screen->SetActive(false);
    }
    pubPage->font = &intro.font;
    tutorialsOn = tutorialSetting_;
}

bool CLauncher::AnyScreenActive() const {
    return (game != nullptr && game->active) || (menuBack != nullptr && menuBack->active) ||
           (pubPage != nullptr && pubPage->active);
}

// A level started from the command line has no menus to go back to: the program ends with the
// game, once what it shows in its place (a world's presentation, the end screen) has gone. The
// game fades out as it ends; the end screen is shown again.
void CLauncher::ShowWhatTheGameLeft() {
    bool endScreenShown = false;
    bool gameScreenShown = game != nullptr && game->active;
    for (CGameObject* child : children) {
        endScreenShown = endScreenShown || dynamic_cast<CEndScreen*>(child) != nullptr;
        gameScreenShown = gameScreenShown || (child != &intro && child != game);
    }
    if (endScreenShown && App.screenFaded) {
        FadeIn();
    } else if (!gameScreenShown) {
        App.quit = true;
    }
}

void CLauncher::StartGame(int world, int stage) {
    menuBack->SetActive(false);
    game->Start(world, stage);
    game->SetActive(true);
    menuBack->menuBase.Close();  // so that it slides in again when the menus come back
}
