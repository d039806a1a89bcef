#include <algorithm>
#include <cmath>
#include <vector>

#include "core/App.h"
#include "engine/ScreenPrimitives.h"
#include "game/BoardScale.h"
#include "game/CBoard.h"
#include "game/CCell.h"
#include "game/CCellPictures.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "gfx/PictureBank.h"
#include "ui/CCustomPointer.h"

namespace {

int Trunc(float value) {
    return static_cast<int>(value);
}

}  // namespace

// Drawing, in the order the player must see it: squares, cells, falling cells, spreading
// viruses, sand clocks, water, soap arrows.

void CBoard::Draw() {
    DrawSquares();
    DrawRestingCells();
    DrawFallingCells();
    virusSpread.Draw(*this, *pictures_);
    DrawSandClocks();
    bubbleBlast.Draw(*this);
    DrawSoapArrows();
    DrawKeyCursor();
}

// Cleared squares first, then the rest: one change of texture instead of one at every edge
// between cleared and uncleared squares.
void CBoard::DrawSquares() const {
    for (const bool cleared : {true, false}) {
        if (!cleared && hintOn) {
            continue;  // the hint shows the squares to clear as bare background
        }
        const Sprite& square = cleared ? squareCleared : squareNormal;
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                if (!IsHoleAt(c, r) && (toClear[static_cast<size_t>(Index(c, r))] == 0) == cleared) {
                    square.Draw(SquareX(c), SquareY(r));
                }
            }
        }
    }
}

// Resting cells never overlap (a pet and its circle stay inside their square), so they are drawn
// grouped by picture: the software renderer pays far more for a change of texture than for a quad.
void CBoard::DrawRestingCells() const {
    struct Placed {
        const Sprite* picture;
        int x;
        int y;
    };
    std::vector<Placed> pets;
    std::vector<Placed> circles;
    pets.reserve(static_cast<size_t>(width * height));
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            const CCell* cell = CellAt(c, r);
            if (cell == nullptr || cell->fallOffset != 0 || HiddenByHint(Index(c, r))) {
                continue;
            }
            if (const Sprite* picture = pictures_->PictureFor(*cell)) {
                pets.push_back({picture, PetX(c), PetY(r)});
            }
            if (cell->state == CellState::Highlighted) {
                circles.push_back({&circle, PetX(c) + 2, PetY(r) + 2});
            }
        }
    }
    std::stable_sort(pets.begin(), pets.end(), [](const Placed& a, const Placed& b) {
        return a.picture->picture < b.picture->picture;
    });
    for (const std::vector<Placed>* group : {&pets, &circles}) {
        for (const Placed& placed : *group) {
            placed.picture->Draw(placed.x, placed.y);
        }
    }
}

void CBoard::DrawFallingCells() const {
    for (int c = 0; c < width; ++c) {
        for (int r = 0; r < height; ++r) {
            const CCell* cell = CellAt(c, r);
            if (cell != nullptr && cell->fallOffset != 0 && !HiddenByHint(Index(c, r))) {
                DrawFallingCell(c, r, *cell);
            }
        }
    }
}

// A falling pet is drawn (65 - f) unscaled pixels above its slot. Below a hole or at the
// top it is cut at its square's top edge; below holes, its top part shows in the square
// it came from, so it seems to pass invisibly behind the holes.
void CBoard::DrawFallingCell(int column, int row, const CCell& cell) const {
    const Sprite* picture = pictures_->PictureFor(cell);
    if (picture == nullptr) {
        return;
    }
    const int f = cell.fallOffset;
    const int x = PetX(column);
    const bool belowHole = IsHoleAt(column, row - 1);
    if (row > 0 && !belowHole) {
        const float above = static_cast<float>(row * SquareHeight - (SquareHeight - f));
        picture->Draw(x, Trunc(boardScale * above + static_cast<float>(originY)) + petOffsetY);
        return;
    }
    const int cutRow = SquareHeight - f;
    if (cutRow < picture->height) {
        picture->DrawPart(x, PetY(row), 0, cutRow, SquareWidth,
                          std::min(SquareHeight, picture->height - cutRow));
    }
    if (!belowHole) {
        return;
    }
    int upper = row - 1;
    while (IsHoleAt(column, upper)) {
        upper -= 1;
    }
    const int topRows = 57 - f;
    if (upper >= 0 && topRows > 0) {
        const float y =
            boardScale * static_cast<float>(upper * SquareHeight + f) + static_cast<float>(originY);
        picture->DrawPart(x, Trunc(y) + petOffsetY, 0, 0, SquareWidth, std::min(topRows, picture->height));
    }
}

void CBoard::DrawSandClocks() const {
    const CTimer* timer = const_cast<CBoard*>(this)->Timer();
    if (timer == nullptr || timer->holdTicks <= 0 || !AnyCellOfKind(CellKind::Virus)) {
        return;
    }
    Sprite sandClock;
    App.pictures->Load("data/gfx/items/sandclock.tga")->SharePicture(sandClock);
    sandClock.zoom = boardScale;
    sandClock.alpha = 0.7f;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const CCell* cell = CellAt(c, r);
            if (cell != nullptr && cell->kind == CellKind::Virus) {
                sandClock.Draw(
                    originX + Trunc(static_cast<float>(c) * SquareWidth * boardScale + 15.0f * boardScale),
                    originY + Trunc(boardScale * static_cast<float>(r) * SquareHeight));
            }
        }
    }
}

void CBoard::DrawSoapArrows() const {
    const CCustomPointer* pointer = Pointer();
    if (pointer == nullptr || pointer->heldType != ItemType::Soap) {
        return;
    }
    Sprite* const arrows[4] = {arrowRed, arrowGreen, arrowBlue, arrowViolet};
    const float zoom = (std::sin(static_cast<float>(App.tickCount) * 0.1f) + 1.0f) * 0.1f + 0.8f;
    for (Sprite* arrow : arrows) {
        arrow->zoom = zoom;
    }
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const CCell* cell = CellAt(c, r);
            if (cell != nullptr && CellKind::IsBubble(cell->kind)) {
                arrows[cell->kind - CellKind::RedBubble]->Draw(
                    Trunc(static_cast<float>(c) * SquareWidth * boardScale + static_cast<float>(originX) -
                          5.0f),
                    Trunc(static_cast<float>(originY) + static_cast<float>(r) * SquareHeight * boardScale -
                          5.0f));
            }
        }
    }
}

// A light frame with a dark edge on both sides, so it shows on light and dark squares alike.
void CBoard::DrawKeyCursor() const {
    if (!keyCursorShown_ || !Inside(keyCursorColumn_, keyCursorRow_)) {
        return;
    }
    constexpr int ScreenHeight = 600;
    const float left = static_cast<float>(SquareX(keyCursorColumn_));
    const float top = static_cast<float>(SquareY(keyCursorRow_));
    const float right = static_cast<float>(SquareX(keyCursorColumn_ + 1));
    const float bottom = static_cast<float>(SquareY(keyCursorRow_ + 1));
    const auto frame = [&](float inset, float thickness, float shade) {
        const float l = left + inset;
        const float t = top + inset;
        const float r = right - inset;
        const float b = bottom - inset;
        FillScreenRect(ScreenHeight, l, t, r, t + thickness, shade, shade, shade * 0.6f, 1.0f);
        FillScreenRect(ScreenHeight, l, b - thickness, r, b, shade, shade, shade * 0.6f, 1.0f);
        FillScreenRect(ScreenHeight, l, t, l + thickness, b, shade, shade, shade * 0.6f, 1.0f);
        FillScreenRect(ScreenHeight, r - thickness, t, r, b, shade, shade, shade * 0.6f, 1.0f);
    };
    frame(0.0f, 6.0f, 0.15f);
    frame(1.0f, 4.0f, 1.0f);
}
