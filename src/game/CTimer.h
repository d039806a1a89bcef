#pragma once

#include <cstdint>

#include "scene/GameObject.h"

// The level clock. So far only what the board reads: the time left and the sand-clock hold.
class CTimer : public CGameObject {
public:
    CTimer() { name = "timer"; }

    int32_t remaining = 1;
    bool paused = false;
    int32_t holdTicks = 0;
};
