#pragma once

#include "scene/GameObject.h"
#include "ui/BitmapFont.h"
#include "ui/CGUIButton.h"

// Who made the game: the roles slide in from the left, the names from the right.
// Object name "credits".
class CCredits : public CGameObject {
public:
    static constexpr int BackY = 520;
    static constexpr int FirstLineY = 150;

    CCredits();
    // BACK's action refers to this screen.
    CCredits(const CCredits&) = delete;
    CCredits& operator=(const CCredits&) = delete;

    bool Update() override;
    void Draw() override;
    void DrawOver() override;
    void OnActivate() override;

    // -1 (gone to the sides) .. 0 (arriving) .. 1 (in place).
    float Slide() const { return slide_; }

    CGUIButton backButton;

private:
    void SlideStep();

    float slide_ = 0.0f;
    BitmapFont* roleFont_ = nullptr;
    BitmapFont* nameFont_ = nullptr;
    bool closing_ = false;
};
