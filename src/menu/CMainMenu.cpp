#include "menu/CMainMenu.h"

#include "flow/CGame.h"
#include "menu/MenuScreenKit.h"

namespace {

constexpr const char* Captions[CMainMenu::ButtonCount] = {"NEW GAME", "OPTIONS", "CREDITS", "QUIT",
                                                          "CONTINUE"};
constexpr float SlideStep = 0.05f;

}  // namespace

CMainMenu::CMainMenu() {
    name = "mainmenu";
    buttons[Quit].name = "quitbutton";
    for (int b = 0; b < ButtonCount; ++b) {
        GiveMenuButtonFaces(buttons[b]);
    }
    const int h = buttons[NewGame].idleFace != nullptr ? buttons[NewGame].idleFace->height : 0;
    const int d = h + (65 - h) * 4 / 3;
    for (int b = 0; b < ButtonCount; ++b) {
        CGUIButton& button = buttons[b];
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
    BitmapFont* font = PanelFont(*this);
    for (int b = 0; b < ButtonCount; ++b) {
        if (buttons[b].active) {
            DrawButtonCaption(font, buttons[b], Captions[b]);
        }
    }
}
