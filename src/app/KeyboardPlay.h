#pragma once

#include <array>
#include <optional>
#include <vector>

#include "scene/KeyboardTargets.h"

class CGameObject;

// Play without a mouse: the keyboard steers the game's own pointer, so every screen reacts to
// it as to the mouse. On a screen with controls the arrows walk them (left and right step a
// slider); over the board they move a cell cursor and Tab walks the items lying in the trees.
// Enter or Space clicks where the pointer is. The pointer is the mouse's again once the mouse
// moves. Run once a tick, before the tree's tick.
class KeyboardPlay {
public:
    // A click holds the button this long and past the end of a frame, so that what ticks only
    // now and then (a tree) and what compares frames sees it.
    static constexpr int HoldTicks = 6;
    // A held key repeats after 400 ms, then every 100 ms (60 ticks a second).
    static constexpr int RepeatDelayTicks = 24;
    static constexpr int RepeatTicks = 6;

    KeyboardPlay() = default;
    // Lets go of the button.
    ~KeyboardPlay();
    KeyboardPlay(const KeyboardPlay&) = delete;
    KeyboardPlay& operator=(const KeyboardPlay&) = delete;

    void Tick(CGameObject& root);

private:
    struct Found {
        KeyTarget point;
        KeyboardTargets* owner = nullptr;
        int index = 0;
    };
    struct Screen {
        std::vector<Found> controls;
        std::vector<Found> items;
        KeyboardGrid* grid = nullptr;
    };
    struct Cell {
        int column = 0;
        int row = 0;
    };
    enum RepeatingKey { Left, Right, Up, Down, Tab, RepeatingKeys };

    static Screen Collect(CGameObject& root);
    static void CollectFrom(CGameObject& object, Screen& screen, std::vector<const void*>& seen);
    bool Fired(RepeatingKey key);
    bool PressWanted();
    void FollowMouse();
    void TakePointer();

    void WalkControls(const Screen& screen, int dx, int dy);
    static const Found* FirstInReadingOrder(const std::vector<Found>& controls);
    static const Found* NearestToward(const std::vector<Found>& controls, const KeyTarget& from, int dx,
                                      int dy);
    void WalkBoard(const Screen& screen, int dx, int dy, int tab);
    void WalkItems(const Screen& screen, int tab);
    void MoveCursor(const KeyboardGrid& grid, int dx, int dy);
    static std::optional<Cell> StartCell(const KeyboardGrid& grid);
    static const Found* Focused(const std::vector<Found>& targets, const KeyboardTargets* owner, int index);
    void PlacePointer(const KeyTarget& point);
    void HoldButton();
    void ReleaseButtonWhenDue();

    std::array<int, RepeatingKeys> heldTicks_{};
    bool pressKeyWasDown_ = false;
    // The keyboard steers the pointer until the mouse moves away from where it put it.
    bool steering_ = false;
    int placedX_ = 0;
    int placedY_ = 0;
    int holdTicks_ = -1;  // -1: the keyboard holds no button
    const KeyboardTargets* focusOwner_ = nullptr;
    int focusIndex_ = 0;
    std::optional<Cell> cursor_;
    std::optional<KeyTarget> focusedItem_;
};
