#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A level file read whole and checked: its grid and the values of its keys, each with the line
// it came from. Reading touches nothing of the game, so a fault on any line leaves the game as
// it was and nothing half-read is ever used.
class LevelFile {
public:
    static constexpr int MaxSide = 30;
    static constexpr size_t MaxLineLength = 99;
    static constexpr size_t MaxFileSize = 64 * 1024;

    // One key's value and the line that gave it (the last one: a key given twice takes the last).
    struct Setting {
        int32_t number = 0;
        std::string text;  // CELLS_NORMAL's letters
        int line = 0;
    };

    // Reads the regular file at path (the name messages use). false with "path:line: ..." in error.
    bool Load(const std::string& path, std::string& error);
    // Reads text as the file named fileName. false with "fileName:line: ..." in error.
    bool Parse(std::string_view text, const std::string& fileName, std::string& error);

    // The rows of the grid, top first: '.' a hole, any other character a square to clear.
    const std::vector<std::string>& Rows() const { return rows_; }
    // The key's setting, or null when the file does not give it.
    const Setting* Find(const std::string& key) const;
    // The number of a key, or fallback when the file does not give it.
    int32_t NumberOr(const std::string& key, int32_t fallback) const;
    // "file:line", for messages about what a line set (a grid too large at its SCALE, say).
    std::string Where(int line) const { return fileName_ + ":" + std::to_string(line); }
    int LineCount() const { return lineCount_; }

    // The text with control characters and bytes outside ASCII written as \xNN, for messages.
    static std::string Printable(std::string_view text);

private:
    bool ReadGrid(const std::vector<std::string_view>& lines, size_t& next, std::string& error);
    bool ReadKeyLine(std::string_view line, int lineNumber, std::string& error);
    bool Fail(int line, const std::string& message, std::string& error) const;

    std::string fileName_;
    std::vector<std::string> rows_;
    std::map<std::string, Setting> settings_;
    int lineCount_ = 0;
};
