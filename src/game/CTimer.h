#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// The level clock: a bar at the bottom of the screen whose length in pixels is the time left.
// It shrinks one pixel every ticksPerPixel ticks of play, turns red in its last quarter, grows
// back with a clock and stands still, blinking, through a sand-clock hold. The board, the items
// and the trees find it as "../timer".
class CTimer : public CGameObject {
public:
    static constexpr int BarX = 168;
    static constexpr int BarY = 559;
    static constexpr int32_t ClockGainPixels = 20;
    static constexpr int32_t SandClockHoldTicks = 600;
    static constexpr int32_t HoldBlinkTicks = 15;

    // Loads the bar's pictures; the bar is empty until SetTime.
    CTimer();

    // The level's TIME: a full bar that empties after seconds x 60 ticks, rounded down to whole
    // ticks per pixel. A time shorter than one tick a pixel still gives one tick a pixel.
    void SetTime(int32_t seconds);
    // A clock: 20 pixels more (never past the full bar), shown growing one pixel a tick.
    void AddTime();
    // A sand clock: the bar stands still for 600 ticks; off ends a hold at once.
    void SetHold(bool on);

    bool Update() override;
    void Draw() override;

    int32_t BarWidth() const { return static_cast<int32_t>(bar_.width); }
    int32_t TicksPerPixel() const { return ticksPerPixel_; }
    // The length shown while a gain grows on screen, else 0.
    int32_t GainShown() const { return gainShown_; }
    bool InLastQuarter() const { return remaining < BarWidth() / 4; }

    int32_t remaining = 0;  // pixels of bar left; 0: the time is up
    bool paused = false;    // before the reveal ends, in the menu, after the level
    int32_t holdTicks = 0;  // ticks left of a sand-clock hold

private:
    int32_t gainShown_ = 0;
    int32_t tickCount_ = 0;
    Sprite bar_;
    Sprite barRed_;
    int32_t ticksPerPixel_ = 80;
};
