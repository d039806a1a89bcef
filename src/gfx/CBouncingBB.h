#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// Drops a borrowed sprite from just above the screen onto a floor line, where
// it bounces with ever smaller rebounds until it rests.
class CBouncingBB : public CGameObject {
public:
    // bounce: share of the speed kept, reversed, at each bounce.
    void Drop(Sprite* sprite, int x, float floorY, float gravity, float bounce);
    // True in the update in which the sprite hit the floor, until it has settled.
    bool JustBounced() const;

    bool Update() override;
    void Draw() override;

    int32_t x = 0;
    float y = 0.0f;
    float floorY = 0.0f;
    Sprite* sprite = nullptr;
    float bounce = 0.0f;
    float gravity = 0.0f;
    float speedY = 0.0f;
    bool settled = false;
};
