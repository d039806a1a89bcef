#include "game/CCellVirus.h"

#include "core/Random.h"

bool CCellVirus::Update() {
    if (state == CellState::Clearing) {
        StepClearing();
        return true;
    }
    if (blinkPhase == 0) {
        RandomDraw();  // drawn and discarded: part of the game's fixed order of draws
        if (RandomDraw() % 300 == 0) {
            blinkPhase = 1;
            frame = 1;
        }
        return true;
    }
    blinkPhase += 1;
    frame = blinkPhase;
    if (blinkPhase == 3) {
        frame = 1;
    } else if (blinkPhase == 4) {
        frame = 0;
        blinkPhase = 0;
    }
    return true;
}

void CCellVirus::OnUselessClick() {
    if (blinkPhase == 0) {
        blinkPhase = 1;
        frame = 1;
    }
}
