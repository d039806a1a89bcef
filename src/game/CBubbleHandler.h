#pragma once

#include "scene/GameObject.h"

// Holds the floating bubbles of the blasts as its children, so the tree ticks
// and draws them after the board, over the cells. Owns them.
class CBubbleHandler : public CGameObject {
public:
    CBubbleHandler() { name = "bubbles"; }
    ~CBubbleHandler() override;
    CBubbleHandler(const CBubbleHandler&) = delete;
    CBubbleHandler& operator=(const CBubbleHandler&) = delete;
};
