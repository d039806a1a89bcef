#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "scene/KeyboardTargets.h"

// A horizontal slider: a knob on a bar, dragged with the left button or stepped with the
// keyboard's left and right; value 0..1.
class CGUISlideBar : public CGameObject, public KeyboardTargets {
public:
    void SetTrack(int trackStart, int trackLength, int knobOffsetY);
    void SetValue(float v);

    bool Update() override;
    void Draw() override;
    // The knob.
    void AddKeyTargets(std::vector<KeyTarget>& targets) const override;
    bool StepKeyTarget(int target, int direction) override;

    // A tenth of the track a key press.
    static constexpr float KeyStep = 0.1f;

    int32_t x = 0;
    int32_t y = 0;
    Sprite* bar = nullptr;
    Sprite* knob = nullptr;
    int32_t knobOffsetY = 0;
    int32_t trackStart = 0;   // value-0 point, from x
    int32_t trackLength = 0;  // pixels from value 0 to value 1
    float value = 0.0f;

private:
    int KnobCentre() const;
};
