#include "game/CBoardPreview.h"

#include <cstdlib>
#include <fstream>

#include "core/App.h"
#include "engine/Input.h"
#include "game/BoardScale.h"
#include "game/CBoard.h"
#include "game/CBoardEffects.h"
#include "game/CCellPictures.h"
#include "game/CItem.h"
#include "gfx/PictureBank.h"
#include "ui/CCustomPointer.h"

CBoardPreview::CBoardPreview(const std::string& levelFile) {
    name = "boardpreview";
    MakeRoot();
    game_.name = "game";
    AddChild(&game_);
    board_ = std::make_unique<CBoard>();
    game_.AddChild(board_.get());
    game_.AddChild(&timer_);
    game_.AddChild(&tutorials_);
    board_->leftTree = &leftTree_;
    board_->rightTree = &rightTree_;
    pointer_ = std::make_unique<CCustomPointer>();
    App.pointer = pointer_.get();
    boardScale = 1.0f;
    if (!ReadLevel(levelFile)) {
        return;
    }
    cellPictures->SetScale(boardScale);
    board_->Layout();
    if (!board_->Fill(error_)) {
        return;
    }
    board_->SetActive(false);
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
    // No trees yet: keys put the carried items in hand (S soap, V vaccine, O spoon).
    struct Carried {
        int key;
        int32_t type;
        const char* picture;
        int uses;
    };
    static constexpr Carried carried[] = {
        {KeyA + ('s' - 'a'), ItemType::Soap, "data/gfx/items/soap.tga", 1},
        {KeyA + ('v' - 'a'), ItemType::Vaccine, "data/gfx/items/vaccine.tga", 5},
        {KeyA + ('o' - 'a'), ItemType::Spoon, "data/gfx/items/spoon.png", 1}};
    for (const Carried& item : carried) {
        if (IsKeyDown(item.key) && pointer_->heldType != item.type) {
            pointer_->Hold(App.pictures->Load(item.picture), item.type);
            pointer_->CentreHotSpot();
            pointer_->usesLeft = item.uses;
        }
    }
    return true;
}

bool CBoardPreview::ReadLevel(const std::string& levelFile) {
    std::ifstream file(levelFile);
    if (!file) {
        error_ = "cannot open " + levelFile;
        return false;
    }
    if (!board_->LoadGrid(file, levelFile, error_)) {
        return false;
    }
    std::string line;
    for (int lineNumber = board_->GridLinesRead() + 1; std::getline(file, line); ++lineNumber) {
        if (!ReadKey(line, levelFile + ":" + std::to_string(lineNumber))) {
            return false;
        }
    }
    if (!board_->FitsScreen(error_)) {
        // Named at the SCALE line when there is one, else at the grid.
        error_ = (scaleLine_.empty() ? levelFile + ":1" : scaleLine_) + ": " + error_;
        return false;
    }
    return true;
}

// Only the keys the board uses; the others are left to the game's level reader.
bool CBoardPreview::ReadKey(const std::string& line, const std::string& where) {
    const std::string text = line.substr(0, line.find('#'));
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return true;
    }
    const std::string key = text.substr(0, colon);
    std::string value;
    for (char ch : text.substr(colon + 1)) {
        if (ch != ' ' && ch != '\r' && ch != '\n') {
            value += ch;
        }
    }
    const int number = std::atoi(value.c_str());
    if (key == "CELLS_NORMAL") {
        std::string message;
        if (!board_->generator.SetPets(value, message)) {
            error_ = where + ": " + message;
            return false;
        }
    } else if (key == "SCALE") {
        boardScale = static_cast<float>(number) / 100.0f;
        scaleLine_ = where;
    } else if (key == "PROB_STAR") {
        board_->generator.probStar = number;
    } else if (key == "PROB_BUBBLE") {
        board_->generator.probBubble = number;
    } else if (key == "PROB_VIRUS") {
        board_->generator.probVirus = number;
    } else if (key == "TIMEVIRUS") {
        board_->virusSpread.period = number;
    }
    return true;
}
