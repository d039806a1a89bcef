#pragma once

#include <cstdint>

struct SDL_Window;

// How long a frame takes at least: vsync where the driver gives it, a frame cap on top, and
// without vsync never faster than the display. The input seam does the waiting.
class FramePacer {
public:
    // Turns vsync on for the current context where the driver allows it; never off screen.
    void StartVsync(bool offscreen);
    // Reads the refresh rate of the display the window is on (0: unknown).
    void MeasureRefreshRate(SDL_Window* window);
    // 0: no cap beyond vsync; negative: also vsync off until the next frame's BeforeSwap.
    void SetMaxFrameRate(int framesPerSecond);
    // Called before each buffer swap: vsync back on after SetMaxFrameRate turned it off.
    void BeforeSwap();
    bool HasVsync() const { return vsync_; }
    // The interval given to the frame pacing (0: none).
    uint32_t FrameIntervalMs() const { return frameIntervalMs_; }
    // The interval to wait for after a frame; one not presented had no vsync to wait for.
    uint32_t PacingIntervalMs(bool presented) const;

private:
    uint32_t frameIntervalMs_ = 0;
    bool vsync_ = false;
    bool swapIntervalOff_ = false;
    int refreshRate_ = 0;
};
