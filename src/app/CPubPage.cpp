#include "app/CPubPage.h"

#include <algorithm>
#include <string>

#include "app/CLauncher.h"
#include "core/App.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr float Step = 0.05f;
constexpr float End = -4.0f;

}  // namespace

CPubPage::CPubPage() {
    name = "pubpage";
}

// Opaque for 60 updates, fading over the next 20, then 80 more of backdrop alone: 161 in all.
bool CPubPage::Update() {
    countdown -= Step;
    if (!(countdown < End)) {
        return true;
    }
    FadeOut();
    if (auto* launcher = dynamic_cast<CLauncher*>(Find(".."))) {
        launcher->exitRequested = true;
    }
    return false;
}

void CPubPage::Draw() {
    if (font == nullptr) {
        return;
    }
    const std::string text = Farewell;
    font->SetAlpha(std::clamp(countdown, 0.0f, 1.0f));
    font->DrawText(text, (ScreenWidth - font->TextWidth(text)) / 2, TextY);
    font->SetAlpha(1.0f);  // the font is the intro's and the menus' too
}
