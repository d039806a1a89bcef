#include "flow/CTutorials.h"

#include <algorithm>
#include <utility>

#include "core/App.h"
#include "engine/Files.h"
#include "engine/Input.h"
#include "engine/TrueTypeFont.h"
#include "flow/TutorialSwitch.h"
#include "game/CTimer.h"
#include "gfx/PictureBank.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr int WellDoneY = 50;
constexpr int WellDoneInTicks = 35;
constexpr int WellDoneHoldTicks = 130;
constexpr int WellDoneOutTicks = 50;
constexpr float WellDoneOutTurns = 2.0f;
// A new special cell whose item already waits in a tree counts as that item being thrown.
constexpr int32_t NewSpecialCell = 4;
constexpr int32_t ItemThrown = 1;

}  // namespace

CTutorials::CTutorials() {
    name = "tutorials";
    for (const std::string& picture : TutorialPagePictures()) {
        App.pictures->Load(picture);
    }
    App.pictures->Load(TutorialPictures::Panel)->SharePicture(panel);
    App.pictures->Load(TutorialPictures::WellDone)->SharePicture(wellDonePicture);
    wellDone.name = "welldoneanim";
    wellDone.SetupThreeSteps(&wellDonePicture, (ScreenWidth - wellDonePicture.width) / 2, WellDoneY, true,
                             false, 0.0f, true, false, WellDoneOutTurns, WellDoneInTicks, WellDoneHoldTicks,
                             WellDoneOutTicks);
    AddChild(&wellDone);
    font = CreateTrueTypeFont(MakeFilePath(FontFile));
}

CTutorials::~CTutorials() {
    RemoveAllChildren();
}

// A page waiting from the last world goes unless this world has it too.
void CTutorials::Build(int world) {
    entries = TutorialEntriesFor(world);
    if (!entries.contains(shown)) {
        shown = 0;
    }
}

void CTutorials::NotifyTutorials(int32_t category, int32_t index, int32_t related) {
    if (!tutorialsOn || shown != 0) {
        return;  // an event while a page waits or shows is lost
    }
    if (category == NewSpecialCell && related != -1) {
        category = ItemThrown;
        std::swap(index, related);
    }
    int32_t page = 0;
    for (auto& [id, entry] : entries) {
        if (!entry.enabled || entry.category != category || entry.index != index ||
            entry.related != related) {
            continue;
        }
        if (entry.IsWellDone()) {
            wellDone.Restart();
            Close(id);
        } else {
            page = id;  // the last match, the highest id, is shown
        }
    }
    if (page != 0) {
        shown = page;
        hold = EventHold;
        tickCount = 0;
        phase = 0;
        PlaySound("data/sfx/tutorial.ogg");
    }
}

bool CTutorials::IsShowing() const {
    return shown != 0 && hold < OnScreenHold;
}

// The entry's links: what it enables, then what it disables.
void CTutorials::Close(int32_t id) {
    const auto closed = entries.find(id);
    if (closed == entries.end()) {
        return;
    }
    const TutorialEntry links = closed->second;
    for (const auto& [other, enabled] : {std::pair{links.enable1, true},
                                         {links.enable2, true},
                                         {links.disable1, false},
                                         {links.disable2, false}}) {
        if (const auto entry = entries.find(other); other != 0 && entry != entries.end()) {
            entry->second.enabled = enabled;
        }
    }
}

CTimer* CTutorials::Timer() {
    return dynamic_cast<CTimer*>(Find("../timer"));
}

// An empty bar stays halted: the level is lost already and must not be lost again.
void CTutorials::LetBarRun() {
    if (CTimer* timer = Timer(); timer != nullptr && timer->remaining > 0) {
        timer->paused = false;
    }
}

// Hold and phase run only in play: not while the cells appear or the in-game menu is open. The
// bar is halted here rather than when the page is drawn, so a game run without drawing (a
// scripted player) halts it too.
bool CTutorials::Update() {
    const CGameObject* board = Find("../board");
    if (board == nullptr || !board->active) {
        return true;
    }
    if (shown != 0 && !tutorialsOn) {
        shown = 0;  // switched off from the in-game menu's options
        LetBarRun();
    }
    if (hold > 0) {
        hold -= 1;
    }
    if (shown != 0 && hold == 0 && App.mouseDown && !IsMouseButtonDown()) {
        Close(shown);
        shown = 0;
        LetBarRun();
        PlaySound("data/sfx/tutorials.ogg");
    } else if (CTimer* timer = Timer(); timer != nullptr && IsShowing()) {
        timer->paused = true;
    }
    tickCount += 1;
    if (tickCount == TutorialIllustration::PhaseTicks) {
        tickCount = 0;
        phase = (phase + 1) % TutorialIllustration::Phases;
    }
    return true;
}

void CTutorials::Draw() {
    const auto page = entries.find(shown);
    if (!IsShowing() || page == entries.end()) {
        return;
    }
    panel.DrawCentred(0, 0, ScreenWidth, ScreenHeight);
    if (font) {
        DrawPageText(*font, page->second.text);
    }
    page->second.illustration.Draw(phase, tickCount);
}

// The lines are centred as a block in the band above the illustration.
void CTutorials::DrawPageText(TrueTypeFont& font, const std::string& text) {
    const int lineHeight = font.GetLineHeight() + LineGap;
    const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    const auto top = static_cast<int>(static_cast<float>(TextHeight - lineHeight * lines) * 0.5f + TextTop);
    size_t start = 0;
    for (int line = 0; line < lines; ++line) {
        const size_t end = std::min(text.find('\n', start), text.size());
        font.DrawText(text.substr(start, end - start), TextX, top + line * lineHeight, 0);
        start = end + 1;
    }
}
