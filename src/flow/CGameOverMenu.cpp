#include "flow/CGameOverMenu.h"

#include <string>

#include "engine/Input.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr int Entries = 3;
// The longest entry: it sets the width that can be pointed at for all three.
constexpr const char* WidestEntry = "RESTART WORLD";
// The last has a leading space, which centres it under the others.
constexpr const char* EntryTexts[Entries] = {"RESTART LEVEL", "RESTART WORLD", " GO TO MAIN"};

}  // namespace

CGameOverMenu::CGameOverMenu() {
    panel.LoadRequired("data/gfx/general/tutor_menu.png");
}

int32_t CGameOverMenu::EntryAt(int x, int y) const {
    const int width = font != nullptr ? font->TextWidth(WidestEntry) : 0;
    const int bottom = FirstEntryY + Entries * EntryStep;
    if (EntriesX < x && x < EntriesX + width && FirstEntryY < y && y < bottom) {
        return (y - FirstEntryY) / EntryStep + 1;
    }
    return None;
}

void CGameOverMenu::AddKeyTargets(std::vector<KeyTarget>& targets) const {
    if (font == nullptr) {
        return;
    }
    const int middleX = EntriesX + font->TextWidth(WidestEntry) / 2;
    for (int entry = 1; entry <= Entries; ++entry) {
        targets.push_back(
            {middleX, FirstEntryY + (entry - 1) * EntryStep + EntryStep / 2, KeyTarget::Control});
    }
}

bool CGameOverMenu::Update() {
    hover = EntryAt(GetMouseX(), GetMouseY());
    if (IsMouseButtonDown()) {
        choice = hover;
    }
    return true;
}

void CGameOverMenu::Draw() {
    panel.Draw((ScreenWidth - panel.width) / 2, (ScreenHeight - panel.height) / 2);
    if (font == nullptr) {
        return;
    }
    for (int entry = 1; entry <= Entries; ++entry) {
        const std::string text = EntryTexts[entry - 1];
        const int y = FirstEntryY + (entry - 1) * EntryStep;
        if (entry == hover) {
            font->DrawWavyText(text, EntriesX, y);
        } else {
            font->DrawText(text, EntriesX, y);
        }
    }
}

void CGameOverMenu::OnActivate() {
    choice = None;
}
