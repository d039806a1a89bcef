#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "scene/KeyboardTargets.h"

// A push button drawn from up to three faces; it reads the mouse itself and
// clicks when a press is released over it. Captions are drawn by the owner.
class CGUIButton : public CGameObject, public KeyboardTargets {
public:
    enum State : int32_t { Idle = 0, Over = 1, Pressed = 2 };

    bool Update() override;
    void Draw() override;
    // Its middle, when it has a face and something to do.
    void AddKeyTargets(std::vector<KeyTarget>& targets) const override;

    bool IsOver() const { return state == Over; }
    bool IsPressed() const { return state == Pressed; }

    // Shared by all buttons; empty means no sound.
    static std::string rolloverSound;
    static std::string pressSound;

    Sprite* idleFace = nullptr;  // also the button's size; without it the button is inert
    Sprite* rolloverFace = nullptr;
    Sprite* pressedFace = nullptr;
    int32_t x = 0;
    int32_t y = 0;
    int32_t state = Idle;
    std::function<void()> onClick;

protected:
    // The one place a button makes a sound.
    virtual void PlayFeedback(const std::string& sound);

private:
    bool Contains(int mouseX, int mouseY) const;
    Sprite* FaceForState() const;
};
