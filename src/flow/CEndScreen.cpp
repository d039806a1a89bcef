#include "flow/CEndScreen.h"

#include "engine/Input.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int TextY = 550;
constexpr const char* ThanksText = "THANK YOU FOR PLAYING TANDOLO";

}  // namespace

CEndScreen::CEndScreen() {
    finalPicture.LoadRequired("data/gfx/ending/final_image.png");
    titlePicture.LoadRequired("data/gfx/ending/theend.png");
    titleMover.Move(&titlePicture, ScreenWidth, TitleY,
                    static_cast<float>((ScreenWidth - titlePicture.width) / 2), TitleY, TitleTicks, 1.0f,
                    1.0f);
    AddChild(&titleMover);
}

// The mover is a member: it must not stay listed as a child of a dead object.
CEndScreen::~CEndScreen() {
    RemoveAllChildren();
}

bool CEndScreen::Update() {
    const bool down = IsMouseButtonDown();
    // The click that ended the last level is still held when the screen comes: only a press
    // made while it shows counts.
    buttonWasUp_ = buttonWasUp_ || !down;
    if (down && buttonWasUp_) {
        clickState = Pressed;
    }
    if (clickState == Pressed && !down) {
        clickState = Clicked;
    }
    return clickState != Clicked || titleMover.progress < 1.0f;
}

void CEndScreen::Draw() {
    finalPicture.Draw(0, 0);
    if (font != nullptr) {
        font->DrawWavyText(ThanksText, (ScreenWidth - font->TextWidth(ThanksText)) / 2, TextY);
    }
}
