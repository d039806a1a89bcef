#pragma once

#include <cstdint>

#include "flow/GameMenuPanel.h"
#include "gfx/CMovingBB.h"
#include "gfx/Sprite.h"
#include "menu/CChooseWorld.h"
#include "menu/CCredits.h"
#include "menu/CMainMenu.h"
#include "menu/COptions.h"
#include "scene/GameObject.h"
#include "ui/BitmapFont.h"

// The menu panel: it slides in from the top under the swaying title logo, carries the main menu
// and the screens it opens, and lets pet bubbles rise beside it. The same panel is the in-game
// menu. Object name "menubase"; its font writes every caption of the menus.
class CMenuBase : public CGameObject, public GameMenuPanel {
public:
    static constexpr int PanelX = 165;
    static constexpr int OpenY = 107;
    static constexpr int ClosedY = -493;
    static constexpr int SlideTicks = 20;

    CMenuBase();
    ~CMenuBase() override;
    CMenuBase(const CMenuBase&) = delete;
    CMenuBase& operator=(const CMenuBase&) = delete;

    void Open(bool inGame) override;
    void Close() override;
    bool HasClosed() const override;

    bool Update() override;
    void DrawOver() override;

    BitmapFont font;
    int32_t popped = 0;
    bool inGame = false;

    CMainMenu mainMenu;
    CCredits credits;
    CChooseWorld chooseWorld;
    COptions options;

private:
    void MaybeReleaseBubble();
    void RemoveBubbles();

    Sprite panel_;
    CMovingBB panelMover_;
    Sprite logo_;
    Sprite alphabet_;
    float logoPhase_ = 0.0f;
    bool closing_ = false;
};
