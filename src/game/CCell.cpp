#include "game/CCell.h"

namespace {

constexpr int32_t CellTicks = 15;
// The clearing effect runs three times faster than the other animations.
constexpr int32_t ClearingTicks = 5;

}  // namespace

CCell::CCell() {
    ticksperbla = CellTicks;
    name = "cell";
}

void CCell::SetState(int32_t newState) {
    frame = 0;
    state = newState;
    if (newState == CellState::Clearing) {
        ticksperbla = ClearingTicks;
    }
}

void CCell::StepClearing() {
    frame += 1;
    const int32_t frames = effectClass == ClearEffect::Ploc ? 3 : 5;
    if (frame >= frames) {
        state = CellState::Gone;
    }
}
