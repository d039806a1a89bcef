#include "app/CShowcase.h"

#include <cmath>

#include "app/App.h"

namespace {
const char* const petNames[] = {"frog", "cat", "parrot", "monkey", "dog", "dogy", "snake", "rotten"};
constexpr int hopPeriodTicks = 240;
}  // namespace

CShowcase::CShowcase() {
    backdrop_ = App.pictures.Load("data/gfx/menu/intro.png");
    for (const char* pet : petNames) {
        pets_.push_back(App.pictures.Load(std::string("data/gfx/cells/") + pet + ".tga"));
    }
}

bool CShowcase::Update() {
    hopTicks_ = (hopTicks_ + 1) % hopPeriodTicks;
    return true;
}

void CShowcase::Draw() {
    backdrop_->Draw(0, 0);
    const int rowLeft = (800 - static_cast<int>(pets_.size()) * 80) / 2;
    for (size_t i = 0; i < pets_.size(); ++i) {
        pets_[i]->Draw(rowLeft + static_cast<int>(i) * 80 + 8, 420);
    }
    // The first pet hops from left to right along a chain of arcs.
    Sprite* hopper = pets_.front();
    const float progress = static_cast<float>(hopTicks_) / hopPeriodTicks;
    const float x = -64.0f + progress * (800.0f + 64.0f);
    const float y = 300.0f - 90.0f * std::fabs(std::sin(progress * 3.14159265f * 4.0f));
    hopper->Draw(static_cast<int>(x), static_cast<int>(y));
}
