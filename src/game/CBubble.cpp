#include "game/CBubble.h"

#include <cmath>
#include <string>

#include "core/App.h"
#include "core/Random.h"
#include "game/BoardScale.h"
#include "game/CCell.h"
#include "game/CCellPictures.h"
#include "gfx/PictureBank.h"

namespace {

constexpr float SwingDegrees = 20.0f;
constexpr int32_t RisePerTick = 2;

int32_t ScaledSize(const Sprite& sprite, int size) {
    return static_cast<int32_t>(static_cast<float>(size) * sprite.zoom);
}

}  // namespace

CBubble::CBubble(const CCell& cell, int32_t startX, int32_t startY) : x(startX), y(startY) {
    name = "bubble";
    if (cellPictures != nullptr) {
        if (const Sprite* picture = cellPictures->PictureFor(cell)) {
            picture->SharePicture(petSprite);
        }
    }
}

const char* CBubble::PictureName(int32_t kind) {
    switch (kind) {
        case 19:
            return "data/gfx/general/greenbubble.png";
        case 20:
            return "data/gfx/general/bluebubble.png";
        case 21:
            return "data/gfx/general/violetbubble.png";
        default:
            return "data/gfx/general/redbubble.png";
    }
}

void CBubble::Init(int32_t kind, bool evenColumn) {
    App.pictures->Load(PictureName(kind))->SharePicture(bubbleSprite);
    bubbleSprite.zoom = boardScale;
    const int32_t bubbleWidth = ScaledSize(bubbleSprite, bubbleSprite.width);
    bubbleHeight_ = ScaledSize(bubbleSprite, bubbleSprite.height);
    petDX = (bubbleWidth - ScaledSize(petSprite, petSprite.width)) / 2;
    petDY = (bubbleHeight_ - ScaledSize(petSprite, petSprite.height)) / 2;
    x -= (bubbleWidth - 64) / 2;
    y -= (bubbleHeight_ - 65) / 2;
    drawX = x;
    phase = evenColumn ? 0.0f : 1.57f;
    drift = RandomDraw() % 3 - 1;
}

bool CBubble::Update() {
    x += drift;
    phase += 0.1f;
    const float swing = std::sin(phase) * SwingDegrees;
    bubbleSprite.angle = swing;
    petSprite.angle = swing;
    y -= RisePerTick;
    drawX = static_cast<int32_t>(swing) + x;
    return y + bubbleHeight_ >= 0;
}

void CBubble::Draw() {
    petSprite.Draw(drawX + petDX, y + petDY);
    bubbleSprite.Draw(drawX, y);
}
