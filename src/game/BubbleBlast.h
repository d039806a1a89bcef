#pragma once

#include <array>
#include <cstdint>

#include "gfx/Sprite.h"

class CBoard;

// Soap on a bubble: the bubble's pattern of cells is marked, cleared with its squares and
// floated off in bubbles, while water runs over the marked squares. The board waits for the
// water.
class BubbleBlast {
public:
    static constexpr int WaterFrameCount = 8;
    static constexpr int TicksPerFrame = 6;
    static constexpr int MaxCells = 30 * 30;  // CBoard::MaxCells, which the board asserts

    // Loads the water pictures.
    BubbleBlast();

    // The blast of the bubble at column, row.
    void Start(CBoard& board, int column, int row);
    // One tick of the water; true on the tick it has run all its frames.
    bool Advance();
    bool Running() const { return frame >= 0; }
    // A blast of the last level cut short must not finish on a new grid.
    void Stop();
    void ClearMarks() { marked.fill(0); }
    void Draw(const CBoard& board) const;

    // Red its row, green its row and column, blue its column, violet both diagonals; holes are
    // skipped, every other cell is taken.
    void MarkPattern(const CBoard& board, int column, int row, int32_t kind);

    std::array<Sprite, WaterFrameCount> waterFrames;
    // By board index: 1 for a cell of the pattern.
    std::array<uint8_t, MaxCells> marked{};
    // The water frame showing, -1 when no blast runs.
    int32_t frame = -1;
    // Ticks into the frame.
    int32_t substep = 0;

private:
    void FloatBubbles(CBoard& board, int column, int row, int32_t kind) const;
    void ClearMarked(CBoard& board) const;
};
