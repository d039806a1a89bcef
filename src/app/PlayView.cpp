#include "app/PlayView.h"

#include <algorithm>

#include "flow/CGame.h"
#include "game/BoardScale.h"
#include "game/CCell.h"
#include "game/CItem.h"
#include "game/CTree.h"

namespace {

constexpr int MouseCorrection = 20;

PlayView::Item SeenItem(const CItem& item) {
    PlayView::Item seen;
    seen.type = item.GetType();
    if (const auto* noPet = dynamic_cast<const CNoPet*>(&item)) {
        seen.petKind = noPet->petKind;
    }
    seen.centreX = static_cast<int32_t>(item.x) + item.picture->width / 2;
    seen.centreY = static_cast<int32_t>(item.y) + item.picture->height / 2;
    seen.landed = item.Landed();
    return seen;
}

void AddTreeItems(const CTree& tree, std::vector<PlayView::Item>& items) {
    for (const CItem* item : {tree.slotA, tree.slotB}) {
        if (item != nullptr) {
            items.push_back(SeenItem(*item));
        }
    }
}

void AddCells(const CBoard& board, PlayView& view) {
    view.width = board.width;
    view.height = board.height;
    for (int row = 0; row < board.height; ++row) {
        for (int column = 0; column < board.width; ++column) {
            const CCell* cell = board.CellAt(column, row);
            PlayView::Cell seen;
            seen.kind = cell != nullptr ? cell->kind : CellKind::Hole;
            seen.state = cell != nullptr ? cell->state : CellState::Gone;
            seen.falling = cell != nullptr && cell->fallOffset != 0;
            seen.toClear = board.toClear[static_cast<size_t>(board.Index(column, row))] == 1;
            view.cells.push_back(seen);
        }
    }
    view.squareLeft = static_cast<float>(board.SquareX(0));
    view.squareTop = static_cast<float>(board.SquareY(0));
    view.squareWidth = static_cast<float>(CBoard::SquareWidth) * boardScale;
    view.squareHeight = static_cast<float>(CBoard::SquareHeight) * boardScale;
}

}  // namespace

PlayView PlayView::Of(const CGame& game) {
    PlayView view;
    AddCells(game.board, view);
    AddTreeItems(game.background.leftTree, view.items);
    AddTreeItems(game.background.rightTree, view.items);
    view.heldType = game.pointer.heldType;
    view.usesLeft = game.pointer.usesLeft;
    view.barLeft = game.timer.remaining;
    view.barWidth = game.timer.BarWidth();
    view.holdTicks = game.timer.holdTicks;
    view.busy = game.board.busy;
    view.clickCooldown = game.board.clickCooldown;
    view.clearedCells = game.clearedCells;
    view.presentationShowing = !game.active;
    view.revealRunning = game.active && !game.board.active;
    view.bannerShowing = game.bannerCentre.active;
    const bool cleared = game.board.width > 0 && game.board.IsCleared();
    view.won = view.bannerShowing && cleared;
    view.lost = view.bannerShowing && !cleared && game.timer.remaining == 0;
    return view;
}

int32_t PlayView::MouseX(int column) const {
    return static_cast<int32_t>(squareLeft + (static_cast<float>(column) + 0.5f) * squareWidth) +
           MouseCorrection;
}

int32_t PlayView::MouseY(int row) const {
    return static_cast<int32_t>(squareTop + (static_cast<float>(row) + 0.5f) * squareHeight) +
           MouseCorrection;
}

bool PlayView::AnyOfKind(int32_t kind) const {
    return std::any_of(cells.begin(), cells.end(), [kind](const Cell& cell) { return cell.kind == kind; });
}

bool PlayView::TakesClicks() const {
    const bool settled = std::none_of(cells.begin(), cells.end(), [](const Cell& cell) {
        return cell.falling || cell.state == CellState::Clearing || cell.state == CellState::Gone;
    });
    return InPlay() && settled && !busy && clickCooldown == 0 && barLeft > 0;
}
