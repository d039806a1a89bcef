#pragma once

#include <cstdint>
#include <list>

#include "gfx/CMovingBB.h"

// Plays a list of moves one after the other; the move playing is its only
// child, and the last one stays (showing its end) until Restart.
class CMovingBBAnim : public CGameObject {
public:
    CMovingBBAnim();
    ~CMovingBBAnim() override;

    // Grow or fade in (with inTurns), hold, then shrink or fade out (with outTurns),
    // all at (x, y). Nothing plays until Restart.
    void SetupThreeSteps(Sprite* sprite, int x, int y, bool growIn, bool fadeIn, float inTurns,
                         bool shrinkOut, bool fadeOut, float outTurns, int inTicks, int holdTicks,
                         int outTicks);
    void Restart();

    bool Update() override;

    // Held by value; a list, so that current stays valid as steps are added.
    std::list<CMovingBB> steps;
    int32_t nextStep = 0;
    CMovingBB* current = nullptr;

private:
    CMovingBB* StepAt(int32_t index);
};
