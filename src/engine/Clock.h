#pragma once

#include <cstdint>

// The engine's run-time clock: counts from start-up, only grows, and skips the
// time the window spent waiting in the background (ResyncClock).
void InitClock();
uint32_t GetMilliseconds();
// Forgets the time since the last reading.
void ResyncClock();
