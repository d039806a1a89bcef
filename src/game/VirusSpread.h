#pragma once

#include <cstdint>

class CBoard;
class CCellPictures;

// The viruses' spread: at every period of free play each virus picks a random neighbour and,
// over a move of MoveTicks, copies itself into it. The board runs it while it is busy.
class VirusSpread {
public:
    static constexpr int32_t MoveTicks = 60;

    // A spread is due when the level has a period, no sand clock holds the viruses and the
    // clock is at a multiple of the period.
    bool IsDue(bool held) const;
    // Picks every virus's direction and starts the move.
    void Start(CBoard& board);
    // One tick of the move; true on the tick it ends, once the copies are made.
    bool Advance(CBoard& board);
    bool Running() const { return step > 0; }
    // A free tick of the board, counted towards the next spread.
    void CountFreeTick() { clock += 1; }
    // A spread of the last level cut short must not finish on a new grid.
    void Stop() { step = 0; }

    // A random direction for each virus, kept only when it points at a cell a virus can take.
    void ChooseMoves(CBoard& board) const;
    // The copies on their way, over the resting cells.
    void Draw(const CBoard& board, const CCellPictures& pictures) const;

    // Seconds between spreads (TIMEVIRUS); 0 for never.
    int32_t period = 0;
    // Ticks into the move, 0 when no spread runs.
    int32_t step = 0;
    // The board's free ticks, counted from 1.
    int32_t clock = 1;

private:
    void CommitMoves(CBoard& board) const;
};
