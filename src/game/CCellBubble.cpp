#include "game/CCellBubble.h"

#include <cassert>

CCellBubble::CCellBubble(int32_t bubbleKind) {
    assert(CellKind::IsBubble(bubbleKind));
    kind = bubbleKind;
}

bool CCellBubble::Update() {
    if (state == CellState::Clearing) {
        StepClearing();
    } else {
        frame = (frame + 1) % 4;  // pictures 0, 1, 2, 1
    }
    return true;
}
