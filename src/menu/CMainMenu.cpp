#include "menu/CMainMenu.h"

#include <string>

#include "core/App.h"
#include "flow/CGame.h"
#include "gfx/PictureBank.h"
#include "menu/CMenuBase.h"

namespace {

constexpr const char* Captions[CMainMenu::ButtonCount] = {"NEW GAME", "OPTIONS", "CREDITS", "QUIT",
                                                          "CONTINUE"};
constexpr float SlideStep = 0.05f;

}  // namespace

CMainMenu::CMainMenu() {
    name = "mainmenu";
    buttons[Quit].name = "quitbutton";
    Sprite* idle = App.pictures != nullptr ? App.pictures->Get("buttonidle") : nullptr;
    const int h = idle != nullptr ? idle->height : 0;
    const int d = h + (65 - h) * 4 / 3;
    for (int b = 0; b < ButtonCount; ++b) {
        CGUIButton& button = buttons[b];
        button.idleFace = idle;
        button.rolloverFace = App.pictures != nullptr ? App.pictures->Get("buttonrollover") : nullptr;
        button.pressedFace = App.pictures != nullptr ? App.pictures->Get("buttonpressed") : nullptr;
        button.x = RestingX;
        button.y = b == Continue ? FirstY + 10 + 4 * d : FirstY + b * d;
        AddChild(&button);
    }
    buttons[NewGame].onClick = [this] { CloseTowards("../chooseworld"); };
    buttons[Options].onClick = [this] { CloseTowards("../options"); };
    buttons[Credits].onClick = [this] { CloseTowards("../credits"); };
    buttons[Continue].onClick = [this] { CloseTowards(nullptr); };
    buttons[Quit].onClick = [this] { QuitGame(); };
}

void CMainMenu::OnActivate() {
    slide_ = 0.0f;
    closing_ = false;
    nextScreen_ = nullptr;
    PlaceButtons();
}

void CMainMenu::CloseTowards(const char* screenPath) {
    nextScreen_ = screenPath != nullptr ? Find(screenPath) : nullptr;
    closing_ = true;
}

// The backdrop keeps drawing behind the farewell page.
void CMainMenu::QuitGame() {
    if (CGameObject* menuBack = Find("../../../menuback")) {
        menuBack->SetChildrenActive(false);
    }
    if (CGameObject* farewell = Find("../../../pubpage")) {
        farewell->SetActive(true);
    }
}

bool CMainMenu::Update() {
    if (closing_) {
        if (slide_ > 0.0f) {
            slide_ -= SlideStep;
        }
        if (slide_ <= 0.0f) {
            FinishClosing();
        }
    } else if (slide_ < 1.0f) {
        slide_ += SlideStep;
    }
    PlaceButtons();
    return true;
}

void CMainMenu::FinishClosing() {
    SetActive(false);
    if (nextScreen_ != nullptr) {
        nextScreen_->SetActive(true);
    } else if (auto* game = dynamic_cast<CGame*>(Find("/game"))) {
        game->CloseGameMenu();  // CONTINUE
    }
}

// NEW GAME and CREDITS come in from the left, the others from the right.
void CMainMenu::PlaceButtons() {
    const float s = slide_;
    const int fromLeft = static_cast<int>(280.0f * s - 520.0f * (1.0f - s));
    const int fromRight = static_cast<int>(1080.0f * (1.0f - s) + 280.0f * s);
    for (int b = 0; b < ButtonCount; ++b) {
        buttons[b].x = b == NewGame || b == Credits ? fromLeft : fromRight;
    }
}

void CMainMenu::DrawOver() {
    auto* panel = dynamic_cast<CMenuBase*>(Find(".."));
    if (panel == nullptr) {
        return;
    }
    BitmapFont& font = panel->font;
    for (int b = 0; b < ButtonCount; ++b) {
        const CGUIButton& button = buttons[b];
        if (!button.active || button.idleFace == nullptr) {
            continue;
        }
        const std::string caption = Captions[b];
        const int x = button.x + (button.idleFace->width - font.TextWidth(caption)) / 2;
        const int y = button.y + (button.idleFace->height - font.GlyphHeight()) / 2;
        if (button.IsOver() || button.IsPressed()) {
            font.DrawWavyText(caption, x, y);
        } else {
            font.DrawText(caption, x, y);
        }
    }
}
