#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// The mouse pointer drawn as a sprite, its hot spot on the mouse position.
// Hides the system cursor while it exists.
class CPointer : public CGameObject {
public:
    CPointer();

    bool Update() override;
    void Draw() override;

    // Hot spot at the middle of the picture.
    void CentreHotSpot();

    Sprite* picture = nullptr;
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    int32_t hotX = 0;
    int32_t hotY = 0;
};
