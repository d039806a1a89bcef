#include "menu/CIntro.h"

#include <string>

#include "core/App.h"
#include "engine/GLPicture.h"
#include "engine/Input.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr const char* BounceSound = "data/sfx/bounce.ogg";
constexpr const char* JingleSound = "data/sfx/tandolo.ogg";

}  // namespace

CIntro::CIntro() {
    name = "intro";
    logo_.LoadRequired("data/gfx/menu/tandolo_logo5.png");
    logo_.picture->SetLinearFiltering(true);
    AddChild(&bouncingLogo_);
    bouncingLogo_.Drop(&logo_, (ScreenWidth - logo_.width) / 2, FloorY, 0.2f, 0.5f);
    alphabet_.LoadRequired("data/gfx/menu/abecedary.png");
    font.Load(alphabet_, alphabet_.width / 26);
    PreloadSound(BounceSound);
    PreloadSound(JingleSound);
}

bool CIntro::GameExists() {
    return Find("../game") != nullptr;
}

bool CIntro::Update() {
    if (bouncingLogo_.JustBounced()) {
        PlaySound(BounceSound);
    }
    settled_ = bouncingLogo_.settled;
    if (IsMouseButtonDown()) {
        pressed_ = true;
    } else if (pressed_) {
        clicked_ = true;
    }
    if (!jinglePlayed_ && GameExists()) {
        PlaySound(JingleSound);
        jinglePlayed_ = true;
    }
    return true;
}

void CIntro::Draw() {
    if (backdrop_ != nullptr) {
        backdrop_->Draw(0, 0);
    }
    if (GameExists()) {
        const std::string prompt = "CLICK MOUSE TO CONTINUE";
        font.DrawWavyText(prompt, (ScreenWidth - font.TextWidth(prompt)) / 2, PromptY);
    } else {
        const std::string prompt = "LOADING    PLEASE WAIT";
        font.DrawText(prompt, (ScreenWidth - font.TextWidth(prompt)) / 2, PromptY);
    }
}
