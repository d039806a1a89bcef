#include "ui/CGUISlideBar.h"

#include <cmath>

#include "engine/Input.h"

void CGUISlideBar::SetTrack(int trackStart, int trackLength, int knobOffsetY) {
    this->trackStart = trackStart;
    this->trackLength = trackLength;
    this->knobOffsetY = knobOffsetY;
}

// Written so that a NaN ends at 0 rather than passing through.
void CGUISlideBar::SetValue(float v) {
    value = v > 1.0f ? 1.0f : (v > 0.0f ? v : 0.0f);
}

bool CGUISlideBar::Update() {
    // A track of no length has no values to pick.
    if (bar == nullptr || knob == nullptr || trackLength <= 0 || !IsMouseButtonDown()) {
        return true;
    }
    const int mouseX = GetMouseX();
    const int mouseY = GetMouseY();
    const int left = x + trackStart;
    // Outside the track the value stays where the mouse left it.
    if (mouseX >= left && mouseX <= left + trackLength && mouseY >= y && mouseY <= y + bar->height) {
        value = static_cast<float>(mouseX - x - trackStart) / static_cast<float>(trackLength);
    }
    return true;
}

int CGUISlideBar::KnobCentre() const {
    return x + trackStart + static_cast<int>(static_cast<float>(trackLength) * value);
}

void CGUISlideBar::Draw() {
    if (bar == nullptr || knob == nullptr) {
        return;
    }
    bar->Draw(x, y);
    knob->Draw(KnobCentre() - knob->width / 2, y + knobOffsetY);
}

void CGUISlideBar::AddKeyTargets(std::vector<KeyTarget>& targets) const {
    if (bar != nullptr && knob != nullptr && trackLength > 0) {
        targets.push_back({KnobCentre(), y + bar->height / 2, KeyTarget::Control});
    }
}

bool CGUISlideBar::StepKeyTarget(int /*target*/, int direction) {
    // Rounded to whole steps, so ten presses always reach an end from anywhere on a step.
    const float steps = std::round(value / KeyStep) + static_cast<float>(direction);
    SetValue(steps * KeyStep);
    return true;
}
