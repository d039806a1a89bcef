#include <algorithm>
#include <vector>

#include "core/App.h"
#include "core/Random.h"
#include "game/CBoard.h"
#include "game/CCellPictures.h"
#include "game/CCellStar.h"
#include "game/CItem.h"
#include "game/CTree.h"
#include "ui/CCustomPointer.h"

// The rule book: sets, clearing, items, gravity, help and the hint.

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
        Notify(2, ItemType::Soap, -1);
        bubbleBlast.Start(*this, column, row);
        busy = true;
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
    // Told as the lottery tells its items: a vaccine while a virus is on the board, a soap while
    // a bubble is, which is what the pages of those items wait for.
    int32_t related = -1;
    if (AnyCellOfKind(CellKind::Virus)) {
        if (ItemAtHand(ItemType::Vaccine)) {
            return;
        }
        item = new CVaccine();
        related = 2;
    } else if (AnyCellOfKind(CellKind::RedBubble) || AnyCellOfKind(CellKind::GreenBubble) ||
               AnyCellOfKind(CellKind::BlueBubble) || AnyCellOfKind(CellKind::VioletBubble)) {
        if (ItemAtHand(ItemType::Soap)) {
            return;
        }
        item = new CSoap();
        related = 1;
    } else {
        if (ItemAtHand(ItemType::Spoon)) {
            return;
        }
        item = (RandomDraw() & 3) != 0 ? static_cast<CItem*>(new CSpoon()) : new CEddy();
    }
    Notify(1, item->GetType(), related);
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
