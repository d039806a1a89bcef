#pragma once

#include <array>
#include <cstdint>

#include "gfx/CMovingBB.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// The stage title and the numbers of world and stage falling from the top at the start of
// every level, then fading out while the board's cells appear. A member of the game; every
// Start replays it, and after its fade it stays, fully transparent, until the next one.
class CStagePresent : public CGameObject {
public:
    static constexpr int PieceWidth = 53;
    static constexpr int Separator = 0;
    static constexpr int FallTicks = 120;
    static constexpr int32_t FadeStartTick = 151;
    static constexpr int32_t GoneTick = 250;

    // Loads the title and the number sheet (a missing one is a fatal error) and starts world 1, stage 1.
    CStagePresent();
    ~CStagePresent() override;
    CStagePresent(const CStagePresent&) = delete;
    CStagePresent& operator=(const CStagePresent&) = delete;

    // World 1..8 and stage 1..5; a number without a digit piece is taken as the nearest one.
    void Start(int world, int stage);

    bool Update() override;

    Sprite stagePicture;
    CMovingBB titleMover;
    std::array<Sprite, 9> numberPieces;  // 0 the separator, n the digit n
    std::array<CMovingBB, 3> numberMovers;
    int32_t ticks = 0;
    float alpha = 1.0f;

private:
    void SetAlpha(float value);
};
