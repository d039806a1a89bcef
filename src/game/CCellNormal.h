#pragma once

#include "game/CCell.h"

// A pet: blinks now and then, swings while highlighted, sulks after useless clicks.
class CCellNormal : public CCell {
public:
    explicit CCellNormal(int32_t petKind);

    bool Update() override;
    int32_t GetGroup() const override { return group; }
    void AddToGroup(int32_t g) override { group = g; }
    bool IsInGroup(int32_t g) const override { return group == g; }
    void OnUselessClick() override;
    bool MatchesOwnKind() const override { return true; }

    int32_t frameStep = 1;

private:
    void Swing();
};
