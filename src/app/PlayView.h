#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CGame;

// What a player sees of the play screen at one tick, copied out of the game so that whoever
// reads it cannot change the game: the cells, the squares still to clear, the items lying in the
// trees, the item in the hand, the time bar and what covers the board.
struct PlayView {
    struct Cell {
        int32_t kind = 0;
        int32_t state = 0;
        bool toClear = false;
        bool falling = false;
    };
    struct Item {
        int32_t type = 0;
        int32_t petKind = -1;  // the pet the forbidden item sends away
        int32_t centreX = 0;   // where a press takes it, in screen pixels
        int32_t centreY = 0;
        bool landed = false;
    };

    static PlayView Of(const CGame& game);

    const Cell& At(int column, int row) const { return cells[static_cast<size_t>(row * width + column)]; }
    // The mouse position that points at a cell; the board reads the mouse 20 pixels up and left.
    int32_t MouseX(int column) const;
    int32_t MouseY(int row) const;
    bool AnyOfKind(int32_t kind) const;
    // The board takes a click now: nothing falls, clears or runs, and the cooldown is over.
    bool TakesClicks() const;
    bool InPlay() const { return !presentationShowing && !revealRunning && !bannerShowing; }

    int32_t width = 0;
    int32_t height = 0;
    std::vector<Cell> cells;  // row by row
    float squareLeft = 0;     // the grid's top-left corner and one square's size on screen
    float squareTop = 0;
    float squareWidth = 0;
    float squareHeight = 0;

    std::vector<Item> items;
    int32_t heldType = -1;
    int32_t usesLeft = 0;

    int32_t barLeft = 0;
    int32_t barWidth = 0;
    int32_t holdTicks = 0;
    bool busy = false;
    int32_t clickCooldown = 0;
    int32_t clearedCells = 0;

    bool presentationShowing = false;
    bool revealRunning = false;
    bool bannerShowing = false;
    bool won = false;
    bool lost = false;
};
