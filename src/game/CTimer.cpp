#include "game/CTimer.h"

#include <algorithm>

#include "core/App.h"
#include "game/TutorialEvents.h"

CTimer::CTimer() {
    name = "timer";
    ticksperbla = 1;
    bar_.LoadRequired("data/gfx/interface/timebar.tga");
    barRed_.LoadRequired("data/gfx/interface/timebar_red.png");
}

void CTimer::SetTime(int32_t seconds) {
    // Zero ticks a pixel would never count down: a level of a second still runs out.
    ticksPerPixel_ = std::max(1, seconds * 60 / std::max(1, BarWidth()));
    remaining = BarWidth();
}

void CTimer::AddTime() {
    gainShown_ = remaining;
    remaining = std::min(remaining + ClockGainPixels, BarWidth());
}

void CTimer::SetHold(bool on) {
    holdTicks = on ? SandClockHoldTicks : 0;
}

bool CTimer::Update() {
    if (paused) {
        return true;
    }
    if (holdTicks > 0) {
        holdTicks -= 1;
        return true;
    }
    const int32_t before = remaining;
    if (gainShown_ > 0) {
        gainShown_ += 1;
        if (gainShown_ > before) {
            gainShown_ = 0;  // the growing bar has caught up with the real one
        }
    }
    tickCount_ += 1;
    if (tickCount_ % ticksPerPixel_ == 0) {
        remaining = std::max(0, before - 1);
        tickCount_ = 0;
    }
    const int32_t quarter = BarWidth() / 4;
    if (before >= quarter && remaining < quarter) {
        PlaySound("data/sfx/hurryup.ogg");
        NotifyTutorialsFrom(*this, 5, -1, -1);
    }
    return true;
}

void CTimer::Draw() {
    if (holdTicks > 0 && (holdTicks / HoldBlinkTicks) % 2 == 1) {
        return;  // a hold blinks: 15 ticks shown, 15 hidden
    }
    const int32_t shown = gainShown_ > 0 ? gainShown_ : remaining;
    const Sprite& current = InLastQuarter() ? barRed_ : bar_;
    if (shown > 0) {
        current.DrawPart(BarX, BarY, 0, 0, shown, current.height);
    }
}
