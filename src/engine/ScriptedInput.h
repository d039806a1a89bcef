#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "engine/Input.h"
#include "engine/InputSeam.h"

// A seam for tests and the headless driver: a virtual clock that moves only when
// told, and a mouse and keyboard set by the script.
class ScriptedInput : public InputSeam {
public:
    uint64_t RawMilliseconds() override { return nowMs_; }
    bool IsKeyDown(int keyCode) override;
    int MouseX() override { return mouseX_; }
    int MouseY() override { return mouseY_; }
    bool IsMouseButtonDown() override { return buttonDown_; }
    void SetMousePosition(int x, int y) override;
    // A scripted key stays down until the script lifts it; waiting lifts every key.
    void WaitForInput() override;
    void PaceFrame(uint32_t) override {}
    void BeforePresent() override;
    bool FollowsWindowFocus() const override { return false; }

    void SetTime(uint64_t ms) { nowMs_ = ms; }
    void AdvanceTime(uint64_t ms) { nowMs_ += ms; }
    void MoveMouse(int x, int y) { SetMousePosition(x, y); }
    void SetButton(bool down) { buttonDown_ = down; }
    void SetKey(int keyCode, bool down);

    // Called before every presented frame (after the frame was drawn).
    std::function<void()> onBeforePresent;
    // Virtual milliseconds added after each presented frame.
    uint64_t advancePerFrameMs = 0;
    int presentedFrames = 0;

private:
    uint64_t nowMs_ = 0;
    int mouseX_ = 0;
    int mouseY_ = 0;
    bool buttonDown_ = false;
    std::array<bool, KeyCount> keys_{};
};
