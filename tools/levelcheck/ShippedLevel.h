#pragma once

#include <array>
#include <string>
#include <vector>

#include "flow/LevelFile.h"

// One of the game's own level files, read by the game's reader and held to the stricter rules of
// a level that ships: it sets every key, so it plays the same whether the player reached it from
// the level before or chose it from the world map, and it has none of the faults that could keep a
// player from winning it (a square no set can reach, bubbles that no soap comes to free).
class ShippedLevel {
public:
    // The keys every shipped level sets; the seven item chances last, in the order of their types.
    static constexpr std::array<const char*, 14> RequiredKeys = {
        "TIME",        "TIMEVIRUS",  "SCALE",          "CELLS_NORMAL", "PROB_STAR",
        "PROB_BUBBLE", "PROB_VIRUS", "PROB_CLOCK",     "PROB_VACCINE", "PROB_SOAP",
        "PROB_NOPET",  "PROB_SPOON", "PROB_SANDCLOCK", "PROB_EDDY"};
    static constexpr size_t FirstItemKey = 7;

    // Reads and checks the file at path. Every problem found is added to problems as
    // "file:line: ..."; false when there was any.
    bool Load(const std::string& path, std::vector<std::string>& problems);

    // Whether the game's reader took the file; the rest describes it only then.
    bool WasRead() const { return read_; }
    const LevelFile& File() const { return file_; }
    int Columns() const;
    int Rows() const { return static_cast<int>(file_.Rows().size()); }
    int Squares() const;
    int Number(const char* key) const { return file_.NumberOr(key, 0); }
    int ItemChanceSum() const;

private:
    void CheckKeys(std::vector<std::string>& problems) const;
    void CheckChances(std::vector<std::string>& problems) const;
    void CheckFit(std::vector<std::string>& problems) const;
    void CheckEverySquareCanClear(std::vector<std::string>& problems) const;
    int LineOf(const char* key) const;

    LevelFile file_;
    bool read_ = false;
};
