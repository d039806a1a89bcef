#pragma once

#include "scene/GameObject.h"
#include "ui/BitmapFont.h"

// The farewell page after QUIT: one line over the menu backdrop, which fades away before the
// screen goes black and the game ends. Object name "pubpage"; it ends itself.
class CPubPage : public CGameObject {
public:
    static constexpr const char* Farewell = "THANKS FOR PLAYING TANDOLO";
    static constexpr int TextY = 250;

    CPubPage();

    // Runs the countdown; at its end the screen fades out and the launcher is told to exit.
    bool Update() override;
    void Draw() override;

    // The intro's; without it nothing is written.
    BitmapFont* font = nullptr;
    float countdown = 4.0f;
};
