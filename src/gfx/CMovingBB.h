#pragma once

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// Moves one borrowed sprite along a straight line over a number of ticks,
// optionally fading, zooming and spinning it on the way.
class CMovingBB : public CGameObject {
public:
    CMovingBB();

    void Move(Sprite* sprite, float fromX, float fromY, float toX, float toY, int ticks, float alphaFrom,
              float alphaTo);
    // fadeMode and zoomMode: -1 from 1 to 0, 1 from 0 to 1, anything else stays at 1.
    void MoveEx(Sprite* sprite, float fromX, float fromY, float toX, float toY, int ticks, int fadeMode,
                float turns, int zoomMode);

    bool Update() override;
    void Draw() override;

    Sprite* sprite = nullptr;
    float progress = 0.0f;
    float step = 0.0f;
    float fromX = 0.0f;
    float fromY = 0.0f;
    float toX = 0.0f;
    float toY = 0.0f;
    float alphaFrom = 1.0f;
    float alphaTo = 1.0f;
    bool finishWhenDone = false;
    float zoomFrom = 1.0f;
    float zoomTo = 1.0f;
    float turns = 0.0f;
};
