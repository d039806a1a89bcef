#include "flow/LevelFile.h"

#include "core/ReadWholeNumber.h"
#include "engine/EngineFile.h"
#include "game/CellGenerator.h"

namespace {

struct NumberKey {
    const char* key;
    int32_t min;
    int32_t max;
};

// The keys with a number and the values a level may give them. The limits keep every later
// sum and product far from wrapping: the virus period in ticks, the running sums of chances.
constexpr NumberKey NumberKeys[] = {
    {"TIME", 1, 3600},       {"TIMEVIRUS", 0, 3600}, {"SCALE", 10, 400},     {"PROB_STAR", 0, 100},
    {"PROB_BUBBLE", 0, 100}, {"PROB_VIRUS", 0, 100}, {"PROB_CLOCK", 0, 100}, {"PROB_VACCINE", 0, 100},
    {"PROB_SOAP", 0, 100},   {"PROB_NOPET", 0, 100}, {"PROB_SPOON", 0, 100}, {"PROB_SANDCLOCK", 0, 100},
    {"PROB_EDDY", 0, 100},
};
constexpr const char* PetsKey = "CELLS_NORMAL";

const NumberKey* FindNumberKey(std::string_view key) {
    for (const NumberKey& rule : NumberKeys) {
        if (key == rule.key) {
            return &rule;
        }
    }
    return nullptr;
}

std::string KeyList() {
    std::string list = PetsKey;
    for (const NumberKey& rule : NumberKeys) {
        list += std::string(", ") + rule.key;
    }
    return list;
}

// Lines without their line feed (and the carriage return before it); a last line without a
// line feed is a line too.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

bool LevelFile::Load(const std::string& path, std::string& error) {
    std::string text;
    std::string reason;
    if (!ReadRegularFile(path, text, reason, MaxFileSize)) {
        fileName_ = path;
        return Fail(0, reason, error);
    }
    return Parse(text, path, error);
}

bool LevelFile::Parse(std::string_view text, const std::string& fileName, std::string& error) {
    fileName_ = fileName;
    rows_.clear();
    settings_.clear();
    const std::vector<std::string_view> lines = SplitLines(text);
    lineCount_ = static_cast<int>(lines.size());
    if (text.empty()) {
        return Fail(1, "the file is empty; a level begins with its grid", error);
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        return Fail(1, "the file begins with a byte order mark; save it as plain text without one", error);
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() > MaxLineLength) {
            return Fail(
                static_cast<int>(i + 1),
                "the line has " + std::to_string(lines[i].size()) + " characters, at most 99 are allowed",
                error);
        }
    }
    size_t next = 0;
    if (!ReadGrid(lines, next, error)) {
        return false;
    }
    for (; next < lines.size(); ++next) {
        if (!ReadKeyLine(lines[next], static_cast<int>(next + 1), error)) {
            return false;
        }
    }
    return true;
}

// Rows run to the first line that starts with neither 'X' nor '.', which is consumed.
bool LevelFile::ReadGrid(const std::vector<std::string_view>& lines, size_t& next, std::string& error) {
    for (; next < lines.size(); ++next) {
        const std::string_view line = lines[next];
        const int lineNumber = static_cast<int>(next + 1);
        if (line.empty() || (line[0] != 'X' && line[0] != '.')) {
            break;
        }
        if (line.size() > MaxSide) {
            return Fail(lineNumber,
                        "row has " + std::to_string(line.size()) + " squares, at most 30 are allowed", error);
        }
        if (!rows_.empty() && line.size() != rows_.front().size()) {
            return Fail(lineNumber,
                        "row has " + std::to_string(line.size()) + " squares, the first row has " +
                            std::to_string(rows_.front().size()),
                        error);
        }
        if (rows_.size() == MaxSide) {
            return Fail(lineNumber, "more than 30 rows", error);
        }
        rows_.emplace_back(line);
    }
    if (rows_.empty()) {
        return Fail(1, "the file must begin with the grid: rows of 'X' (square) and '.' (hole)", error);
    }
    if (next < lines.size()) {
        ++next;  // the line that ended the grid is never a key line
    }
    return true;
}

// KEY: VALUE, '#' starting a comment. Spaces and tabs in the value are dropped, and so is every ':'.
bool LevelFile::ReadKeyLine(std::string_view line, int lineNumber, std::string& error) {
    line = line.substr(0, line.find('#'));
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
        return IsBlank(line) ||
               Fail(lineNumber, "expected KEY: VALUE, found '" + Printable(line) + "'", error);
    }
    const std::string_view key = line.substr(0, colon);
    if (key.empty()) {
        return true;
    }
    std::string value;
    for (const char c : line.substr(colon + 1)) {
        if (c != ' ' && c != '\t' && c != ':') {
            value += c;
        }
    }
    Setting setting{0, value, lineNumber};
    if (key == PetsKey) {
        CellGenerator pets;
        std::string problem;
        if (value.empty() || !pets.SetPets(value, problem)) {
            return Fail(lineNumber, value.empty() ? "CELLS_NORMAL names no pet" : Printable(problem), error);
        }
    } else if (const NumberKey* rule = FindNumberKey(key)) {
        const std::optional<int64_t> number = ReadWholeNumber(value, rule->min, rule->max);
        if (!number) {
            return Fail(lineNumber,
                        std::string(rule->key) + " must be " + WholeNumberRange(rule->min, rule->max) +
                            ", not '" + Printable(value) + "'",
                        error);
        }
        setting.number = static_cast<int32_t>(*number);
    } else {
        return Fail(lineNumber, "unknown key '" + Printable(key) + "'; the keys are " + KeyList(), error);
    }
    settings_[std::string(key)] = setting;
    return true;
}

bool LevelFile::Fail(int line, const std::string& message, std::string& error) const {
    error = (line > 0 ? Where(line) : fileName_) + ": " + message;
    return false;
}

const LevelFile::Setting* LevelFile::Find(const std::string& key) const {
    const auto entry = settings_.find(key);
    return entry == settings_.end() ? nullptr : &entry->second;
}

int32_t LevelFile::NumberOr(const std::string& key, int32_t fallback) const {
    const Setting* setting = Find(key);
    return setting != nullptr ? setting->number : fallback;
}

std::string LevelFile::Printable(std::string_view text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            shown += std::string("\\x") + digits[byte >> 4] + digits[byte & 15];
        } else {
            shown += c;
        }
    }
    return shown;
}
