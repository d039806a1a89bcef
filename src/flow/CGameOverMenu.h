#pragma once

#include <cstdint>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "scene/KeyboardTargets.h"
#include "ui/BitmapFont.h"

// Offered after a lost level: three entries written on a panel; a press on one sets choice,
// which the game reads and acts on.
class CGameOverMenu : public CGameObject, public KeyboardTargets {
public:
    enum Choice : int32_t { None = 0, RestartLevel = 1, RestartWorld = 2, GoToMain = 3 };
    static constexpr int EntriesX = 240;
    static constexpr int FirstEntryY = 220;
    static constexpr int EntryStep = 50;

    // Loads the panel; a missing one is a fatal error.
    CGameOverMenu();

    // The entry under the pointer; choice follows it while the button is held.
    bool Update() override;
    void Draw() override;
    void OnActivate() override;
    // The entries' middles.
    void AddKeyTargets(std::vector<KeyTarget>& targets) const override;

    // The entry (1..3) at a point of the screen, 0 for none.
    int32_t EntryAt(int x, int y) const;

    Sprite panel;
    BitmapFont* font = nullptr;  // the game's; without it no entry can be pointed at
    int32_t choice = None;
    int32_t hover = None;
};
