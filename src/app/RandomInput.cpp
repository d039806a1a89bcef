#include "app/RandomInput.h"

#include <iterator>
#include <numeric>

#include "engine/Input.h"
#include "engine/ScriptedInput.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
// Points a little off the screen too: the game must take a pointer anywhere the window reports.
constexpr int Beside = 40;
// Escape twice: it opens the in-game menu, the way out of play that is not a button.
constexpr int Keys[] = {KeyEscape, KeyEscape, KeySpace, KeyEnter, KeyLeft, KeyRight, KeyUp, KeyDown, KeyTab};

}  // namespace

bool RandomInput::Area::Contains(int px, int py) const {
    return x <= px && px < x + width && y <= py && py < y + height;
}

RandomInput::RandomInput(uint32_t seed) : random_(seed) {}

// Modulo rather than a standard distribution: those differ between standard libraries, and the
// same seed should give the same run wherever it is built.
int RandomInput::Between(int low, int high) {
    return low + static_cast<int>(random_() % static_cast<uint32_t>(high - low + 1));
}

bool RandomInput::OneIn(int n) {
    return Between(1, n) == 1;
}

void RandomInput::Act(const Spots& spots, ScriptedInput& input) {
    if (steps_.empty()) {
        Plan(spots);
    }
    while (!steps_.empty() && wait_ <= 0) {
        Apply(steps_.front(), input);
        steps_.pop_front();
        wait_ = steps_.empty() ? 0 : steps_.front().delay;
    }
    wait_ -= 1;
    KeepOut(spots, input);
}

// A quarter of the gestures go anywhere, most of the rest to what takes a click.
void RandomInput::Plan(const Spots& spots) {
    const int roll = Between(0, 99);
    int x = 0;
    int y = 0;
    if (roll < 25) {
        AnyPoint(x, y);
        PlanClick(x, y);
    } else if (roll < 70) {
        TargetPoint(spots, x, y);
        PlanClick(x, y);
    } else if (roll < 80) {
        TargetPoint(spots, x, y);
        PlanDrag(x, y);
    } else if (roll < 90) {
        PlanKey();
    } else {
        TargetPoint(spots, x, y);
        steps_.push_back({Step::Move, 0, x, y});
    }
    // A pause before the gesture, so screens also get time to move on by themselves.
    steps_.front().delay = Between(0, 8);
    wait_ = steps_.front().delay;
}

void RandomInput::PlanClick(int x, int y) {
    steps_.push_back({Step::Move, 0, x, y});
    steps_.push_back({Step::Down, Between(1, 3)});
    steps_.push_back({Step::Up, Between(1, 5)});
}

// Held and moved about: the sliders follow it, a button pressed and left is not clicked.
void RandomInput::PlanDrag(int x, int y) {
    steps_.push_back({Step::Move, 0, x, y});
    steps_.push_back({Step::Down, Between(1, 2)});
    for (int moves = Between(3, 20); moves > 0; --moves) {
        x += Between(-40, 40);
        y += Between(-15, 15);
        steps_.push_back({Step::Move, Between(1, 4), x, y});
    }
    steps_.push_back({Step::Up, Between(1, 3)});
}

void RandomInput::PlanKey() {
    const int key = Keys[Between(0, static_cast<int>(std::size(Keys)) - 1)];
    steps_.push_back({Step::KeyDown, 0, key});
    steps_.push_back({Step::KeyUp, Between(1, 4), key});
}

void RandomInput::AnyPoint(int& x, int& y) {
    x = Between(-Beside, ScreenWidth + Beside);
    y = Between(-Beside, ScreenHeight + Beside);
}

// A target by weight, a point inside it at random; anywhere when nothing takes a click.
void RandomInput::TargetPoint(const Spots& spots, int& x, int& y) {
    const auto& targets = spots.targets;
    const int total = std::accumulate(targets.begin(), targets.end(), 0,
                                      [](int sum, const Target& target) { return sum + target.weight; });
    if (total <= 0) {
        AnyPoint(x, y);
        return;
    }
    int pick = Between(0, total - 1);
    for (const Target& target : targets) {
        if (pick < target.weight) {
            x = target.area.x + Between(0, target.area.width - 1);
            y = target.area.y + Between(0, target.area.height - 1);
            return;
        }
        pick -= target.weight;
    }
}

void RandomInput::Apply(const Step& step, ScriptedInput& input) {
    switch (step.kind) {
        case Step::Move:
            input.MoveMouse(step.x, step.y);
            break;
        case Step::Down:
        case Step::Up:
            input.SetButton(step.kind == Step::Down);
            break;
        case Step::KeyDown:
        case Step::KeyUp:
            input.SetKey(step.x, step.kind == Step::KeyDown);
            break;
    }
}

// Checked every tick, not when a gesture is planned: buttons slide in under a pointer held still.
void RandomInput::KeepOut(const Spots& spots, ScriptedInput& input) const {
    for (const Area& area : spots.avoided) {
        if (area.Contains(input.MouseX(), input.MouseY())) {
            input.MoveMouse(input.MouseX(), area.y - 3);
        }
    }
}
