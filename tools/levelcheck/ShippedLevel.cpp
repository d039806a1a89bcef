#include "ShippedLevel.h"

#include <algorithm>

#include "game/CBoard.h"

namespace {

bool IsHole(char square) {
    return square == '.';
}

// The squares joined to (column, row) through their sides, each marked in seen as it is counted.
int CountJoinedSquares(const std::vector<std::string>& rows, int column, int row,
                       std::vector<std::vector<bool>>& seen) {
    int count = 0;
    std::vector<std::pair<int, int>> waiting = {{column, row}};
    seen[row][column] = true;
    while (!waiting.empty()) {
        const auto [c, r] = waiting.back();
        waiting.pop_back();
        ++count;
        const std::pair<int, int> sides[] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
        for (const auto& [nc, nr] : sides) {
            if (nr >= 0 && nr < static_cast<int>(rows.size()) && nc >= 0 &&
                nc < static_cast<int>(rows[nr].size()) && !IsHole(rows[nr][nc]) && !seen[nr][nc]) {
                seen[nr][nc] = true;
                waiting.emplace_back(nc, nr);
            }
        }
    }
    return count;
}

}  // namespace

bool ShippedLevel::Load(const std::string& path, std::vector<std::string>& problems) {
    std::string error;
    read_ = file_.Load(path, error);
    if (!read_) {
        problems.push_back(error);
        return false;
    }
    const size_t before = problems.size();
    CheckKeys(problems);
    CheckChances(problems);
    CheckFit(problems);
    CheckEverySquareCanClear(problems);
    return problems.size() == before;
}

int ShippedLevel::Columns() const {
    return file_.Rows().empty() ? 0 : static_cast<int>(file_.Rows().front().size());
}

int ShippedLevel::Squares() const {
    int squares = 0;
    for (const std::string& row : file_.Rows()) {
        squares += static_cast<int>(std::count_if(row.begin(), row.end(), [](char s) { return !IsHole(s); }));
    }
    return squares;
}

int ShippedLevel::ItemChanceSum() const {
    int sum = 0;
    for (size_t i = FirstItemKey; i < RequiredKeys.size(); ++i) {
        sum += Number(RequiredKeys[i]);
    }
    return sum;
}

// A level that leaves a key out takes it from whatever level was played before it.
void ShippedLevel::CheckKeys(std::vector<std::string>& problems) const {
    for (const char* key : RequiredKeys) {
        if (file_.Find(key) == nullptr) {
            problems.push_back(
                file_.Where(file_.LineCount()) + ": the level does not set " + key +
                "; a shipped level sets every key, so it plays the same however it is reached");
        }
    }
}

int ShippedLevel::LineOf(const char* key) const {
    const LevelFile::Setting* setting = file_.Find(key);
    return setting != nullptr ? setting->line : file_.LineCount();
}

void ShippedLevel::CheckChances(std::vector<std::string>& problems) const {
    const int items = ItemChanceSum();
    if (items > 100) {
        int lastLine = 0;
        for (size_t i = FirstItemKey; i < RequiredKeys.size(); ++i) {
            lastLine = std::max(lastLine, LineOf(RequiredKeys[i]));
        }
        problems.push_back(file_.Where(lastLine) + ": the item chances add up to " + std::to_string(items) +
                           ", at most 100");
    }
    const int special = Number("PROB_STAR") + Number("PROB_BUBBLE") + Number("PROB_VIRUS");
    if (special >= 100) {
        problems.push_back(file_.Where(LineOf("PROB_VIRUS")) +
                           ": the star, bubble and virus chances add up to " + std::to_string(special) +
                           ", which leaves no chance for a pet");
    }
    // Nothing else frees a bubble or cures a virus that rests on the bottom row, and help only
    // comes when the board has no set left, which may never happen.
    if (Number("PROB_BUBBLE") > 0 && Number("PROB_SOAP") == 0) {
        problems.push_back(
            file_.Where(LineOf("PROB_BUBBLE")) +
            ": bubbles come but PROB_SOAP is 0, so a bubble on the bottom row may never be freed");
    }
    if (Number("PROB_VIRUS") > 0 && Number("PROB_VACCINE") == 0) {
        problems.push_back(file_.Where(LineOf("PROB_VIRUS")) +
                           ": viruses come but PROB_VACCINE is 0, so they can spread unchecked");
    }
}

void ShippedLevel::CheckFit(std::vector<std::string>& problems) const {
    const LevelFile::Setting* scale = file_.Find("SCALE");
    if (scale == nullptr) {
        return;  // reported as a missing key
    }
    std::string error;
    if (!CBoard::GridFitsScreen(Columns(), Rows(), static_cast<float>(scale->number) / 100.0f, error)) {
        problems.push_back(file_.Where(scale->line) + ": " + error);
    }
}

// A set is three or more cells joined through their sides, so a square cut off with fewer
// neighbours than that could only be cleared by a bubble that happens to land on it.
void ShippedLevel::CheckEverySquareCanClear(std::vector<std::string>& problems) const {
    const std::vector<std::string>& rows = file_.Rows();
    if (Squares() == 0) {
        problems.push_back(file_.Where(1) + ": the grid has no square to clear");
        return;
    }
    std::vector<std::vector<bool>> seen(rows.size(), std::vector<bool>(static_cast<size_t>(Columns())));
    for (int r = 0; r < Rows(); ++r) {
        for (int c = 0; c < Columns(); ++c) {
            if (IsHole(rows[r][c]) || seen[r][c]) {
                continue;
            }
            const int joined = CountJoinedSquares(rows, c, r, seen);
            if (joined < 3) {
                problems.push_back(file_.Where(r + 1) + ": the square in column " + std::to_string(c + 1) +
                                   (joined == 1
                                        ? " has no square beside it, so it"
                                        : " and the one beside it are cut off from the rest, so they") +
                                   " can never be part of a set of three");
            }
        }
    }
}
