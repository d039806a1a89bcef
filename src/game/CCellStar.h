#pragma once

#include <set>

#include "game/CCell.h"

// The joker: joins a set of any pet, and may belong to several sets at once.
class CCellStar : public CCell {
public:
    CCellStar() { kind = CellKind::Star; }

    bool Update() override;
    void AddToGroup(int32_t g) override { groups.insert(g); }
    void ResetGroups() override { groups.clear(); }
    bool IsInGroup(int32_t g) const override { return g != -1 && groups.contains(g); }

    std::set<int32_t> groups;
    // Only tells whether the effect was chosen yet; never followed.
    const CCell* partner = nullptr;

private:
    void ChooseEffectFromPartner();
};
