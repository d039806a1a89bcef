#pragma once

#include "game/CCell.h"

// A hole: no cell, nothing drawn, never cleared.
class CCellEmpty : public CCell {
public:
    CCellEmpty() { kind = CellKind::Hole; }
    bool Update() override { return true; }
};
