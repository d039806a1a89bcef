#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// A bubble with a pet in it, rising and swaying beside the menu panel; holding the button over
// it pops it, and the pet tumbles down. A heap child of the panel.
class CMenuBubble : public CGameObject {
public:
    static constexpr const char* ObjectName = "menububble";

    explicit CMenuBubble(int startX);

    bool Update() override;
    void Draw() override;

    int32_t y = 600;
    float x = 0.0f;

private:
    bool IsUnderPointer() const;
    void Pop(float sway);

    // Copies of the bank's sprites: each bubble tilts its own.
    Sprite bubble_;
    Sprite pet_;
    int32_t phaseOffset_ = 0;
};

// A popped bubble's pet, spinning as it falls off the bottom of the screen.
class CMenuPetFalling : public CGameObject {
public:
    CMenuPetFalling(const Sprite& pet, int x, int y, int angle);

    bool Update() override;
    void Draw() override;

private:
    int32_t x_;
    int32_t y_;
    int32_t angle_;
    Sprite pet_;
};
