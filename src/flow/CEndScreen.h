#pragma once

#include <cstdint>

#include "gfx/CMovingBB.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "ui/BitmapFont.h"

// Shown once the last stage of the last world is cleared: the final picture, the title sliding
// in and a thank-you line. A click (press, then release) made while it shows ends it once the
// title has arrived.
class CEndScreen : public CGameObject {
public:
    enum ClickState : int32_t { Waiting = 0, Pressed = 1, Clicked = 2 };
    static constexpr int TitleY = 40;
    static constexpr int TitleTicks = 100;

    // Loads both pictures (a missing one is a fatal error) and starts the title.
    CEndScreen();
    ~CEndScreen() override;
    CEndScreen(const CEndScreen&) = delete;
    CEndScreen& operator=(const CEndScreen&) = delete;

    bool Update() override;
    void Draw() override;

    Sprite finalPicture;
    Sprite titlePicture;
    CMovingBB titleMover;
    int32_t clickState = Waiting;
    BitmapFont* font = nullptr;  // the game's; no thank-you line without it

private:
    bool buttonWasUp_ = false;
};
