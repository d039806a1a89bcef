#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

class CCell;

// A bubble carrying a freed cell's picture up and off the screen, swaying as it rises.
class CBubble : public CGameObject {
public:
    // The cell's picture is taken now, before the cell starts clearing.
    CBubble(const CCell& cell, int32_t x, int32_t y);
    void Init(int32_t kind, bool evenColumn);

    bool Update() override;
    void Draw() override;

    static const char* PictureName(int32_t kind);

    Sprite bubbleSprite;
    Sprite petSprite;
    int32_t x = 0;
    int32_t y = 0;
    int32_t petDX = 0;
    int32_t petDY = 0;
    int32_t drawX = 0;
    int32_t drift = 0;
    float phase = 0.0f;

private:
    int32_t bubbleHeight_ = 0;
};
