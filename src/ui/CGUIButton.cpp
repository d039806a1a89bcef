#include "ui/CGUIButton.h"

#include "core/App.h"
#include "engine/Input.h"

std::string CGUIButton::rolloverSound;
std::string CGUIButton::pressSound;

bool CGUIButton::Contains(int mouseX, int mouseY) const {
    return x <= mouseX && mouseX <= x + idleFace->width && y <= mouseY && mouseY <= y + idleFace->height;
}

bool CGUIButton::Update() {
    if (idleFace == nullptr) {
        return true;
    }
    const bool inside = Contains(GetMouseX(), GetMouseY());
    const bool down = IsMouseButtonDown();
    const int32_t oldState = state;
    if (down) {
        // A press may start outside and slide in; leaving the button cancels it.
        state = inside ? Pressed : Idle;
    } else if (state == Pressed && inside) {
        state = Over;
        if (onClick) {
            if (!pressSound.empty()) {
                PlayFeedback(pressSound);
            }
            // Last thing done, on a copy: the handler may switch screens or even end this button.
            const std::function<void()> handler = onClick;
            handler();
        }
        return true;
    } else {
        state = inside ? Over : Idle;
    }
    if (state == Over && oldState == Idle && !rolloverSound.empty()) {
        PlayFeedback(rolloverSound);
    }
    return true;
}

void CGUIButton::AddKeyTargets(std::vector<KeyTarget>& targets) const {
    if (idleFace != nullptr && onClick) {
        targets.push_back({x + idleFace->width / 2, y + idleFace->height / 2, KeyTarget::Control});
    }
}

Sprite* CGUIButton::FaceForState() const {
    Sprite* rollover = rolloverFace != nullptr ? rolloverFace : idleFace;
    switch (state) {
        case Over:
            return rollover;
        case Pressed:
            return pressedFace != nullptr ? pressedFace : rollover;
        default:
            return idleFace;
    }
}

void CGUIButton::Draw() {
    if (idleFace == nullptr) {
        return;
    }
    FaceForState()->Draw(x, y);
}

void CGUIButton::PlayFeedback(const std::string& sound) {
    PlaySound(sound);
}
