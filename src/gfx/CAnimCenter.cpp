#include "gfx/CAnimCenter.h"

#include <string>

#include "core/App.h"
#include "engine/Input.h"

namespace {

constexpr int SlideTicks = 80;
constexpr float BannerY = 100.0f;
constexpr float ScreenRight = 800.0f;
constexpr int32_t MinimumTicks = 100;
constexpr int32_t WaitTicks = 500;

}  // namespace

CAnimCenter::CAnimCenter() {
    levelPicture.LoadRequired("data/gfx/general/level.png");
    clearedPicture.LoadRequired("data/gfx/general/cleared.png");
    gamePicture.LoadRequired("data/gfx/general/game.png");
    overPicture.LoadRequired("data/gfx/general/over.png");
    AddChild(&left);
    AddChild(&right);
}

// The movers are members: they must not stay listed as children of a dead object.
CAnimCenter::~CAnimCenter() {
    RemoveAllChildren();
}

void CAnimCenter::Show(int kind) {
    if (kind == GameOver) {
        const float w = static_cast<float>(gamePicture.width);
        left.Move(&gamePicture, -w, BannerY, 380.0f - w, BannerY, SlideTicks, 1.0f, 1.0f);
        right.Move(&overPicture, ScreenRight, BannerY, 420.0f, BannerY, SlideTicks, 1.0f, 1.0f);
        PlaySound("data/sfx/gameover.ogg");
    } else {
        const float w = static_cast<float>(levelPicture.width);
        left.Move(&levelPicture, 70.0f - w, BannerY, 450.0f - w, BannerY, SlideTicks, 1.0f, 1.0f);
        right.Move(&clearedPicture, ScreenRight, BannerY, 420.0f, BannerY, SlideTicks, 1.0f, 1.0f);
        PlaySound("data/sfx/levelcleared.ogg");
    }
    ticks = 0;
    left.SetActive(true);
    right.SetActive(true);
}

bool CAnimCenter::IsDone() const {
    if (ticks < MinimumTicks) {
        return false;
    }
    if (ticks > WaitTicks) {
        return true;
    }
    return IsMouseButtonDown();
}

bool CAnimCenter::Update() {
    ticks += 1;
    return true;
}
