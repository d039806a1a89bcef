#include "flow/CGame.h"

#include <algorithm>
#include <memory>

#include "core/App.h"
#include "core/Random.h"
#include "flow/LevelFile.h"
#include "game/BoardScale.h"
#include "game/CBoardEffects.h"
#include "game/CCellPictures.h"
#include "game/CItem.h"
#include "game/CellKinds.h"
#include "gfx/CAnimation.h"

namespace {

// The level keys of the item chances, by item type.
constexpr const char* ItemChanceKeys[CGame::ItemTypes] = {
    "PROB_CLOCK", "PROB_VACCINE", "PROB_SOAP",      "PROB_NOPET",
    nullptr,      "PROB_SPOON",   "PROB_SANDCLOCK", "PROB_EDDY",
};

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
}

bool CGame::IsPlayableLevel(int world, int stage) {
    return 1 <= world && world <= CBackground::Worlds && 1 <= stage && stage <= CBackground::Stages;
}

std::string CGame::LevelPath(int world, int stage) {
    return "levels/level" + std::to_string(world) + "-" + std::to_string(stage) + ".txt";
}

CGame::~CGame() {
    if (App.pointer == &pointer) {
        App.pointer = nullptr;
    }
    for (CGameObject* child : children) {
        if (!IsMember(child)) {
            delete child;  // a reveal or a spiral still running
        }
    }
    RemoveAllChildren();
}

// The screen objects the game holds, in play order: the background is drawn first, below all.
std::array<CGameObject*, 5> CGame::Members() {
    return {&background, &board, &bannerCentre, &timer, &tutorials};
}

bool CGame::IsMember(const CGameObject* child) {
    const auto members = Members();
    return std::find(members.begin(), members.end(), child) != members.end();
}

bool CGame::BeginGame(const LevelFile& level, std::string& error) {
    const float scaleBefore = boardScale;
    boardScale = 1.0f;
    if (!ApplyLevel(level, error)) {
        boardScale = scaleBefore;
        return false;
    }
    background.SetWorld(world, stage);
    PlayWorldMusic();
    StartReveal();
    return true;
}

// Everything is checked before anything is set: a level refused leaves the game as it was.
bool CGame::ApplyLevel(const LevelFile& level, std::string& error) {
    const LevelFile::Setting* pets = level.Find("CELLS_NORMAL");
    if (pets == nullptr && board.generator.petCount == 0) {
        error = level.Where(level.LineCount()) + ": the level has no CELLS_NORMAL line naming its pets";
        return false;
    }
    const LevelFile::Setting* scaleSetting = level.Find("SCALE");
    const float scale =
        scaleSetting != nullptr ? static_cast<float>(scaleSetting->number) / 100.0f : boardScale;
    const auto& rows = level.Rows();
    const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    if (!CBoard::GridFitsScreen(columns, static_cast<int>(rows.size()), scale, error)) {
        error = level.Where(scaleSetting != nullptr ? scaleSetting->line : 1) + ": " + error;
        return false;
    }

    tutorials.NotifyTutorials(0, stage, -1);
    board.LoadGrid(rows);
    boardScale = scale;
    for (int type = 0; type < ItemTypes; ++type) {
        itemChances[static_cast<size_t>(type)] =
            ItemChanceKeys[type] != nullptr ? level.NumberOr(ItemChanceKeys[type], 0) : 0;
    }
    CellGenerator& cells = board.generator;
    if (pets != nullptr) {
        std::string checkedAlready;
        cells.SetPets(pets->text, checkedAlready);
    }
    cells.probStar = level.NumberOr("PROB_STAR", cells.probStar);
    cells.probBubble = level.NumberOr("PROB_BUBBLE", cells.probBubble);
    cells.probVirus = level.NumberOr("PROB_VIRUS", cells.probVirus);
    board.virusSpread.period = level.NumberOr("TIMEVIRUS", board.virusSpread.period);
    // Every level starts on a full bar; one without TIME runs at the last level's length.
    levelSeconds = level.NumberOr("TIME", levelSeconds);
    timer.SetTime(levelSeconds);

    cellPictures->SetScale(boardScale);
    board.Layout();
    std::string cannotFail;  // the level names its pets, or an earlier one did
    board.Fill(cannotFail);
    return true;
}

void CGame::PlayWorldMusic() const {
    PlayMusic("data/sfx/world" + std::to_string(world) + (stage % 2 == 1 ? "b" : "a") + ".it");
}

// The cells appear one by one; play starts when the last has (the reveal then wakes the board
// and starts the bar).
void CGame::StartReveal() {
    auto* reveal = new CBoardEffects();
    SetParentLink(reveal);
    reveal->Init(world, stage);
    InsertChildBefore(reveal, &tutorials);
    board.SetActive(false);
    timer.paused = true;
}

bool CGame::Update() {
    if (bannerCentre.active) {
        return true;
    }
    if (board.IsCleared()) {
        ShowBanner(CAnimCenter::LevelCleared);
    } else if (timer.remaining == 0 && !timer.paused) {
        ShowBanner(CAnimCenter::GameOver);  // the time ran out during play
    }
    return true;
}

// The level is over: play halts under the banner.
void CGame::ShowBanner(int kind) {
    bannerCentre.Show(kind);
    bannerCentre.SetActive(true);
    timer.paused = true;
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

void CGame::OpenGameMenu() {
    App.quit = true;
}
