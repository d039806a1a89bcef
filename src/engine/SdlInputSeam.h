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

private:
    void ReadMouse(int& x, int& y);
    uint64_t lastFrameMs_ = 0;
};
