#include "gfx/CMovingBB.h"

namespace {

void RangeForMode(int mode, float& from, float& to) {
    from = mode == 1 ? 0.0f : 1.0f;
    to = mode == -1 ? 0.0f : 1.0f;
}

}  // namespace

CMovingBB::CMovingBB() {
    name = "movingbb";
}

void CMovingBB::Move(Sprite* sprite, float fromX, float fromY, float toX, float toY, int ticks,
                     float alphaFrom, float alphaTo) {
    this->sprite = sprite;
    this->fromX = fromX;
    this->fromY = fromY;
    this->toX = toX;
    this->toY = toY;
    this->alphaFrom = alphaFrom;
    this->alphaTo = alphaTo;
    // A move of no ticks ends at the next update instead of dividing by zero.
    step = ticks > 0 ? 1.0f / static_cast<float>(ticks) : 1.0f;
    progress = 0.0f;
}

void CMovingBB::MoveEx(Sprite* sprite, float fromX, float fromY, float toX, float toY, int ticks,
                       int fadeMode, float turns, int zoomMode) {
    float fadeFrom = 1.0f;
    float fadeTo = 1.0f;
    RangeForMode(fadeMode, fadeFrom, fadeTo);
    Move(sprite, fromX, fromY, toX, toY, ticks, fadeFrom, fadeTo);
    RangeForMode(zoomMode, zoomFrom, zoomTo);
    this->turns = turns;
}

bool CMovingBB::Update() {
    if (progress < 1.0f && sprite != nullptr) {
        progress += step;
    }
    if (progress > 1.0f) {
        progress = 1.0f;
    }
    if (finishWhenDone) {
        return progress < 1.0f;
    }
    return true;
}

void CMovingBB::Draw() {
    if (sprite == nullptr) {
        return;
    }
    const float p = progress;
    const float q = 1.0f - p;
    const float x = fromX * q + toX * p;
    const float y = fromY * q + toY * p;
    // Both ends at 1.0 leave the sprite's own settings alone: someone else may have faded it.
    if (alphaFrom != 1.0f || alphaTo != 1.0f) {
        sprite->alpha = alphaFrom * q + alphaTo * p;
    }
    if (zoomFrom != 1.0f || zoomTo != 1.0f) {
        sprite->zoom = zoomFrom * q + zoomTo * p;
    }
    if (turns != 0.0f) {
        sprite->angle = turns * 360.0f * p;
    }
    sprite->Draw(static_cast<int>(x), static_cast<int>(y));
}
