#include "flow/CGame.h"

#include <algorithm>
#include <memory>

#include "core/App.h"
#include "core/Random.h"
#include "flow/GameMenuPanel.h"
#include "game/CItem.h"
#include "game/CellKinds.h"
#include "gfx/CAnimation.h"

namespace {

bool AnyBubble(const CBoard& board) {
    for (int32_t kind = CellKind::RedBubble; kind <= CellKind::VioletBubble; ++kind) {
        if (board.AnyCellOfKind(kind)) {
            return true;
        }
    }
    return false;
}

// The forbidden item shows one pet of the level's list, drawn as a new cell's pet is.
CItem* NewItem(int32_t type, const CellGenerator& cells) {
    switch (type) {
        case ItemType::Clock:
            return new CClock();
        case ItemType::Vaccine:
            return new CVaccine();
        case ItemType::Soap:
            return new CSoap();
        case ItemType::NoPet:
            return new CNoPet(cells.petCount > 0
                                  ? cells.pets[static_cast<size_t>(RandomDraw() % cells.petCount)]
                                  : CellKind::Frog);
        case ItemType::Spoon:
            return new CSpoon();
        case ItemType::SandClock:
            return new CSandClock();
        default:
            return new CEddy();
    }
}

}  // namespace

CGame::CGame() {
    name = "game";
    for (CGameObject* child : Members()) {
        AddChild(child);
    }
    gameOverMenu.SetActive(false);
    LinkChild(&pointer);
    bannerCentre.SetActive(false);
    App.pointer = &pointer;
    board.leftTree = &background.leftTree;
    board.rightTree = &background.rightTree;
    board.countClearedCell = [this] { CountClearedCell(); };
    board.giveSoap = [this] { GiveSoap(); };
    background.counterSource = &clearedCells;

    world = GetIntOption("world");
    stage = GetIntOption("stage");
    if (!IsPlayableLevel(world, stage)) {
        world = 1;
        stage = 1;
    }
    // The spiral's frames go into the picture bank now, not in the middle of play.
    CAnimation twister;
    twister.Start(CEddy::TwisterFrames, 0, 0, 0, 0);

    fontAlphabet_.LoadRequired("data/gfx/menu/abecedary.png");
    font_.Load(fontAlphabet_, fontAlphabet_.width / 26);
    gameOverMenu.font = &font_;
}

CGame::~CGame() {
    if (App.pointer == &pointer) {
        App.pointer = nullptr;
    }
    for (CGameObject* child : children) {
        if (!IsMember(child) && child->name != "menubase") {
            delete child;  // a reveal or a spiral still running; the menus own their panel
        }
    }
    RemoveAllChildren();
}

// The screen objects the game holds, in play order: the background is drawn first, below all;
// the banner comes last, so the game-over banner shows over the top of its menu's panel.
std::array<CGameObject*, 7> CGame::Members() {
    return {&background, &board, &timer, &stagePresent, &tutorials, &gameOverMenu, &bannerCentre};
}

bool CGame::IsMember(const CGameObject* child) {
    const auto members = Members();
    return std::find(members.begin(), members.end(), child) != members.end();
}

void CGame::DrawOver() {
    background.DrawItems();
}

CItem* CGame::MakeItem() {
    if (bannerCentre.active) {
        return nullptr;
    }
    const int roll = RandomDraw() % 100;
    int sum = 0;
    int type = 0;
    while (type < ItemTypes && (sum += itemChances[static_cast<size_t>(type)]) <= roll) {
        ++type;
    }
    if (type == ItemTypes) {
        return nullptr;
    }
    int32_t related = -1;
    if (type == ItemType::Vaccine && board.AnyCellOfKind(CellKind::Virus)) {
        related = 2;
    } else if (type == ItemType::Soap && AnyBubble(board)) {
        related = 1;
    }
    tutorials.NotifyTutorials(1, type, related);
    return MakeItemOfType(type);
}

CItem* CGame::MakeItemOfType(int32_t type) {
    CItem* item = NewItem(type, board.generator);
    SetParentLink(item);
    return item;
}

void CGame::GiveSoap() {
    auto soap = std::make_unique<CSoap>();
    SetParentLink(soap.get());
    CTree* first = &background.leftTree;
    CTree* second = &background.rightTree;
    if (RandomDraw() % 2 != 0) {
        std::swap(first, second);
    }
    for (CTree* tree : {first, second}) {
        if (const int slot = tree->FreeSlot(); slot != 0) {
            tree->PutInSlot(slot, soap.release());
            return;
        }
    }
}

void CGame::CountClearedCell() {
    if (!bannerCentre.active) {
        clearedCells += 1;
    }
}

GameMenuPanel* CGame::MenuPanel() {
    return dynamic_cast<GameMenuPanel*>(Find("../menuback/menubase"));
}

void CGame::OpenGameMenu() {
    CGameObject* panelObject = Find("../menuback/menubase");
    GameMenuPanel* panel = MenuPanel();
    if (panel == nullptr || App.directStart) {
        App.quit = true;  // no menus to go back to
        return;
    }
    if (HasChildNamed("menubase")) {
        return;
    }
    PlaySound("data/sfx/inmenu.ogg");
    AddChild(panelObject);  // it stays the menus' child too
    panel->Open(true);
    panelObject->SetActive(true);
    timer.paused = true;
    board.SetActive(false);
}

void CGame::CloseGameMenu() {
    timer.paused = false;
    board.SetActive(true);
    if (GameMenuPanel* panel = MenuPanel()) {
        panel->Close();
    }
}

// The panel leaves the game once it has slid out.
void CGame::DetachClosedMenu() {
    GameMenuPanel* panel = MenuPanel();
    if (panel != nullptr && HasChildNamed("menubase") && panel->HasClosed()) {
        RemoveChild(Find("../menuback/menubase"));
    }
}
