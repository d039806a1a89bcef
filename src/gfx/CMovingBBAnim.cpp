#include "gfx/CMovingBBAnim.h"

#include <iterator>

CMovingBBAnim::CMovingBBAnim() {
    name = "movingbbanim";
}

// The steps are members: they must not stay listed as children of a dead object.
CMovingBBAnim::~CMovingBBAnim() {
    RemoveAllChildren();
}

void CMovingBBAnim::SetupThreeSteps(Sprite* sprite, int x, int y, bool growIn, bool fadeIn, float inTurns,
                                    bool shrinkOut, bool fadeOut, float outTurns, int inTicks, int holdTicks,
                                    int outTicks) {
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    RemoveAllChildren();
    current = nullptr;
    steps.clear();
    CMovingBB grow;
    grow.MoveEx(sprite, fx, fy, fx, fy, inTicks, fadeIn ? 1 : 0, inTurns, growIn ? 1 : 0);
    steps.push_back(grow);
    CMovingBB hold;
    hold.MoveEx(sprite, fx, fy, fx, fy, holdTicks, 0, 0.0f, 0);
    steps.push_back(hold);
    CMovingBB shrink;
    shrink.MoveEx(sprite, fx, fy, fx, fy, outTicks, fadeOut ? -1 : 0, outTurns, shrinkOut ? -1 : 0);
    steps.push_back(shrink);
    nextStep = 3;
}

void CMovingBBAnim::Restart() {
    RemoveAllChildren();
    // Forget the step in hand too: once unlisted it never advances, and waiting
    // for it would stall a restart made in the middle of a step.
    current = nullptr;
    nextStep = 0;
}

bool CMovingBBAnim::Update() {
    if (nextStep < 0 || nextStep >= static_cast<int32_t>(steps.size())) {
        return true;
    }
    if (current != nullptr && current->progress < 1.0f) {
        return true;
    }
    if (current != nullptr) {
        RemoveChild(current);
    }
    current = StepAt(nextStep);
    current->progress = 0.0f;
    // A step is a member of the list, never something the update pass may destroy.
    current->finishWhenDone = false;
    AddChild(current);
    nextStep += 1;
    return true;
}

CMovingBB* CMovingBBAnim::StepAt(int32_t index) {
    return &*std::next(steps.begin(), index);
}
