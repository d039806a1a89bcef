#include "menu/MenuScreenKit.h"

#include "core/App.h"
#include "gfx/PictureBank.h"
#include "menu/CIntro.h"
#include "menu/CMenuBase.h"

namespace {

Sprite* BankedFace(const char* faceName) {
    // Get() of a name never entered is fatal, and a screen may be built without the launcher.
    return App.pictures != nullptr && App.pictures->Has(faceName) ? App.pictures->Get(faceName) : nullptr;
}

}  // namespace

void GiveMenuButtonFaces(CGUIButton& button) {
    button.idleFace = BankedFace("buttonidle");
    button.rolloverFace = BankedFace("buttonrollover");
    button.pressedFace = BankedFace("buttonpressed");
}

void DrawButtonCaption(BitmapFont* font, const CGUIButton& button, const std::string& caption) {
    if (font == nullptr || button.idleFace == nullptr) {
        return;
    }
    const int x = button.x + (button.idleFace->width - font->TextWidth(caption)) / 2;
    const int y = button.y + (button.idleFace->height - font->GlyphHeight()) / 2;
    if (button.IsOver() || button.IsPressed()) {
        font->DrawWavyText(caption, x, y);
    } else {
        font->DrawText(caption, x, y);
    }
}

BitmapFont* PanelFont(CGameObject& screen) {
    auto* panel = dynamic_cast<CMenuBase*>(screen.Find(".."));
    return panel != nullptr ? &panel->font : nullptr;
}

BitmapFont* IntroFont(CGameObject& screen) {
    auto* intro = dynamic_cast<CIntro*>(screen.Find("/intro"));
    return intro != nullptr ? &intro->font : nullptr;
}
