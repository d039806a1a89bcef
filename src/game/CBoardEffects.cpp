#include "game/CBoardEffects.h"

#include "core/Random.h"
#include "engine/Clock.h"
#include "engine/Input.h"
#include "game/CBoard.h"
#include "game/CCell.h"
#include "game/CCellPictures.h"
#include "game/CTimer.h"

namespace {

constexpr int32_t Hole = -1;
constexpr int32_t NotPlaced = -2;
constexpr int RandomPlacements = 1000;

}  // namespace

CBoardEffects::CBoardEffects() {
    name = "boardeffects";
    ticksperbla = 2;
    for (auto& column : order) {
        column.fill(Hole);
    }
}

void CBoardEffects::Init(int32_t, int32_t) {
    counter = RevealDelay;
    board = dynamic_cast<CBoard*>(Find("../board"));
    if (board == nullptr || board->width <= 0 || board->height <= 0) {
        total = 0;
        counter = 0;
        return;
    }
    for (int c = 0; c < board->width; ++c) {
        for (int r = 0; r < board->height; ++r) {
            const CCell* cell = board->CellAt(c, r);
            order[static_cast<size_t>(c)][static_cast<size_t>(r)] =
                (cell == nullptr || cell->kind == CellKind::Hole) ? Hole : NotPlaced;
        }
    }
    for (int i = 0; i < RandomPlacements; ++i) {
        const int c = RandomDraw() % board->width;
        const int r = RandomDraw() % board->height;
        int32_t& step = order[static_cast<size_t>(c)][static_cast<size_t>(r)];
        if (step == NotPlaced) {
            step = counter++;
        }
    }
    for (int c = 0; c < board->width; ++c) {
        for (int r = 0; r < board->height; ++r) {
            int32_t& step = order[static_cast<size_t>(c)][static_cast<size_t>(r)];
            if (step == NotPlaced) {
                step = counter++;
            }
        }
    }
    total = counter;
    counter = 0;
}

bool CBoardEffects::Update() {
    counter += 1;
    if (counter <= total && !IsMouseButtonDown()) {
        return true;
    }
    if (board != nullptr) {
        board->SetActive(true);
    }
    if (auto* timer = dynamic_cast<CTimer*>(Find("../timer"))) {
        timer->paused = false;
    }
    SeedRandom(GetMilliseconds());
    return false;
}

void CBoardEffects::Draw() {
    if (board == nullptr || cellPictures == nullptr) {
        return;
    }
    for (int c = 0; c < board->width; ++c) {
        for (int r = 0; r < board->height; ++r) {
            const int32_t step = order[static_cast<size_t>(c)][static_cast<size_t>(r)];
            const CCell* cell = board->CellAt(c, r);
            if (step == Hole || step > counter || cell == nullptr) {
                continue;
            }
            board->squareNormal.Draw(board->SquareX(c), board->SquareY(r));
            if (const Sprite* picture = cellPictures->PictureFor(*cell)) {
                picture->Draw(board->SquareX(c) + board->petOffsetX, board->SquareY(r) + board->petOffsetY);
            }
        }
    }
}
