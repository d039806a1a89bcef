#include "menu/CMenuBase.h"

#include <algorithm>
#include <cmath>

#include "core/App.h"
#include "core/Random.h"
#include "engine/GLPicture.h"
#include "menu/CMenuBubble.h"
#include "ui/CGUIButton.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int LogoBoxHeight = 160;
constexpr float FullTurn = 6.28f;

}  // namespace

CMenuBase::CMenuBase() {
    name = "menubase";
    panel_.LoadRequired("data/gfx/menu/menu_center.tga");
    logo_.LoadRequired("data/gfx/menu/tandolo_logo5.png");
    logo_.picture->SetLinearFiltering(true);
    alphabet_.LoadRequired("data/gfx/menu/abecedary1.png");
    font.Load(alphabet_, alphabet_.width / 26);
    AddChild(&panelMover_);
    AddChild(&mainMenu);
    AddChild(&credits);
    AddChild(&chooseWorld);
    AddChild(&options);
    credits.active = false;
    chooseWorld.active = false;
    options.active = false;
    PreloadSound("data/sfx/rollover.ogg");
    PreloadSound("data/sfx/pressed.ogg");
    CGUIButton::rolloverSound = "data/sfx/rollover.ogg";
    CGUIButton::pressSound = "data/sfx/pressed.ogg";
}

// Bubbles, falling pets and pop sparkles are the panel's own heap children.
CMenuBase::~CMenuBase() {
    const CGameObject* members[] = {&panelMover_, &mainMenu, &credits, &chooseWorld, &options};
    for (CGameObject* child : children) {
        if (std::find(std::begin(members), std::end(members), child) == std::end(members)) {
            delete child;
        }
    }
    RemoveAllChildren();
}

void CMenuBase::Open(bool openInGame) {
    closing_ = false;
    inGame = openInGame;
    panelMover_.Move(&panel_, PanelX, ClosedY, PanelX, OpenY, SlideTicks, 1.0f, 1.0f);
    panelMover_.SetActive(true);
    if (inGame) {
        RemoveBubbles();
    }
    mainMenu.buttons[CMainMenu::Continue].active = inGame;
    options.SetActive(false);
    credits.SetActive(false);
    chooseWorld.SetActive(false);
    mainMenu.SetActive(true);
}

void CMenuBase::Close() {
    panelMover_.Move(&panel_, PanelX, OpenY, PanelX, ClosedY, SlideTicks, 1.0f, 1.0f);
    closing_ = true;
}

bool CMenuBase::HasClosed() const {
    return closing_ && panelMover_.progress >= 1.0f;
}

bool CMenuBase::Update() {
    logoPhase_ += 0.03f;
    if (logoPhase_ > FullTurn) {
        logoPhase_ -= FullTurn;
    }
    logo_.zoom = 1.0f + (std::sin(logoPhase_) + 1.0f) * 0.02f;
    if (!inGame) {
        MaybeReleaseBubble();
    }
    if (HasClosed()) {
        SetActive(false);
    }
    return true;
}

// The more bubbles the player pops, the more rise: one in 30 ticks at first, one every tick
// after 290.
void CMenuBase::MaybeReleaseBubble() {
    if (RandomDraw() % std::max(30 - popped / 10, 1) != 0) {
        return;
    }
    const int r = RandomDraw() % 400;
    const int x = r - 50 > 150 ? r + 350 : r - 50;  // beside the panel, never behind it
    AddChild(new CMenuBubble(x));
}

void CMenuBase::RemoveBubbles() {
    RemoveChildrenNamed(CMenuBubble::ObjectName);
}

void CMenuBase::DrawOver() {
    if (!inGame) {
        logo_.DrawCentred(0, 0, ScreenWidth, LogoBoxHeight);
    }
}
