#include "app/ScreenSurvey.h"

#include "app/CLauncher.h"
#include "app/PlayView.h"
#include "app/SeenSets.h"
#include "flow/CEndScreen.h"
#include "flow/CGame.h"
#include "flow/CWorldPresentation.h"
#include "menu/CMenuBack.h"
#include "ui/CGUIButton.h"
#include "ui/CGUISlideBar.h"

namespace {

using Area = RandomInput::Area;
using Spots = RandomInput::Spots;

constexpr const char* Names[ScreenSurvey::ScreenCount] = {
    "intro", "main-menu", "options",   "credits",    "world-choice", "world-presentation",
    "play",  "game-menu", "game-over", "end-screen", "farewell"};

constexpr int ScreenWidth = 800;

// How often each kind of thing is picked against the others.
constexpr int ButtonWeight = 4;
constexpr int PanelWeight = 4;
constexpr int WorldsWeight = 12;
constexpr int BoardWeight = 24;
constexpr int SetWeight = 2;
constexpr int ItemWeight = 6;
constexpr int EntryWeight = 8;
constexpr int LeavingWeight = 400;

// The world choice's miniatures, three rows of them, and the panel under the menus.
constexpr Area WorldsArea{240, 180, 330, 285};
constexpr Area PanelArea{CMenuBase::PanelX, CMenuBase::OpenY, 470, 493};
constexpr Area MenuButtonArea{CBackground::ButtonLeft, CBackground::ButtonTop,
                              CBackground::ButtonRight - CBackground::ButtonLeft + 1,
                              CBackground::ButtonBottom - CBackground::ButtonTop};
constexpr int ItemSide = 30;

template <typename T>
bool HasChildOf(const CGameObject& parent) {
    for (CGameObject* child : parent.Children()) {
        if (dynamic_cast<T*>(child) != nullptr) {
            return true;
        }
    }
    return false;
}

// Found by name each time: the launcher's own pointer to the farewell page outlives the page by
// a tick.
bool ChildShowing(const CGameObject& parent, const std::string& name) {
    for (CGameObject* child : parent.Children()) {
        if (child->name == name && child->active) {
            return true;
        }
    }
    return false;
}

bool GameMenuOpen(const CGame* game) {
    return game != nullptr && game->active && game->HasChildNamed("menubase");
}

// The buttons and sliders of every screen that runs: only active objects are updated.
void AddWidgets(const CGameObject& object, bool leaving, Spots& spots) {
    for (CGameObject* child : object.Children()) {
        if (!child->active) {
            continue;
        }
        if (const auto* button = dynamic_cast<const CGUIButton*>(child); button && button->idleFace) {
            const Area area{button->x, button->y, button->idleFace->width, button->idleFace->height};
            if (button->name != "quitbutton") {
                spots.targets.push_back({area, ButtonWeight});
            } else if (leaving) {
                spots.targets.push_back({area, LeavingWeight});
            } else {
                // The whole row: the button slides in from the side under a pointer left beside it.
                spots.avoided.push_back({-ScreenWidth, area.y, 3 * ScreenWidth, area.height + 1});
            }
        }
        if (const auto* bar = dynamic_cast<const CGUISlideBar*>(child); bar && bar->bar) {
            spots.targets.push_back(
                {{bar->x + bar->trackStart, bar->y, bar->trackLength + 1, bar->bar->height + 1},
                 ButtonWeight});
        }
        AddWidgets(*child, leaving, spots);
    }
}

// The board as a whole, the sets a player would see on it, the items in the trees, the menu button.
void AddPlay(const CGame& game, bool leaving, Spots& spots) {
    const PlayView view = PlayView::Of(game);
    const int squareWidth = static_cast<int>(view.squareWidth);
    const int squareHeight = static_cast<int>(view.squareHeight);
    if (view.width > 0 && view.height > 0) {
        spots.targets.push_back({{view.MouseX(0) - squareWidth / 2, view.MouseY(0) - squareHeight / 2,
                                  view.width * squareWidth, view.height * squareHeight},
                                 BoardWeight});
    }
    for (const SeenSet& set : FindSeenSets(view)) {
        const int column = set.clickAt % view.width;
        const int row = set.clickAt / view.width;
        spots.targets.push_back({{view.MouseX(column) - 4, view.MouseY(row) - 4, 9, 9}, SetWeight});
    }
    for (const PlayView::Item& item : view.items) {
        spots.targets.push_back(
            {{item.centreX - ItemSide / 2, item.centreY - ItemSide / 2, ItemSide, ItemSide}, ItemWeight});
    }
    spots.targets.push_back({MenuButtonArea, leaving ? LeavingWeight : 1});
}

void AddGameOverEntries(bool leaving, Spots& spots) {
    for (int entry = CGameOverMenu::RestartLevel; entry <= CGameOverMenu::GoToMain; ++entry) {
        const int top = CGameOverMenu::FirstEntryY + (entry - 1) * CGameOverMenu::EntryStep;
        const bool wayOut = entry == CGameOverMenu::GoToMain;
        spots.targets.push_back({{CGameOverMenu::EntriesX + 4, top + 4, 120, CGameOverMenu::EntryStep - 8},
                                 leaving && wayOut ? LeavingWeight : EntryWeight});
    }
}

}  // namespace

const char* ScreenSurvey::Name(int screen) {
    return Names[screen];
}

ScreenSurvey::Showing ScreenSurvey::ShowingNow(CLauncher& launcher) {
    Showing showing;
    const CGame* game = launcher.game;
    const CMenuBack* menuBack = launcher.menuBack;
    const bool inGameMenu = GameMenuOpen(game);
    const bool panelShown =
        menuBack != nullptr && menuBack->menuBase.active && (menuBack->active || inGameMenu);
    showing[Intro] = launcher.intro.active;
    showing[MainMenu] = panelShown && !inGameMenu && menuBack->menuBase.mainMenu.active;
    showing[Options] = panelShown && menuBack->menuBase.options.active;
    showing[Credits] = panelShown && menuBack->menuBase.credits.active;
    showing[WorldChoice] = panelShown && menuBack->menuBase.chooseWorld.active;
    showing[WorldPresentation] = HasChildOf<CWorldPresentation>(launcher);
    showing[Play] = game != nullptr && game->active && game->board.active;
    showing[GameMenu] = inGameMenu;
    showing[GameOver] = game != nullptr && game->active && game->gameOverMenu.active;
    showing[EndScreen] = HasChildOf<CEndScreen>(launcher);
    showing[Farewell] = ChildShowing(launcher, "pubpage");
    return showing;
}

RandomInput::Spots ScreenSurvey::SpotsNow(CLauncher& launcher, bool leaving) {
    Spots spots;
    AddWidgets(launcher, leaving, spots);
    const Showing showing = ShowingNow(launcher);
    if (showing[MainMenu] || showing[Options] || showing[Credits] || showing[WorldChoice] ||
        showing[GameMenu]) {
        spots.targets.push_back({PanelArea, PanelWeight});
    }
    if (showing[WorldChoice]) {
        spots.targets.push_back({WorldsArea, WorldsWeight});
    }
    if (showing[Play]) {
        AddPlay(*launcher.game, leaving, spots);
    }
    if (showing[GameOver]) {
        AddGameOverEntries(leaving, spots);
    }
    return spots;
}

void ScreenSurvey::Count(const Showing& showing) {
    for (int screen = 0; screen < ScreenCount; ++screen) {
        if (showing[screen]) {
            ticks_[screen] += 1;
            entries_[screen] += last_[screen] ? 0 : 1;
        }
    }
    last_ = showing;
}

std::string ScreenSurvey::Summary() const {
    std::string summary;
    for (int screen = 0; screen < ScreenCount; ++screen) {
        summary += (screen == 0 ? "" : " ") + std::string(Names[screen]) + " " +
                   std::to_string(entries_[screen]) + "/" + std::to_string(ticks_[screen]);
    }
    return summary;
}

std::string ScreenSurvey::Unseen() const {
    std::string unseen;
    for (int screen = 0; screen < ScreenCount; ++screen) {
        if (entries_[screen] == 0) {
            unseen += (unseen.empty() ? "" : " ") + std::string(Names[screen]);
        }
    }
    return unseen;
}

int ScreenSurvey::Seen() const {
    int seen = 0;
    for (uint32_t entries : entries_) {
        seen += entries > 0 ? 1 : 0;
    }
    return seen;
}

bool ScreenSurvey::AllSeenBut(Screen screen) const {
    for (int other = 0; other < ScreenCount; ++other) {
        if (other != screen && entries_[other] == 0) {
            return false;
        }
    }
    return true;
}
