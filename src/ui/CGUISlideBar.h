#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// A horizontal slider: a knob on a bar, dragged with the left button; value 0..1.
class CGUISlideBar : public CGameObject {
public:
    void SetTrack(int trackStart, int trackLength, int knobOffsetY);
    void SetValue(float v);

    bool Update() override;
    void Draw() override;

    int32_t x = 0;
    int32_t y = 0;
    Sprite* bar = nullptr;
    Sprite* knob = nullptr;
    int32_t knobOffsetY = 0;
    int32_t trackStart = 0;   // value-0 point, from x
    int32_t trackLength = 0;  // pixels from value 0 to value 1
    float value = 0.0f;
};
