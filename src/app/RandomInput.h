#pragma once

#include <cstdint>
#include <deque>
#include <random>
#include <vector>

class ScriptedInput;

// Random mouse and keyboard for long unattended runs: every few ticks a click anywhere, a click on
// something that takes one (a button, the board, an item), the button held and dragged about, a
// key tapped, or the mouse moved. The same seed on the same screens gives the same input.
class RandomInput {
public:
    struct Area {
        int x = 0;
        int y = 0;
        int width = 1;
        int height = 1;
        bool Contains(int px, int py) const;
    };
    // A place a click does something at; weight says how often it is picked against the others.
    struct Target {
        Area area;
        int weight = 1;
    };
    // What the input is told of the screen at one tick.
    struct Spots {
        std::vector<Target> targets;
        // The pointer is never left inside these (QUIT): no press can end in a click there.
        std::vector<Area> avoided;
    };

    explicit RandomInput(uint32_t seed);

    // One tick: the next step of the gesture under way, or a new gesture.
    void Act(const Spots& spots, ScriptedInput& input);
    // true once in n calls, at random.
    bool OneIn(int n);

private:
    struct Step {
        enum Kind { Move, Down, Up, KeyDown, KeyUp } kind = Move;
        int delay = 0;  // ticks after the step before it
        int x = 0;      // where a move goes; the key of a key step
        int y = 0;
    };

    void Plan(const Spots& spots);
    void PlanClick(int x, int y);
    void PlanDrag(int x, int y);
    void PlanKey();
    // A point anywhere on the screen or a little beside it.
    void AnyPoint(int& x, int& y);
    void TargetPoint(const Spots& spots, int& x, int& y);
    void Apply(const Step& step, ScriptedInput& input);
    void KeepOut(const Spots& spots, ScriptedInput& input) const;
    int Between(int low, int high);

    std::mt19937 random_;
    std::deque<Step> steps_;
    int wait_ = 0;  // ticks until the next step
};
