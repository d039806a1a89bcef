#pragma once

#include "gfx/Sprite.h"
#include "menu/CMenuBase.h"
#include "scene/GameObject.h"

// The menus' backdrop, behind the menu panel. Object name "menuback"; coming back plays the
// menu music and slides the panel in again.
class CMenuBack : public CGameObject {
public:
    CMenuBack();

    void Draw() override;
    void OnActivate() override;

    CMenuBase menuBase;

private:
    Sprite backdrop_;
    Sprite corner_;
};
