#pragma once

#include "game/CCell.h"

// A coloured bubble: never part of a set, burst by soap.
class CCellBubble : public CCell {
public:
    // bubbleKind is 18..21.
    explicit CCellBubble(int32_t bubbleKind);
    bool Update() override;
};
