#pragma once

#include "engine/InputSeam.h"

// The player's real mouse, keyboard and clock, through SDL.
class SdlInputSeam : public InputSeam {
public:
    uint64_t RawMilliseconds() override;
    bool IsKeyDown(int keyCode) override;
    int MouseX() override;
    int MouseY() override;
    bool IsMouseButtonDown() override;
    void SetMousePosition(int x, int y) override;
    void WaitForInput() override;
    void PaceFrame(uint32_t intervalMs) override;
    void BeforePresent() override;
    void NoteButtonPressed() override;

    // A press reads as held at least this long, and until a whole frame has read it.
    static constexpr uint64_t ShortestPressMs = 100;

private:
    void ReadMouse(int& x, int& y);
    uint64_t lastFrameMs_ = 0;
    bool pressLatched_ = false;
    bool pressRead_ = false;
    bool pressReadByAFrame_ = false;
    uint64_t pressMs_ = 0;
};
