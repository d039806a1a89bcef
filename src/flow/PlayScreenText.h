#pragma once

#include <string>

class CGame;

// The play screen as text, for the headless driver's dumps and for outside checks: the board
// (as BoardText writes it), then the time bar, each tree's items, the pointer's held item and
// the counter of cleared cells.
namespace PlayScreenText {

std::string Dump(const CGame& game);

}  // namespace PlayScreenText
