#include "game/CCellStar.h"

#include "game/CBoard.h"

bool CCellStar::Update() {
    if (state != CellState::Clearing) {
        return true;
    }
    if (frame == 0 && partner == nullptr) {
        ChooseEffectFromPartner();
    }
    StepClearing();
    return true;
}

// A star has no set size of its own: it plays the effect of the set it left with.
void CCellStar::ChooseEffectFromPartner() {
    effectClass = ClearEffect::Light;
    auto* board = dynamic_cast<CBoard*>(GetParent());
    if (board == nullptr) {
        return;
    }
    for (int r = 0; r < board->height; ++r) {
        for (int c = 0; c < board->width; ++c) {
            const CCell* other = board->CellAt(c, r);
            if (other != nullptr && other != this &&
                (other->state == CellState::Highlighted || other->state == CellState::Clearing)) {
                partner = other;
                effectClass = other->effectClass;
                return;
            }
        }
    }
}
