#pragma once

#include <cstdint>

#include "game/CellKinds.h"
#include "scene/GameObject.h"

// One slot of the board. Cells never draw themselves: the board picks their
// picture from kind, state and frame.
class CCell : public CGameObject {
public:
    CCell();

    bool Update() override = 0;

    virtual int32_t GetGroup() const { return -1; }
    virtual void AddToGroup(int32_t) {}
    virtual void ResetGroups() { group = -1; }
    virtual bool IsInGroup(int32_t) const { return false; }
    virtual void OnUselessClick() {}
    // Only pets form sets of their own kind; stars join any set through FloodFill.
    virtual bool MatchesOwnKind() const { return false; }

    void SetState(int32_t newState);

    int32_t kind = 0;
    int32_t state = CellState::Idle;
    int32_t frame = 0;
    int32_t group = -1;
    int32_t fallOffset = 0;
    int32_t effectClass = ClearEffect::Light;
    int32_t uselessClicks = 0;

protected:
    // One frame of the clearing effect; ends in the gone state.
    void StepClearing();
};
