#include <algorithm>
#include <vector>

#include "core/App.h"
#include "core/Random.h"
#include "game/CBoard.h"
#include "game/CBubble.h"
#include "game/CCellPictures.h"
#include "game/CCellStar.h"
#include "game/CCellVirus.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "game/CTree.h"
#include "ui/CCustomPointer.h"

// The rule book: sets, clearing, gravity, help, the hint, virus spread and bubble blasts.

namespace {

constexpr int HintQuietSeconds = 10;
constexpr int HintCycleSeconds = 12;

}  // namespace

// ---------------------------------------------------------------- sets

bool CBoard::FindSets() {
    for (CCell* cell : cells) {
        if (cell != nullptr) {
            cell->ResetGroups();
        }
    }
    std::array<uint8_t, MaxCells> visited{};
    int32_t groups = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            CCell* start = CellAt(c, r);
            if (start == nullptr || start->kind == CellKind::Hole || start->GetGroup() != -1) {
                continue;
            }
            const auto used = visited.begin() + width * height;
            std::fill(visited.begin(), used, uint8_t{0});
            FloodFill(start->kind, visited.data(), c, r);
            const auto count = std::count(visited.begin(), used, uint8_t{1});
            if (count < 3) {
                continue;
            }
            const int32_t effect = count == 3   ? ClearEffect::Light
                                   : count <= 5 ? ClearEffect::Ploc
                                                : ClearEffect::PlokStar;
            for (int i = 0; i < width * height; ++i) {
                if (visited[static_cast<size_t>(i)] != 0) {
                    cells[static_cast<size_t>(i)]->AddToGroup(groups);
                    cells[static_cast<size_t>(i)]->effectClass = effect;
                }
            }
            groups += 1;
        }
    }
    return groups > 0;
}

// Walks down the column and branches sideways and up: a 4-connected region of the
// kind, stars standing in for any pet.
void CBoard::FloodFill(int32_t kind, uint8_t* visited, int column, int row) {
    if (column < 0) {
        return;
    }
    for (; row >= 0 && column < width && row < height; ++row) {
        const CCell* cell = CellAt(column, row);
        const bool joins = cell != nullptr &&
                           ((cell->kind == kind && cell->MatchesOwnKind()) || cell->kind == CellKind::Star);
        if (!joins) {
            return;
        }
        uint8_t& seen = visited[Index(column, row)];
        if (seen != 0) {
            return;
        }
        seen = 1;
        FloodFill(kind, visited, column - 1, row);
        FloodFill(kind, visited, column + 1, row);
        FloodFill(kind, visited, column, row - 1);
    }
}

int32_t CBoard::Hover(int column, int row) {
    const CCell* hovered = CellAt(column, row);
    if (hovered == nullptr) {
        return -1;
    }
    const int32_t group = hovered->GetGroup();
    if (hovered->state != CellState::Idle && hovered->kind != CellKind::Star) {
        return group;
    }
    for (CCell* cell : cells) {
        // A cell that is clearing or gone never comes back to life by being pointed at.
        if (cell == nullptr || cell->state == CellState::Clearing || cell->state == CellState::Gone) {
            continue;
        }
        if (group == -1 || !cell->IsInGroup(group)) {
            if (cell->state == CellState::Highlighted) {
                cell->SetState(CellState::Idle);
            }
        } else if (cell->state != CellState::Highlighted) {
            cell->SetState(CellState::Highlighted);
        }
    }
    return group;
}

void CBoard::ClearGroup(int32_t group) {
    bool first = true;
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            CCell* cell = CellAt(c, r);
            if (cell == nullptr || !cell->IsInGroup(group)) {
                continue;
            }
            if (first) {
                PlaySound("data/sfx/setformed.ogg");
                first = false;
            }
            if (countClearedCell) {
                countClearedCell();
            }
            cell->SetState(CellState::Clearing);
            uint8_t& square = toClear[static_cast<size_t>(Index(c, r))];
            if (square == 1) {
                lastClearTick = App.tickCount;
                square = 0;
            }
        }
    }
}

bool CBoard::ApplyItemAt(int column, int row, int32_t heldType) {
    CCell* cell = CellAt(column, row);
    if (cell == nullptr) {
        return false;
    }
    if (heldType == ItemType::Spoon && cell->kind != CellKind::Hole) {
        Notify(2, ItemType::Spoon, -1);
        cell->SetState(CellState::Clearing);
        return true;
    }
    if (cell->kind == CellKind::Virus) {
        if (heldType != ItemType::Vaccine) {
            return false;
        }
        if (CountCellsOfKind(CellKind::Virus) == 1) {
            if (CCustomPointer* pointer = Pointer()) {
                pointer->DropHeld();
            }
            Notify(2, ItemType::Vaccine, -1);
        }
        cell->SetState(CellState::Clearing);
        PlaySound("data/sfx/virus.ogg");
        return true;
    }
    if (CellKind::IsBubble(cell->kind) && heldType == ItemType::Soap) {
        BlastBubble(column, row);
        return true;
    }
    return false;
}

void CBoard::ClearAllOfKind(int32_t kind) {
    for (CCell* cell : cells) {
        if (cell != nullptr && cell->kind == kind) {
            cell->SetState(CellState::Clearing);
        }
    }
}

// ---------------------------------------------------------------- gravity and help

void CBoard::DropColumn(int column) {
    int gone = -1;
    for (int r = height - 1; r >= 0; --r) {
        const CCell* cell = CellAt(column, r);
        if (cell != nullptr && cell->state == CellState::Gone) {
            gone = r;
            break;
        }
    }
    if (gone < 0) {
        return;
    }
    CCell* goneCell = CellAt(column, gone);
    auto destroyGone = [&] {
        if (goneCell != nullptr) {
            DestroyCell(goneCell);
            goneCell = nullptr;
        }
    };
    for (int source = gone - 1; source >= 0; --source) {
        CCell* cell = CellAt(column, source);
        if (cell == nullptr || cell->kind == CellKind::Hole) {
            continue;
        }
        // Every cell moves to the next slot below it that is not a hole.
        int target = source + 1;
        while (IsHoleAt(column, target)) {
            target += 1;
        }
        if (target == gone) {
            destroyGone();
        }
        cells[static_cast<size_t>(Index(column, target))] = cell;
        cells[static_cast<size_t>(Index(column, source))] = nullptr;
        cell->fallOffset = 1;
    }
    int top = 0;
    while (IsHoleAt(column, top)) {
        top += 1;
    }
    if (top == gone) {
        destroyGone();
    }
    CCell* fresh = NewRandomCell();
    fresh->fallOffset = 1;
    PlaceCell(Index(column, top), fresh);
}

void CBoard::ThrowHelpItem() {
    CItem* item = nullptr;
    if (AnyCellOfKind(CellKind::Virus)) {
        if (ItemAtHand(ItemType::Vaccine)) {
            return;
        }
        item = new CVaccine();
    } else if (AnyCellOfKind(CellKind::RedBubble) || AnyCellOfKind(CellKind::GreenBubble) ||
               AnyCellOfKind(CellKind::BlueBubble) || AnyCellOfKind(CellKind::VioletBubble)) {
        if (ItemAtHand(ItemType::Soap)) {
            return;
        }
        item = new CSoap();
    } else {
        if (ItemAtHand(ItemType::Spoon)) {
            return;
        }
        item = (RandomDraw() & 3) != 0 ? static_cast<CItem*>(new CSpoon()) : new CEddy();
    }
    Notify(1, item->GetType(), -1);
    lastClearTick = App.tickCount;
    item->help = true;
    if (CGameObject* game = GetParent()) {
        game->SetParentLink(item);
    }
    CTree* tree = (RandomDraw() & 1) == 1 ? rightTree : leftTree;
    if (tree != nullptr) {
        tree->ThrowItem(item);
    } else {
        delete item;
    }
}

void CBoard::Shuffle() {
    std::vector<int> slots;
    std::vector<CCell*> list;
    for (int i = 0; i < width * height; ++i) {
        CCell* cell = cells[static_cast<size_t>(i)];
        if (cell != nullptr && cell->kind != CellKind::Hole) {
            slots.push_back(i);
            list.push_back(cell);
        }
    }
    const int n = static_cast<int>(list.size());
    for (int i = 0; i + 1 < n; ++i) {
        const int j = i + 1 + RandomDraw() % (n - 1 - i);
        std::swap(list[static_cast<size_t>(i)], list[static_cast<size_t>(j)]);
    }
    for (size_t k = 0; k < slots.size(); ++k) {
        cells[static_cast<size_t>(slots[k])] = list[k];
    }
}

void CBoard::UpdateHint() {
    const int elapsed = static_cast<int>(App.tickCount / 60) - static_cast<int>(hintCycleStart / 60);
    hintOn = false;
    if (elapsed <= HintQuietSeconds) {
        hintSoundState = 0;
    } else {
        if (hintSoundState == 0) {
            hintSoundState = 1;
        }
        int remaining = 0;
        int playable = 0;
        for (int i = 0; i < width * height; ++i) {
            const CCell* cell = cells[static_cast<size_t>(i)];
            remaining += toClear[static_cast<size_t>(i)] == 1 ? 1 : 0;
            playable += (cell == nullptr || cell->kind != CellKind::Hole) ? 1 : 0;
        }
        hintOn = remaining <= playable / 2 && App.tickCount % 10 < 5;
        if (elapsed > HintCycleSeconds) {
            hintCycleStart = App.tickCount;
        }
    }
    if (hintOn && hintSoundState == 1) {
        PlaySound("data/sfx/idle.ogg");
        hintSoundState = 2;
    }
}

// ---------------------------------------------------------------- viruses

bool CBoard::IsVirusTime() const {
    const CTimer* timer = const_cast<CBoard*>(this)->Timer();
    if ((timer != nullptr && timer->holdTicks > 0) || virusPeriod <= 0) {
        return false;
    }
    return virusClock % (virusPeriod * 60) == 0;
}

void CBoard::ChooseVirusMoves() {
    static constexpr int Dx[4] = {1, -1, 0, 0};
    static constexpr int Dy[4] = {0, 0, -1, 1};
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            auto* virus = dynamic_cast<CCellVirus*>(CellAt(c, r));
            if (virus == nullptr) {
                continue;
            }
            const int d = RandomDraw() & 3;
            const CCell* target = CellAt(c + Dx[d], r + Dy[d]);
            const bool free =
                target != nullptr && target->kind != CellKind::Virus && target->kind != CellKind::Hole;
            virus->SetSpreadDirection(free ? d : CCellVirus::NoDirection);
        }
    }
}

void CBoard::CommitVirusMoves() {
    static constexpr int Dx[4] = {1, -1, 0, 0};
    static constexpr int Dy[4] = {0, 0, -1, 1};
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            auto* virus = dynamic_cast<CCellVirus*>(CellAt(c, r));
            if (virus == nullptr || virus->direction == CCellVirus::NoDirection) {
                continue;
            }
            const int d = virus->direction;
            virus->direction = CCellVirus::NoDirection;
            const int tc = c + Dx[d];
            const int tr = r + Dy[d];
            CCell* target = CellAt(tc, tr);
            // Two viruses aiming at one cell make one new virus.
            if (target == nullptr || target->kind == CellKind::Virus || target->kind == CellKind::Hole) {
                continue;
            }
            DestroyCell(target);
            PlaceCell(Index(tc, tr), new CCellVirus());
        }
    }
    if (!FindSets() && !AnyCellInState(CellState::Gone)) {
        ThrowHelpItem();
    }
}

// ---------------------------------------------------------------- bubbles

void CBoard::MarkBubblePattern(int column, int row, int32_t kind) {
    marked.fill(0);
    auto mark = [&](int c, int r) {
        if (Inside(c, r) && !IsHoleAt(c, r)) {
            marked[static_cast<size_t>(Index(c, r))] = 1;
        }
    };
    if (kind == CellKind::RedBubble || kind == CellKind::GreenBubble) {
        for (int c = 0; c < width; ++c) {
            mark(c, row);
        }
    }
    if (kind == CellKind::BlueBubble || kind == CellKind::GreenBubble) {
        for (int r = 0; r < height; ++r) {
            mark(column, r);
        }
    }
    if (kind == CellKind::VioletBubble) {
        for (int k = 0; k < std::max(width, height); ++k) {
            mark(column - k, row - k);
            mark(column - k, row + k);
            mark(column + k, row - k);
            mark(column + k, row + k);
        }
    }
    mark(column, row);
}

void CBoard::BlastMarked() {
    for (int i = 0; i < width * height; ++i) {
        CCell* cell = cells[static_cast<size_t>(i)];
        if (marked[static_cast<size_t>(i)] == 0 || cell == nullptr) {
            continue;
        }
        cell->SetState(CellState::Clearing);
        if (toClear[static_cast<size_t>(i)] == 1) {
            lastClearTick = App.tickCount;
            toClear[static_cast<size_t>(i)] = 0;
        }
    }
}

void CBoard::BlastBubble(int column, int row) {
    const int32_t kind = CellAt(column, row)->kind;
    Notify(2, ItemType::Soap, -1);
    PlaySound("data/sfx/water.ogg");
    waterFrame = 0;
    waterSubstep = 0;
    MarkBubblePattern(column, row, kind);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const CCell* cell = CellAt(c, r);
            if (marked[static_cast<size_t>(Index(c, r))] == 0 || cell == nullptr ||
                (c == column && r == row)) {
                continue;
            }
            auto* bubble = new CBubble(*cell, SquareX(c) + petOffsetX, SquareY(r) + petOffsetY);
            bubble->Init(kind, c % 2 == 0);
            bubbles.AddChild(bubble);
        }
    }
    busy = true;
    BlastMarked();
}
