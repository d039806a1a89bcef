#include "game/CCellNormal.h"

#include "core/Random.h"

namespace {

constexpr int32_t BlinkChance = 300;
constexpr int32_t BlinkFrames = 3;
// The base picture and the extra picture.
constexpr int32_t SwingPictures = 2;
constexpr int32_t ClicksBeforeAnnoyed = 4;

}  // namespace

CCellNormal::CCellNormal(int32_t petKind) {
    kind = petKind;
}

bool CCellNormal::Update() {
    switch (state) {
        case CellState::Idle:
            RandomDraw();  // drawn and discarded: part of the game's fixed order of draws
            if (RandomDraw() % BlinkChance == 0) {
                SetState(CellState::Blinking);
            }
            break;
        case CellState::Blinking:
            frame += 1;
            if (frame == BlinkFrames) {
                SetState(CellState::Idle);
            }
            break;
        case CellState::Highlighted:
        case CellState::Annoyed:
            Swing();
            break;
        case CellState::Clearing:
            StepClearing();
            break;
        default:
            break;
    }
    return true;
}

void CCellNormal::Swing() {
    frame += frameStep;
    if (frame == SwingPictures) {
        frame -= 2;
        frameStep = -1;
    }
    if (frame == -1) {
        frame = 1;
        frameStep = 1;
        if (state == CellState::Annoyed) {
            SetState(CellState::Idle);
        }
    }
}

void CCellNormal::OnUselessClick() {
    if (state != CellState::Idle) {
        return;
    }
    uselessClicks += 1;
    SetState(uselessClicks < ClicksBeforeAnnoyed ? CellState::Blinking : CellState::Annoyed);
}
