#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "flow/TutorialPages.h"
#include "game/TutorialEvents.h"
#include "gfx/CMovingBBAnim.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"

class CTimer;
class TrueTypeFont;

// The tutorial pages of the world in play. A page waits for its event of play, comes on screen
// 120 ticks of play later over a halted time bar, and goes with a click once it has been on
// screen for 120 ticks. An item's page comes again with every new item of its kind until the
// player uses one; then the well-done sign spins over the screen and the page is retired.
// Object name "tutorials", a member of the game beside "../board" and "../timer".
class CTutorials : public CGameObject, public TutorialEvents {
public:
    static constexpr int32_t EventHold = 240;     // ticks of play from an event until a click closes
    static constexpr int32_t OnScreenHold = 120;  // the page is on screen once hold is below this
    static constexpr const char* FontFile = "data/gfx/general/frahv.ttf";
    static constexpr int TextX = 220;
    static constexpr int LineGap = 5;  // pixels between lines, besides the font's line height
    // The lines are centred in this band of the panel, above the illustration.
    static constexpr int TextTop = 170;
    static constexpr int TextHeight = 180;

    // Loads the panel, the font and every picture the pages draw (a missing one is fatal).
    CTutorials();
    ~CTutorials() override;
    CTutorials(const CTutorials&) = delete;
    CTutorials& operator=(const CTutorials&) = delete;

    // The pages of world 1..8, all waiting again; any other world has none.
    void Build(int world);
    void NotifyTutorials(int32_t category, int32_t index, int32_t related) override;
    bool IsShowing() const override;

    bool Update() override;
    void Draw() override;

    // A page's text on the panel, one line per "\n".
    static void DrawPageText(TrueTypeFont& font, const std::string& text);

    std::map<int32_t, TutorialEntry> entries;
    int32_t shown = 0;  // the id of the page triggered, 0 for none
    int32_t hold = 0;
    int32_t tickCount = 0;
    int32_t phase = 0;  // 0..5, one step every 120 ticks: drives the illustration
    Sprite panel;
    Sprite wellDonePicture;
    CMovingBBAnim wellDone;
    std::unique_ptr<TrueTypeFont> font;

private:
    void Close(int32_t id);
    void LetBarRun();
    CTimer* Timer();
};
