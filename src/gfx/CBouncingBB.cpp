#include "gfx/CBouncingBB.h"

#include <cmath>

void CBouncingBB::Drop(Sprite* sprite, int x, float floorY, float gravity, float bounce) {
    this->sprite = sprite;
    this->x = x;
    this->floorY = floorY;
    this->gravity = gravity;
    this->bounce = bounce;
    y = sprite != nullptr ? -static_cast<float>(sprite->height) : 0.0f;
    speedY = 0.0f;
}

bool CBouncingBB::JustBounced() const {
    return !settled && y >= floorY;
}

bool CBouncingBB::Update() {
    speedY += gravity;
    y += speedY;
    if (y > floorY) {
        y = floorY;
        speedY = -speedY * bounce;
    }
    if (std::fabs(speedY) < 0.1f && std::fabs(y - floorY) < 0.1f) {
        settled = true;
    }
    return true;
}

void CBouncingBB::Draw() {
    if (sprite != nullptr) {
        sprite->Draw(x, static_cast<int>(y));
    }
}
