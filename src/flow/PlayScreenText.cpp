#include "flow/PlayScreenText.h"

#include "flow/CGame.h"
#include "game/BoardText.h"
#include "game/CItem.h"

namespace {

std::string Number(int32_t value) {
    return std::to_string(value);
}

// "clock@118,490,landed", "soap@90,300,flying", or "-" for an empty place.
std::string ItemToken(const CItem* item) {
    if (item == nullptr) {
        return "-";
    }
    return ItemType::Name(item->GetType()) + "@" + Number(static_cast<int32_t>(item->x)) + "," +
           Number(static_cast<int32_t>(item->y)) + (item->Landed() ? ",landed" : ",flying");
}

std::string TreeLine(const char* side, const CTree& tree) {
    return std::string("tree ") + side + " a " + ItemToken(tree.slotA) + " b " + ItemToken(tree.slotB) +
           " leaving " + ItemToken(tree.leaving) + " next " + (tree.nextToB ? "b" : "a") + " shake " +
           Number(tree.shake) + "\n";
}

std::string TimerLine(const CTimer& timer) {
    return "timer remaining " + Number(timer.remaining) + " of " + Number(timer.BarWidth()) + " tickspixel " +
           Number(timer.TicksPerPixel()) + " hold " + Number(timer.holdTicks) + " gain " +
           Number(timer.GainShown()) + " paused " + Number(timer.paused ? 1 : 0) + "\n";
}

}  // namespace

namespace PlayScreenText {

std::string Dump(const CGame& game) {
    const CCustomPointer& pointer = game.pointer;
    return BoardText::Dump(game.board) + TimerLine(game.timer) + TreeLine("left", game.background.leftTree) +
           TreeLine("right", game.background.rightTree) + "pointer " + ItemType::Name(pointer.heldType) +
           " uses " + Number(pointer.heldType == CCustomPointer::NoItem ? 0 : pointer.usesLeft) +
           "\ncounter " + Number(game.clearedCells) + "\n";
}

}  // namespace PlayScreenText
