#pragma once

#include <array>
#include <cstdint>

#include "gfx/CMovingBB.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "ui/BitmapFont.h"

// Opens the first stage of every world: the world's title, number and miniature in a frame
// behind a rising curtain, until the player presses the mouse. Made by the game under the
// root, beside it ("../game"); it clears the screen, so it hides the play screen while it lives.
class CWorldPresentation : public CGameObject {
public:
    static constexpr int Worlds = 8;
    static constexpr int PieceWidth = 57;
    static constexpr int CurtainTicks = 400;

    // Loads the pictures (a missing one is a fatal error) and starts the curtain.
    CWorldPresentation();
    ~CWorldPresentation() override;
    CWorldPresentation(const CWorldPresentation&) = delete;
    CWorldPresentation& operator=(const CWorldPresentation&) = delete;

    // Once it is under the root: the game's world picks the miniature; the world's sound plays.
    void Start();

    // Ends, making the game active, at a press made while it shows.
    bool Update() override;
    void Draw() override;

    // The curtain's mover while the curtain rises; null once it is up and gone.
    CMovingBB* Curtain() const;

    Sprite curtainPicture;
    Sprite labelPicture;
    std::array<Sprite, Worlds> worldNumbers;  // worldNumbers[w - 1] shows world w
    Sprite framePicture;
    Sprite worldPicture;
    float phase = 0.0f;
    BitmapFont* font = nullptr;  // the game's; no text without it

private:
    CMovingBB* curtain_ = nullptr;
    int32_t world_ = 1;
    bool buttonWasUp_ = false;
};
