#pragma once

#include <cstdint>
#include <string>

class CBoard;

// The board as text, for the headless driver's dumps and for tests.
namespace BoardText {

// A header line with the board's state, then one line a row and one token a cell: the kind's
// code, the cell state's digit, then '#' for a square still to clear, '-' for a cleared one
// ("..." for a hole).
std::string Dump(const CBoard& board);

// One character a kind: pets by their CELLS_NORMAL letter, '.' hole, '*' star, the bubbles by
// their pattern ('-' red, '+' green, '|' blue, 'x' violet), '%' virus. '?' for no kind.
char CodeOfKind(int32_t kind);
// -1 for a character that names no kind.
int32_t KindOfCode(char code);

}  // namespace BoardText
