#include "menu/CMenuBack.h"

#include "core/App.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

}  // namespace

CMenuBack::CMenuBack() {
    name = "menuback";
    backdrop_.LoadRequired("data/gfx/menu/menu_bg.tga");
    backdrop_.opaque = true;
    corner_.LoadRequired("data/gfx/menu/pub.png");
    AddChild(&menuBase);
}

void CMenuBack::Draw() {
    backdrop_.DrawCentred(0, 0, ScreenWidth, ScreenHeight);
    corner_.Draw(ScreenWidth - corner_.width, ScreenHeight - corner_.height);
}

void CMenuBack::OnActivate() {
    PlayMusic("data/sfx/menu.it");
    if (!menuBase.active) {
        menuBase.SetActive(true);
    }
    menuBase.Open(false);
    if (App.screenFaded) {
        FadeIn();
    }
}
