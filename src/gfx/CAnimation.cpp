#include "gfx/CAnimation.h"

#include "gfx/PictureBank.h"

void CAnimation::Start(const std::string& pattern, int x, int y, float speed, int count) {
    frames = LoadFrames(pattern, count);
    frameCount = static_cast<int32_t>(frames.size());
    currentFrame = 0.0f;
    this->speed = speed;
    this->x = x;
    this->y = y;
}

bool CAnimation::Update() {
    currentFrame += speed;
    return static_cast<float>(frameCount) > currentFrame;
}

void CAnimation::Draw() {
    const int shown = static_cast<int>(currentFrame);
    // The last update reaches frameCount, which is never drawn.
    if (shown < 0 || shown >= frameCount || frames[shown] == nullptr) {
        return;
    }
    frames[shown]->Draw(x, y);
}
