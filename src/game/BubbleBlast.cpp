#include "game/BubbleBlast.h"

#include <algorithm>
#include <string>

#include "core/App.h"
#include "game/CBoard.h"
#include "game/CBubble.h"
#include "game/CCell.h"

BubbleBlast::BubbleBlast() {
    for (int i = 0; i < WaterFrameCount; ++i) {
        waterFrames[static_cast<size_t>(i)].LoadRequired("data/gfx/items/wateref" + std::to_string(i) +
                                                         ".tga");
    }
}

void BubbleBlast::Start(CBoard& board, int column, int row) {
    const int32_t kind = board.CellAt(column, row)->kind;
    PlaySound("data/sfx/water.ogg");
    frame = 0;
    substep = 0;
    MarkPattern(board, column, row, kind);
    // The bubbles take the cells' pictures before the cells start clearing.
    FloatBubbles(board, column, row, kind);
    ClearMarked(board);
}

bool BubbleBlast::Advance() {
    substep += 1;
    if (substep < TicksPerFrame) {
        return false;
    }
    frame += 1;
    substep = 0;
    if (frame < WaterFrameCount) {
        return false;
    }
    frame = -1;
    return true;
}

void BubbleBlast::Stop() {
    frame = -1;
    substep = 0;
}

void BubbleBlast::MarkPattern(const CBoard& board, int column, int row, int32_t kind) {
    marked.fill(0);
    auto mark = [&](int c, int r) {
        if (board.Inside(c, r) && !board.IsHoleAt(c, r)) {
            marked[static_cast<size_t>(board.Index(c, r))] = 1;
        }
    };
    if (kind == CellKind::RedBubble || kind == CellKind::GreenBubble) {
        for (int c = 0; c < board.width; ++c) {
            mark(c, row);
        }
    }
    if (kind == CellKind::BlueBubble || kind == CellKind::GreenBubble) {
        for (int r = 0; r < board.height; ++r) {
            mark(column, r);
        }
    }
    if (kind == CellKind::VioletBubble) {
        for (int k = 0; k < std::max(board.width, board.height); ++k) {
            mark(column - k, row - k);
            mark(column - k, row + k);
            mark(column + k, row - k);
            mark(column + k, row + k);
        }
    }
    mark(column, row);
}

// Every marked cell but the soaped bubble floats off.
void BubbleBlast::FloatBubbles(CBoard& board, int column, int row, int32_t kind) const {
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            const CCell* cell = board.CellAt(c, r);
            if (marked[static_cast<size_t>(board.Index(c, r))] == 0 || cell == nullptr ||
                (c == column && r == row)) {
                continue;
            }
            auto* bubble =
                new CBubble(*cell, board.SquareX(c) + board.petOffsetX, board.SquareY(r) + board.petOffsetY);
            bubble->Init(kind, c % 2 == 0);
            board.bubbles.AddChild(bubble);
        }
    }
}

void BubbleBlast::ClearMarked(CBoard& board) const {
    for (int i = 0; i < board.width * board.height; ++i) {
        CCell* cell = board.cells[static_cast<size_t>(i)];
        if (marked[static_cast<size_t>(i)] == 0 || cell == nullptr) {
            continue;
        }
        cell->SetState(CellState::Clearing);
        if (board.toClear[static_cast<size_t>(i)] == 1) {
            board.lastClearTick = App.tickCount;
            board.toClear[static_cast<size_t>(i)] = 0;
        }
    }
}

void BubbleBlast::Draw(const CBoard& board) const {
    if (frame < 0 || frame >= WaterFrameCount) {
        return;
    }
    const Sprite& water = waterFrames[static_cast<size_t>(frame)];
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            if (marked[static_cast<size_t>(board.Index(c, r))] != 0) {
                water.Draw(board.SquareX(c) + board.petOffsetX, board.SquareY(r) + board.petOffsetY);
            }
        }
    }
}
