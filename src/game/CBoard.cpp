#include "game/CBoard.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/App.h"
#include "engine/GLPicture.h"
#include "engine/Input.h"
#include "game/BoardScale.h"
#include "game/CCellBubble.h"
#include "game/CCellEmpty.h"
#include "game/CCellNormal.h"
#include "game/CCellPictures.h"
#include "game/CCellStar.h"
#include "game/CCellVirus.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "game/CTree.h"
#include "game/TutorialEvents.h"
#include "gfx/PictureBank.h"
#include "ui/CCustomPointer.h"

namespace {

constexpr int FallStep = 6;
constexpr int FallEnd = 65;
constexpr uint32_t IdleTicks = 420;
// The pointer hits a square this far right of and below where the square is drawn.
constexpr int HitShift = 20;

int Trunc(float value) {
    return static_cast<int>(value);
}

}  // namespace

CBoard::CBoard() {
    name = "board";
    squareNormal.LoadRequired("data/gfx/grid/square_bgbgray.tga");
    circle.LoadRequired("data/gfx/grid/circletga.tga");
    squareCleared.LoadRequired("data/gfx/grid/square_invert.tga");
    arrowBlue = App.pictures->Load("data/gfx/general/arrows_bluew.png");
    arrowGreen = App.pictures->Load("data/gfx/general/arrows_greenw.png");
    arrowRed = App.pictures->Load("data/gfx/general/arrows_redw.png");
    arrowViolet = App.pictures->Load("data/gfx/general/arrows_violetw.png");
    pictures_ = new CCellPictures();
    cellPictures = pictures_;
    hintCycleStart = App.tickCount;
    lastClearTick = App.tickCount;
    AddChild(&bubbles);
}

CBoard::~CBoard() {
    ClearBoard();
    RemoveAllChildren();
    if (cellPictures == pictures_) {
        cellPictures = nullptr;
    }
    delete pictures_;
}

// ---------------------------------------------------------------- grid

void CBoard::ClearBoard() {
    for (CCell*& cell : cells) {
        delete cell;
        cell = nullptr;
    }
    toClear.fill(0);
    bubbleBlast.ClearMarks();
    RemoveAllChildren();
    AddChild(&bubbles);
    width = 0;
    height = 0;
}

bool CBoard::LoadGrid(const std::vector<std::string>& rows) {
    ClearBoard();
    // An effect of the previous level that was cut short (a restart from the menu) must not
    // finish on the new grid with its stale targets.
    virusSpread.Stop();
    bubbleBlast.Stop();
    busy = false;
    const size_t rowLength = rows.empty() ? 0 : rows.front().size();
    const bool fits = !rows.empty() && rows.size() <= MaxSide && rowLength > 0 && rowLength <= MaxSide &&
                      std::all_of(rows.begin(), rows.end(),
                                  [&](const std::string& row) { return row.size() == rowLength; });
    if (!fits) {
        return false;
    }
    width = static_cast<int32_t>(rowLength);
    for (const std::string& row : rows) {
        for (int32_t c = 0; c < width; ++c) {
            const auto index = static_cast<size_t>(Index(c, height));
            const bool hole = row[static_cast<size_t>(c)] == '.';
            if (hole) {
                PlaceCell(static_cast<int>(index), new CCellEmpty());
            }
            toClear[index] = hole ? 0 : 1;
        }
        height += 1;
    }
    return true;
}

bool CBoard::FitsScreen(std::string& error) const {
    return GridFitsScreen(width, height, boardScale, error);
}

bool CBoard::GridFitsScreen(int columns, int rows, float scale, std::string& error) {
    const float boardWidth = static_cast<float>(columns) * SquareWidth * scale;
    const float boardHeight = static_cast<float>(rows) * SquareHeight * scale;
    if (scale > 0.0f && boardWidth <= 800.0f && boardHeight <= 600.0f) {
        return true;
    }
    error = "a grid of " + std::to_string(columns) + " x " + std::to_string(rows) + " squares at scale " +
            std::to_string(static_cast<int>(std::lround(scale * 100.0f))) +
            " does not fit the 800 x 600 screen";
    return false;
}

void CBoard::Layout() {
    originX = Trunc((800.0f - static_cast<float>(width) * SquareWidth * boardScale) * 0.5f);
    originY = Trunc((600.0f - static_cast<float>(height) * SquareHeight * boardScale) * 0.5f);
    petOffsetX = Trunc(6.0f * boardScale * 0.5f);
    petOffsetY = Trunc(9.0f * boardScale * 0.5f);
    std::vector<Sprite*> own = {&squareNormal, &circle, &squareCleared};
    for (Sprite& frame : bubbleBlast.waterFrames) {
        own.push_back(&frame);
    }
    for (Sprite* sprite : own) {
        sprite->zoom = boardScale;
        if (sprite->picture != nullptr) {
            sprite->picture->SetLinearFiltering(true);
        }
    }
}

bool CBoard::Fill(std::string& error) {
    bool anyEmpty = false;
    for (int i = 0; i < width * height; ++i) {
        anyEmpty = anyEmpty || cells[static_cast<size_t>(i)] == nullptr;
    }
    if (anyEmpty && !generator.CanMakeCells(error)) {
        return false;
    }
    for (int i = 0; i < width * height; ++i) {
        if (cells[static_cast<size_t>(i)] == nullptr) {
            PlaceCell(i, NewRandomCell());
        }
    }
    if (!FindSets()) {
        ThrowHelpItem();
    }
    return true;
}

CCell* CBoard::NewRandomCell() {
    return generator.NewRandomCell(leftTree, rightTree, Tutorials());
}

// ---------------------------------------------------------------- cells

void CBoard::PlaceCell(int index, CCell* cell) {
    cells[static_cast<size_t>(index)] = cell;
    AddChild(cell);
}

void CBoard::DestroyCell(CCell* cell) {
    RemoveChild(cell);
    delete cell;
}

CCell* CBoard::CellAt(int column, int row) const {
    return Inside(column, row) ? cells[static_cast<size_t>(Index(column, row))] : nullptr;
}

bool CBoard::IsHoleAt(int column, int row) const {
    const CCell* cell = CellAt(column, row);
    return cell != nullptr && cell->kind == CellKind::Hole;
}

CCell* CBoard::SetCell(int column, int row, int32_t kind) {
    if (!Inside(column, row) || kind < 0 || kind >= CellKind::Count) {
        return nullptr;
    }
    CCell* cell = nullptr;
    if (CellKind::IsPet(kind)) {
        cell = new CCellNormal(kind);
    } else if (kind == CellKind::Hole) {
        cell = new CCellEmpty();
    } else if (kind == CellKind::Star) {
        cell = new CCellStar();
    } else if (CellKind::IsBubble(kind)) {
        cell = new CCellBubble(kind);
    } else {
        cell = new CCellVirus();
    }
    const int index = Index(column, row);
    if (CCell* old = cells[static_cast<size_t>(index)]) {
        DestroyCell(old);
    }
    PlaceCell(index, cell);
    if (kind == CellKind::Hole) {
        toClear[static_cast<size_t>(index)] = 0;
    }
    return cell;
}

bool CBoard::CellAtMouse(int& column, int& row) const {
    const int x = GetMouseX() - HitShift - originX;
    const int y = GetMouseY() - HitShift - originY;
    if (x < 0 || y < 0) {
        return false;
    }
    const float squareWidth = SquareWidth * boardScale;
    const float squareHeight = SquareHeight * boardScale;
    if (static_cast<float>(x) >= static_cast<float>(width) * squareWidth ||
        static_cast<float>(y) >= static_cast<float>(height) * squareHeight) {
        return false;
    }
    column = Trunc(static_cast<float>(x) / squareWidth);
    row = Trunc(static_cast<float>(y) / squareHeight);
    return true;
}

bool CBoard::IsCleared() const {
    return std::none_of(toClear.begin(), toClear.end(), [](uint8_t entry) { return entry == 1; });
}

bool CBoard::AnyCellInState(int32_t state) const {
    return std::any_of(cells.begin(), cells.end(),
                       [state](const CCell* c) { return c && c->state == state; });
}

bool CBoard::AnyCellOfKind(int32_t kind) const {
    return CountCellsOfKind(kind) > 0;
}

int CBoard::CountCellsOfKind(int32_t kind) const {
    return static_cast<int>(
        std::count_if(cells.begin(), cells.end(), [kind](const CCell* c) { return c && c->kind == kind; }));
}

bool CBoard::IdleSinceLastClear() const {
    return App.tickCount - lastClearTick > IdleTicks;
}

// ---------------------------------------------------------------- links to the rest of the game

CTimer* CBoard::Timer() {
    return dynamic_cast<CTimer*>(Find("../timer"));
}

TutorialEvents* CBoard::Tutorials() {
    return dynamic_cast<TutorialEvents*>(Find("../tutorials"));
}

CCustomPointer* CBoard::Pointer() {
    return dynamic_cast<CCustomPointer*>(App.pointer);
}

void CBoard::Notify(int32_t category, int32_t index, int32_t related) {
    NotifyTutorialsFrom(*this, category, index, related);
}

// A sand clock holds the viruses while it runs.
bool CBoard::VirusesHeld() {
    const CTimer* timer = Timer();
    return timer != nullptr && timer->holdTicks > 0;
}

bool CBoard::ItemAtHand(int32_t type) const {
    const CCustomPointer* pointer = Pointer();
    return (leftTree != nullptr && leftTree->HasItemOfType(type)) ||
           (rightTree != nullptr && rightTree->HasItemOfType(type)) ||
           (pointer != nullptr && pointer->heldType == type);
}

// ---------------------------------------------------------------- the tick

bool CBoard::Update() {
    UpdateHint();
    if (busy) {
        clickCooldown = 0;
        if (virusSpread.Running()) {
            if (virusSpread.Advance(*this)) {
                HelpIfNoSetIsLeft();
                busy = false;
            }
        } else if (bubbleBlast.Running()) {
            if (bubbleBlast.Advance()) {
                busy = false;
            }
        } else {
            AdvanceFalls();
        }
    }
    if (!busy) {
        if (AnyCellInState(CellState::Gone) && !AnyCellInState(CellState::Clearing)) {
            Gravity();
        } else if (virusSpread.IsDue(VirusesHeld()) && AnyCellOfKind(CellKind::Virus) &&
                   !AnyCellInState(CellState::Clearing)) {
            busy = true;
            virusSpread.Start(*this);
            return true;  // no twinkle on the tick a spread starts
        } else {
            virusSpread.CountFreeTick();
            if (clickCooldown > 0) {
                clickCooldown -= 1;
            }
            HandleMouse();
        }
    }
    pictures_->Twinkle();
    return true;
}

void CBoard::AdvanceFalls() {
    bool falling = false;
    for (CCell* cell : cells) {
        if (cell == nullptr || cell->fallOffset == 0) {
            continue;
        }
        cell->fallOffset += FallStep;
        if (cell->fallOffset >= FallEnd) {
            cell->fallOffset = 0;
        }
        falling = falling || cell->fallOffset != 0;
    }
    busy = falling;
}

void CBoard::Gravity() {
    for (int c = 0; c < width; ++c) {
        DropColumn(c);
    }
    HelpIfNoSetIsLeft();
    busy = true;
}

// Not while gone cells wait for the next fall: the search after it decides.
void CBoard::HelpIfNoSetIsLeft() {
    if (!FindSets() && !AnyCellInState(CellState::Gone)) {
        ThrowHelpItem();
    }
}

void CBoard::HandleMouse() {
    int column = 0;
    int row = 0;
    const CTimer* timer = Timer();
    if (!CellAtMouse(column, row) || (timer != nullptr && timer->remaining == 0)) {
        UnhighlightAll();
        return;
    }
    const CCustomPointer* pointer = Pointer();
    const int32_t held = pointer != nullptr ? pointer->heldType : ItemType::None;
    const int32_t group = held == ItemType::Spoon ? -1 : Hover(column, row);
    if (const TutorialEvents* tutorials = Tutorials(); tutorials != nullptr && tutorials->IsShowing()) {
        return;
    }
    if (IsMouseButtonDown()) {
        mousePressed = true;
    } else if (mousePressed && !AnyCellInState(CellState::Clearing) && clickCooldown == 0) {
        // A press stays pending through a release elsewhere, a clearing cell or the cooldown.
        Click(column, row, group);
    }
}

void CBoard::Click(int column, int row, int32_t group) {
    mousePressed = false;
    clickCooldown = ClickCooldownTicks;
    CCustomPointer* pointer = Pointer();
    const int32_t held = pointer != nullptr ? pointer->heldType : ItemType::None;
    if (group != -1) {
        ClearGroup(group);
        if (leftTree != nullptr) {
            leftTree->ThrowItem(nullptr);
        }
        if (rightTree != nullptr) {
            rightTree->ThrowItem(nullptr);
        }
    } else if (!ApplyItemAt(column, row, held)) {
        if (CCell* cell = CellAt(column, row)) {
            cell->OnUselessClick();
        }
        if (held == ItemType::Soap && giveSoap) {
            giveSoap();
        }
    }
    if (pointer != nullptr) {
        pointer->ConsumeUse();
        if (pointer->heldType == ItemType::Vaccine && !AnyCellOfKind(CellKind::Virus)) {
            pointer->DropHeld();
        }
    }
    if (!busy && !FindSets()) {
        ThrowHelpItem();
    }
}

void CBoard::UnhighlightAll() {
    for (CCell* cell : cells) {
        if (cell != nullptr && cell->state == CellState::Highlighted) {
            cell->SetState(CellState::Idle);
        }
    }
}

// ---------------------------------------------------------------- keyboard play

void CBoard::AddKeyTargets(std::vector<KeyTarget>& targets) const {
    for (const CTree* tree : {leftTree, rightTree}) {
        if (tree != nullptr) {
            tree->AddItemTargets(targets);
        }
    }
}

bool CBoard::GridCellExists(int column, int row) const {
    return CellAt(column, row) != nullptr && !IsHoleAt(column, row);
}

// Where the square as drawn and the area that hits it overlap, in the middle of that overlap:
// even the smallest squares are wider than the shift.
KeyTarget CBoard::GridCellCentre(int column, int row) const {
    const int squareWidth = Trunc(SquareWidth * boardScale);
    const int squareHeight = Trunc(SquareHeight * boardScale);
    return {SquareX(column) + (HitShift + squareWidth) / 2, SquareY(row) + (HitShift + squareHeight) / 2,
            KeyTarget::Control};
}

void CBoard::ShowKeyCursor(bool shown, int column, int row) {
    keyCursorShown_ = shown;
    keyCursorColumn_ = column;
    keyCursorRow_ = row;
}

// ---------------------------------------------------------------- geometry

int CBoard::SquareX(int column) const {
    return Trunc(static_cast<float>(originX) + static_cast<float>(column) * SquareWidth * boardScale);
}

int CBoard::SquareY(int row) const {
    return Trunc(static_cast<float>(originY) + static_cast<float>(row) * SquareHeight * boardScale);
}

int CBoard::PetX(int column) const {
    return Trunc(static_cast<float>(column) * SquareWidth * boardScale + static_cast<float>(originX)) +
           petOffsetX;
}

int CBoard::PetY(int row) const {
    return Trunc(boardScale * static_cast<float>(row) * SquareHeight + static_cast<float>(originY)) +
           petOffsetY;
}
