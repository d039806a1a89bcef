#include "game/BoardText.h"

#include <string_view>

#include "core/App.h"
#include "game/CBoard.h"
#include "game/CCell.h"

namespace {

// Indexed by kind.
constexpr std::string_view KindCodes = "FKPMDTSRfkpmdtsr.*-+|x%";

std::string StateLine(const CBoard& board) {
    return "board " + std::to_string(board.width) + "x" + std::to_string(board.height) + " tick " +
           std::to_string(App.tickCount) + " busy " + std::to_string(board.busy ? 1 : 0) + " cooldown " +
           std::to_string(board.clickCooldown) + " water " + std::to_string(board.bubbleBlast.frame) +
           " virusstep " + std::to_string(board.virusSpread.step) + " virusclock " +
           std::to_string(board.virusSpread.clock) + " cleared " + std::to_string(board.IsCleared() ? 1 : 0) +
           "\n";
}

std::string CellToken(const CBoard& board, int column, int row) {
    const CCell* cell = board.CellAt(column, row);
    std::string token;
    if (cell == nullptr) {
        token = "_?";
    } else if (cell->kind == CellKind::Hole) {
        token = "..";
    } else {
        token = {BoardText::CodeOfKind(cell->kind), static_cast<char>('0' + cell->state)};
    }
    const bool toClear = board.toClear[static_cast<size_t>(board.Index(column, row))] == 1;
    token += toClear ? '#' : (cell && cell->kind == CellKind::Hole ? '.' : '-');
    return token;
}

}  // namespace

namespace BoardText {

std::string Dump(const CBoard& board) {
    std::string text = StateLine(board);
    for (int r = 0; r < board.height; ++r) {
        for (int c = 0; c < board.width; ++c) {
            text += (c == 0 ? "" : " ") + CellToken(board, c, r);
        }
        text += "\n";
    }
    return text;
}

char CodeOfKind(int32_t kind) {
    return (kind >= 0 && kind < CellKind::Count) ? KindCodes[static_cast<size_t>(kind)] : '?';
}

int32_t KindOfCode(char code) {
    const size_t kind = KindCodes.find(code);
    return kind == std::string_view::npos ? -1 : static_cast<int32_t>(kind);
}

}  // namespace BoardText
