#include "engine/Clock.h"

#include "engine/InputSeam.h"

namespace {
uint64_t lastRawMs = 0;
uint32_t accumulatedMs = 0;
}  // namespace

void InitClock() { ResyncClock(); }

uint32_t GetMilliseconds() {
    const uint64_t raw = CurrentInputSeam().RawMilliseconds();
    // A seam swapped for one with an earlier clock must not make time run backwards.
    if (raw > lastRawMs) {
        accumulatedMs += static_cast<uint32_t>(raw - lastRawMs);
    }
    lastRawMs = raw;
    return accumulatedMs;
}

void ResyncClock() { lastRawMs = CurrentInputSeam().RawMilliseconds(); }
