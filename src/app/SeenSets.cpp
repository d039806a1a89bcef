#include "app/SeenSets.h"

#include <algorithm>
#include <cstdlib>

#include "game/CellKinds.h"

namespace {

bool Settled(const PlayView::Cell& cell) {
    return !cell.falling && cell.state != CellState::Clearing && cell.state != CellState::Gone;
}

bool Joins(const PlayView::Cell& cell, int kind) {
    return Settled(cell) && (cell.kind == kind || cell.kind == CellKind::Star);
}

// The region of a pet's kind from start, 4-connected, through stars.
std::vector<int> Region(const PlayView& view, int start) {
    const int kind = view.cells[static_cast<size_t>(start)].kind;
    std::vector<bool> seen(view.cells.size(), false);
    std::vector<int> region;
    std::vector<int> open = {start};
    seen[static_cast<size_t>(start)] = true;
    while (!open.empty()) {
        const int index = open.back();
        open.pop_back();
        region.push_back(index);
        const int column = index % view.width;
        const int row = index / view.width;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            const int c = column + step[0];
            const int r = row + step[1];
            const int next = r * view.width + c;
            if (c >= 0 && r >= 0 && c < view.width && r < view.height && !seen[static_cast<size_t>(next)] &&
                Joins(view.At(c, r), kind)) {
                seen[static_cast<size_t>(next)] = true;
                open.push_back(next);
            }
        }
    }
    return region;
}

int SquaresAbove(const PlayView& view, const std::vector<int>& cells) {
    int count = 0;
    for (int column = 0; column < view.width; ++column) {
        int lowest = -1;
        for (int index : cells) {
            if (index % view.width == column) {
                lowest = std::max(lowest, index / view.width);
            }
        }
        for (int row = 0; row < lowest; ++row) {
            count += view.At(column, row).toClear ? 1 : 0;
        }
    }
    return count;
}

SeenSet MakeSet(const PlayView& view, std::vector<int> cells, int clickAt) {
    SeenSet set;
    set.clickAt = clickAt;
    for (int index : cells) {
        set.squaresToClear += view.cells[static_cast<size_t>(index)].toClear ? 1 : 0;
    }
    set.squaresAbove = SquaresAbove(view, cells);
    set.cells = std::move(cells);
    return set;
}

}  // namespace

std::vector<SeenSet> FindSeenSets(const PlayView& view) {
    std::vector<SeenSet> sets;
    std::vector<bool> inSet(view.cells.size(), false);
    for (int index = 0; index < static_cast<int>(view.cells.size()); ++index) {
        const PlayView::Cell& cell = view.cells[static_cast<size_t>(index)];
        if (!CellKind::IsPet(cell.kind) || !Settled(cell) || inSet[static_cast<size_t>(index)]) {
            continue;
        }
        std::vector<int> region = Region(view, index);
        for (int member : region) {
            if (view.cells[static_cast<size_t>(member)].kind != CellKind::Star) {
                inSet[static_cast<size_t>(member)] = true;  // a star may serve several sets
            }
        }
        if (region.size() >= 3) {
            sets.push_back(MakeSet(view, std::move(region), index));
        }
    }
    return sets;
}

int SquaresBlasted(const PlayView& view, int index) {
    const int kind = view.cells[static_cast<size_t>(index)].kind;
    const int column = index % view.width;
    const int row = index / view.width;
    const bool alongRow = kind == CellKind::RedBubble || kind == CellKind::GreenBubble;
    const bool alongColumn = kind == CellKind::BlueBubble || kind == CellKind::GreenBubble;
    const bool diagonals = kind == CellKind::VioletBubble;
    int count = 0;
    for (int r = 0; r < view.height; ++r) {
        for (int c = 0; c < view.width; ++c) {
            const bool onDiagonal = std::abs(c - column) == std::abs(r - row);
            const bool hit =
                (alongRow && r == row) || (alongColumn && c == column) || (diagonals && onDiagonal);
            count += hit && view.At(c, r).toClear ? 1 : 0;
        }
    }
    return count;
}
