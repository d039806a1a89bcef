#pragma once

#include <array>
#include <cstdint>

#include "scene/GameObject.h"

class CBoard;

// The level-start reveal: the squares and cells appear one by one in random
// order while the board waits; a press skips to the end. Ending it starts play.
class CBoardEffects : public CGameObject {
public:
    // Updates before the first cell shows.
    static constexpr int32_t RevealDelay = 60;

    CBoardEffects();
    // world and stage are not used.
    void Init(int32_t world, int32_t stage);

    bool Update() override;
    void Draw() override;

    CBoard* board = nullptr;
    // By column, then row: -1 hole, -2 not placed yet, else the update from which it shows.
    std::array<std::array<int32_t, 30>, 30> order{};
    int32_t counter = 0;
    int32_t total = 0;
};
