#pragma once

#include <vector>

// A point the keyboard can put the pointer on: the arrows walk the controls, Tab the items.
struct KeyTarget {
    enum Kind { Control, Item };
    int x = 0;
    int y = 0;
    Kind kind = Control;
};

// Told by an object that takes clicks, so that keyboard play can reach it without knowing it.
class KeyboardTargets {
public:
    virtual ~KeyboardTargets() = default;
    // Appends the points where a press reaches this object now; none while it takes no press.
    virtual void AddKeyTargets(std::vector<KeyTarget>& targets) const = 0;
    // Left (-1) or right (+1) while the pointer is on the target-th point this object added;
    // true when the object took it as a step of its own (a slider's knob moves).
    virtual bool StepKeyTarget(int /*target*/, int /*direction*/) { return false; }
};

// A grid of cells the arrows walk, with a cursor it draws round one of them.
class KeyboardGrid {
public:
    virtual ~KeyboardGrid() = default;
    virtual int GridColumns() const = 0;
    virtual int GridRows() const = 0;
    // false for a hole and outside the grid.
    virtual bool GridCellExists(int column, int row) const = 0;
    // Where the pointer goes to point at a cell.
    virtual KeyTarget GridCellCentre(int column, int row) const = 0;
    // The cell under the pointer, if any.
    virtual bool GridCellAtPointer(int& column, int& row) const = 0;
    // The cursor frame round a cell; hidden while the mouse is in use.
    virtual void ShowKeyCursor(bool shown, int column, int row) = 0;
};
