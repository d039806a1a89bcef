#pragma once

#include <array>
#include <string>

#include "scene/GameObject.h"
#include "ui/CGUIButton.h"

// The panel's first screen: NEW GAME, OPTIONS, CREDITS and QUIT slide in from both sides, and
// CONTINUE below them in the in-game menu. A press slides the buttons out, then opens the chosen
// screen. Object name "mainmenu".
class CMainMenu : public CGameObject {
public:
    enum Button { NewGame, Options, Credits, Quit, Continue, ButtonCount };
    static constexpr int RestingX = 280;
    static constexpr int FirstY = 227;

    CMainMenu();

    bool Update() override;
    void DrawOver() override;
    void OnActivate() override;

    // The screen opened when the slide-out ends; none resumes the game.
    void CloseTowards(const char* screenPath);
    void QuitGame();

    std::array<CGUIButton, ButtonCount> buttons;

private:
    void PlaceButtons();
    void FinishClosing();

    CGameObject* nextScreen_ = nullptr;
    float slide_ = 0.0f;
    bool closing_ = false;
};
