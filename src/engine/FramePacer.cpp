#include "engine/FramePacer.h"

#include <SDL.h>

#include <algorithm>

namespace {

constexpr int UnknownRefreshRate = 60;

}  // namespace

void FramePacer::StartVsync(bool offscreen) {
    vsync_ = !offscreen && SDL_GL_SetSwapInterval(1) == 0;
}

void FramePacer::MeasureRefreshRate(SDL_Window* window) {
    SDL_DisplayMode mode{};
    const int display = SDL_GetWindowDisplayIndex(window);
    refreshRate_ = display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0 ? mode.refresh_rate : 0;
}

void FramePacer::SetMaxFrameRate(int framesPerSecond) {
    if (framesPerSecond > 0) {
        frameIntervalMs_ = static_cast<uint32_t>(1000 / framesPerSecond);
        return;
    }
    frameIntervalMs_ = 0;
    if (framesPerSecond < 0 && vsync_) {
        SDL_GL_SetSwapInterval(0);
        swapIntervalOff_ = true;
    }
}

void FramePacer::BeforeSwap() {
    if (swapIntervalOff_) {
        SDL_GL_SetSwapInterval(1);
        swapIntervalOff_ = false;
    }
}

uint32_t FramePacer::PacingIntervalMs(bool presented) const {
    if (vsync_ && presented) {
        return frameIntervalMs_;
    }
    // Without vsync nothing else holds the loop back: never run faster than the display.
    const int refresh = refreshRate_ > 0 ? refreshRate_ : UnknownRefreshRate;
    return std::max(frameIntervalMs_, static_cast<uint32_t>(1000 / refresh));
}
