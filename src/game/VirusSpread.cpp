#include "game/VirusSpread.h"

#include "core/Random.h"
#include "game/BoardScale.h"
#include "game/CBoard.h"
#include "game/CCellPictures.h"
#include "game/CCellVirus.h"

namespace {

// By CCellVirus direction: right, left, up, down.
constexpr int Dx[4] = {1, -1, 0, 0};
constexpr int Dy[4] = {0, 0, -1, 1};

bool TakesVirus(const CCell* target) {
    return target != nullptr && target->kind != CellKind::Virus && target->kind != CellKind::Hole;
}

int Trunc(float value) {
    return static_cast<int>(value);
}

}  // namespace

bool VirusSpread::IsDue(bool held) const {
    if (held || period <= 0) {
        return false;
    }
    return clock % (int64_t{period} * 60) == 0;  // wide: a long period never wraps to 0
}

void VirusSpread::Start(CBoard& board) {
    step = 1;
    ChooseMoves(board);
}

bool VirusSpread::Advance(CBoard& board) {
    step += 1;
    if (step < MoveTicks) {
        return false;
    }
    step = 0;
    CommitMoves(board);
    clock += 1;  // the ending tick counts as a free one
    return true;
}

void VirusSpread::ChooseMoves(CBoard& board) const {
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            auto* virus = dynamic_cast<CCellVirus*>(board.CellAt(c, r));
            if (virus == nullptr) {
                continue;
            }
            const int d = RandomDraw() & 3;
            const bool free = TakesVirus(board.CellAt(c + Dx[d], r + Dy[d]));
            virus->SetSpreadDirection(free ? d : CCellVirus::NoDirection);
        }
    }
}

void VirusSpread::CommitMoves(CBoard& board) const {
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            auto* virus = dynamic_cast<CCellVirus*>(board.CellAt(c, r));
            if (virus == nullptr || virus->direction == CCellVirus::NoDirection) {
                continue;
            }
            const int d = virus->direction;
            virus->direction = CCellVirus::NoDirection;
            // Two viruses aiming at one cell make one new virus.
            if (TakesVirus(board.CellAt(c + Dx[d], r + Dy[d]))) {
                board.SetCell(c + Dx[d], r + Dy[d], CellKind::Virus);
            }
        }
    }
}

void VirusSpread::Draw(const CBoard& board, const CCellPictures& pictures) const {
    if (step <= 0) {
        return;
    }
    const int dx = Trunc(static_cast<float>(step) * CBoard::SquareWidth * boardScale / MoveTicks);
    const int dy = Trunc(static_cast<float>(step) * CBoard::SquareHeight * boardScale / MoveTicks);
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            const auto* virus = dynamic_cast<const CCellVirus*>(board.CellAt(c, r));
            if (virus == nullptr || virus->direction == CCellVirus::NoDirection) {
                continue;
            }
            // The copy shows the half-blink picture while its virus rests.
            CCellVirus look;
            look.frame = virus->frame == 0 ? 1 : virus->frame;
            if (const Sprite* picture = pictures.PictureFor(look)) {
                picture->Draw(board.PetX(c) + Dx[virus->direction] * dx,
                              board.PetY(r) + Dy[virus->direction] * dy);
            }
        }
    }
}
