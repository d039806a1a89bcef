#include "menu/CCredits.h"

#include <algorithm>
#include <vector>

#include "menu/CMainMenu.h"
#include "menu/MenuScreenKit.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr float SlidePerTick = 0.05f;

struct Role {
    const char* role;
    std::vector<const char*> names;
};

// Capitals and spaces only: the fonts have no other glyphs.
const Role Roles[] = {
    {"GAME DESIGN", {"THE TANDOLO TEAM", "OUR PLAYTESTERS"}},
    {"PROGRAMMING", {"THE TANDOLO TEAM"}},
    {"GRAPHICS", {"DRAWN IN CODE BY US"}},
    {"MUSIC AND SOUND", {"MADE WITH FLUID R THREE"}},
    {"LEVEL DESIGN", {"THE TANDOLO TEAM"}},
};

int CentredX(const BitmapFont& font, const char* text) {
    return (ScreenWidth - font.TextWidth(text)) / 2;
}

}  // namespace

CCredits::CCredits() {
    name = "credits";
    GiveMenuButtonFaces(backButton);
    // Under the main menu's QUIT button, where that one rests.
    backButton.x = CMainMenu::RestingX;
    backButton.y = BackY;
    backButton.onClick = [this] { closing_ = true; };
    AddChild(&backButton);
}

void CCredits::OnActivate() {
    closing_ = false;
    slide_ = 0.0f;
}

bool CCredits::Update() {
    if (roleFont_ == nullptr) {
        roleFont_ = IntroFont(*this);
    }
    if (nameFont_ == nullptr) {
        nameFont_ = PanelFont(*this);
    }
    SlideStep();
    return true;
}

// In from 0 to 1; out, after BACK, from 1 to -1, so the lines leave by the sides they came from.
void CCredits::SlideStep() {
    if (!closing_) {
        slide_ = std::min(slide_ + SlidePerTick, 1.0f);
        return;
    }
    if (slide_ > -1.0f) {
        slide_ -= SlidePerTick;
    }
    if (slide_ <= -1.0f) {
        SetActive(false);
        if (CGameObject* mainMenu = Find("../mainmenu")) {
            mainMenu->SetActive(true);
        }
    }
}

void CCredits::Draw() {
    if (roleFont_ == nullptr || nameFont_ == nullptr) {
        return;
    }
    int y = FirstLineY;
    for (const Role& role : Roles) {
        if (&role != &Roles[0]) {
            y += nameFont_->GlyphHeight();  // the empty name line between roles
        }
        // Roles come in from the left edge, names from the right.
        const float roleX = static_cast<float>(CentredX(*roleFont_, role.role)) * slide_;
        roleFont_->DrawText(role.role, static_cast<int>(roleX), y);
        y += roleFont_->GlyphHeight();
        for (const char* line : role.names) {
            const float nameX =
                static_cast<float>(CentredX(*nameFont_, line)) * slide_ + (1.0f - slide_) * ScreenWidth;
            nameFont_->DrawText(line, static_cast<int>(nameX), y);
            y += nameFont_->GlyphHeight();
        }
    }
}

void CCredits::DrawOver() {
    DrawButtonCaption(nameFont_, backButton, "BACK");
}
