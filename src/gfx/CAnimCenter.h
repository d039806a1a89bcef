#pragma once

#include <cstdint>

#include "gfx/CMovingBB.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// The centre banner for a cleared level and for the end of the game: two
// pictures slide in from both sides; IsDone says when the player may go on.
class CAnimCenter : public CGameObject {
public:
    enum Kind : int { LevelCleared = 0, GameOver = 1 };

    // Loads the four banner pictures; a missing one is a fatal error.
    CAnimCenter();
    ~CAnimCenter() override;

    void Show(int kind);
    bool IsDone() const;

    bool Update() override;

    Sprite levelPicture;
    Sprite clearedPicture;
    Sprite gamePicture;
    Sprite overPicture;
    CMovingBB left;
    CMovingBB right;
    int32_t ticks = 0;
};
