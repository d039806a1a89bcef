#pragma once

#include "game/CCell.h"

// A virus: blinks, and copies itself into a neighbour at the level's virus period.
class CCellVirus : public CCell {
public:
    static constexpr int32_t NoDirection = -1;
    static constexpr int32_t Right = 0;
    static constexpr int32_t Left = 1;
    static constexpr int32_t Up = 2;
    static constexpr int32_t Down = 3;

    CCellVirus() { kind = CellKind::Virus; }

    bool Update() override;
    void OnUselessClick() override;
    void SetSpreadDirection(int32_t d) { direction = d; }
    int32_t GetSpreadDirection() const { return direction; }

    int32_t blinkPhase = 0;
    int32_t direction = NoDirection;
};
