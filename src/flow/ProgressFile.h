#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The player's progress, "world.dat": 9 little-endian signed 32-bit entries indexed by world.
// Entry 0 is not used and is written back as it was read; entry w is 0 while world w is
// locked, else the stage (1 to 5) a game in world w starts at.
class ProgressFile {
public:
    static constexpr int Worlds = 8;
    static constexpr int Stages = 5;
    static constexpr size_t Size = 4 * (Worlds + 1);

    // What the world choice shows: the worlds up to lastWorld are open, and a game in world w
    // starts at startStage[w] (1 to 5 for the open worlds, 0 for the locked ones).
    struct WorldChoice {
        int lastWorld = 1;
        std::array<int, Worlds + 1> startStage{};
    };

    // The file's bytes: a short file gives 0 for the entries it does not hold whole, and bytes
    // beyond the record are ignored.
    static ProgressFile Parse(std::string_view bytes);
    // The file at path; a missing file reads as 9 zeros with Missing() set. false, with the
    // path and the reason in error, when it is there but cannot be read; the entries are then 0.
    bool Read(const std::string& path, std::string& error);
    // Sets entry world of the file at path to stage, keeping every other entry as read, and
    // replaces the file whole. Refused (false, with why in error, nothing written) for a world
    // or stage out of range, or a file that is there but cannot be read, which would be lost.
    static bool Save(const std::string& path, int world, int stage, std::string& error);

    bool Missing() const { return missing_; }
    int32_t Entry(int index) const { return entries_.at(static_cast<size_t>(index)); }
    // The 36 bytes of the record.
    std::string Bytes() const;
    WorldChoice ForWorldChoice() const;

private:
    std::array<int32_t, Worlds + 1> entries_{};
    bool missing_ = false;
};
