#pragma once

#include <cstdint>

#include "gfx/CBouncingBB.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "ui/BitmapFont.h"

// The first screen: the title logo bounces in over the launcher's picture while the game loads,
// then a click leads on. Object name "intro"; its font also writes the menus' labels.
class CIntro : public CGameObject {
public:
    static constexpr int FloorY = 100;
    static constexpr int PromptY = 550;

    CIntro();

    // The launcher's picture, drawn behind the logo; it must outlive the intro.
    void SetBackdrop(const Sprite* picture) { backdrop_ = picture; }

    bool Update() override;
    void Draw() override;

    bool LogoSettled() const { return settled_; }
    // Pressed and released since the intro began, even while the logo was still falling.
    bool Clicked() const { return clicked_; }

    BitmapFont font;

private:
    // The launcher has made the game: loading is over.
    bool GameExists();

    const Sprite* backdrop_ = nullptr;
    bool settled_ = false;
    bool clicked_ = false;
    bool pressed_ = false;
    CBouncingBB bouncingLogo_;
    Sprite logo_;
    Sprite alphabet_;
    bool jinglePlayed_ = false;
};
