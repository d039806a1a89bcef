#pragma once

#include <string>

#include "gfx/Sprite.h"
#include "menu/CIntro.h"
#include "menu/GameStarter.h"
#include "scene/GameObject.h"

class CGame;
class CMenuBack;
class CPubPage;

// The root of the game: the intro first; once its logo has landed, the game, the menus and the
// farewell page, switched on and off as the player moves between them. /world= and /stage= on
// the command line start a level at once, and leaving it ends the program.
class CLauncher : public CGameObject, public GameStarter {
public:
    // levelFolder: where the level files are, game-relative or absolute.
    explicit CLauncher(const std::string& levelFolder = "levels");
    ~CLauncher() override;
    CLauncher(const CLauncher&) = delete;
    CLauncher& operator=(const CLauncher&) = delete;

    bool Update() override;
    void StartGame(int world, int stage) override;

    CGame* game = nullptr;
    CMenuBack* menuBack = nullptr;
    CIntro intro;
    CPubPage* pubPage = nullptr;
    bool exitRequested = false;

private:
    void LoadButtonFaces();
    void ReadSettings();
    void StartFromCommandLine();
    void MakeScreens();
    CGame* MakeGame();
    bool AnyScreenActive() const;
    void ShowWhatTheGameLeft();

    Sprite introPicture_;
    std::string levelFolder_;
    bool started_ = false;
    bool tutorialSetting_ = true;
};
