#pragma once

#include <vector>

#include "app/PlayView.h"

// The sets a player makes out on the board: pets of one kind touching side by side, three or
// more, stars joining any of them. Only settled cells count; a set is clicked on one of its pets.
struct SeenSet {
    std::vector<int> cells;  // indices into PlayView::cells, stars included
    int clickAt = 0;         // a pet of the set: pointing at a star selects nothing
    int squaresToClear = 0;
    int squaresAbove = 0;  // squares still to clear above the set, which its clearing shakes loose
};

std::vector<SeenSet> FindSeenSets(const PlayView& view);

// How many squares still to clear a soaped bubble at index would blast: its row, its column, both,
// or its diagonals, by colour.
int SquaresBlasted(const PlayView& view, int index);
