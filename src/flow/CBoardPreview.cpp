#include "flow/CBoardPreview.h"

#include <utility>

#include "core/App.h"
#include "engine/Input.h"
#include "flow/LevelFile.h"
#include "game/BoardScale.h"
#include "game/CBoard.h"
#include "game/CBoardEffects.h"
#include "game/CCellPictures.h"
#include "game/CItem.h"
#include "ui/CCustomPointer.h"

namespace {

// The time of a level that does not say: long enough to look at a board at leisure.
constexpr int32_t PreviewSeconds = 600;

}  // namespace

CBoardPreview::CBoardPreview(const LevelFile& level) {
    name = "boardpreview";
    MakeRoot();
    game_.name = "game";
    AddChild(&game_);
    board_ = std::make_unique<CBoard>();
    pointer_ = std::make_unique<CCustomPointer>();
    App.pointer = pointer_.get();
    if (!ApplyLevel(level)) {
        return;  // the board never joins the tree: nothing of the level runs or draws
    }
    game_.AddChild(board_.get());
    game_.AddChild(&timer_);
    game_.AddChild(&tutorials_);
    board_->leftTree = &leftTree_;
    board_->rightTree = &rightTree_;
    cellPictures->SetScale(boardScale);
    board_->Layout();
    board_->Fill(error_);  // cannot fail: the level names its pets
    board_->SetActive(false);
    timer_.SetTime(level.NumberOr("TIME", PreviewSeconds));
    timer_.paused = true;
    auto* reveal = new CBoardEffects();
    game_.AddChild(reveal);
    reveal->Init(1, 1);
}

CBoardPreview::~CBoardPreview() {
    if (App.pointer == pointer_.get()) {
        App.pointer = nullptr;
    }
    for (CGameObject* child : game_.children) {
        if (child != board_.get() && child != &timer_ && child != &tutorials_) {
            delete child;  // a reveal still running
        }
    }
    game_.RemoveAllChildren();
    RemoveAllChildren();
}

void CBoardPreview::Draw() {
    ClearScreen();
}

bool CBoardPreview::Update() {
    if (!error_.empty()) {
        App.quit = true;
        return true;
    }
    // The trees are not shown yet: keys put the carried items in hand (S soap, V vaccine, O spoon).
    static constexpr std::pair<int, int32_t> carried[] = {{KeyA + ('s' - 'a'), ItemType::Soap},
                                                          {KeyA + ('v' - 'a'), ItemType::Vaccine},
                                                          {KeyA + ('o' - 'a'), ItemType::Spoon}};
    for (const auto& [key, type] : carried) {
        if (IsKeyDown(key) && pointer_->heldType != type) {
            TakeItem(type);
        }
    }
    return true;
}

// The real item, taken where the mouse is (the vaccine moves the pointer to its lower-left corner).
void CBoardPreview::TakeItem(int32_t type) {
    std::unique_ptr<CItem> item;
    if (type == ItemType::Soap) {
        item = std::make_unique<CSoap>();
    } else if (type == ItemType::Vaccine) {
        item = std::make_unique<CVaccine>();
    } else {
        item = std::make_unique<CSpoon>();
    }
    game_.SetParentLink(item.get());
    item->x = static_cast<float>(GetMouseX());
    item->y = static_cast<float>(GetMouseY() - item->picture->height);
    item->Use();
}

// The level was read whole already; what is left to refuse here is what only the board knows.
bool CBoardPreview::ApplyLevel(const LevelFile& level) {
    const LevelFile::Setting* pets = level.Find("CELLS_NORMAL");
    if (pets == nullptr) {
        error_ = level.Where(level.LineCount()) + ": the level has no CELLS_NORMAL line naming its pets";
        return false;
    }
    board_->LoadGrid(level.Rows());
    const LevelFile::Setting* scale = level.Find("SCALE");
    boardScale = scale != nullptr ? static_cast<float>(scale->number) / 100.0f : 1.0f;
    if (!board_->FitsScreen(error_)) {
        // Named at the SCALE line when there is one, else at the grid.
        error_ = level.Where(scale != nullptr ? scale->line : 1) + ": " + error_;
        return false;
    }
    std::string unused;
    board_->generator.SetPets(pets->text, unused);
    board_->generator.probStar = level.NumberOr("PROB_STAR", 0);
    board_->generator.probBubble = level.NumberOr("PROB_BUBBLE", 0);
    board_->generator.probVirus = level.NumberOr("PROB_VIRUS", 0);
    board_->virusSpread.period = level.NumberOr("TIMEVIRUS", 0);
    return true;
}
