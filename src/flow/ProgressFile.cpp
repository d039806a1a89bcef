#include "flow/ProgressFile.h"

#include "flow/SaveFileBytes.h"

ProgressFile ProgressFile::Parse(std::string_view bytes) {
    ProgressFile progress;
    progress.entries_[0] = static_cast<int32_t>(SaveFileBytes::Uint32At(bytes, 0, 0));
    for (int world = 1; world <= Worlds; ++world) {
        const auto entry = static_cast<int32_t>(SaveFileBytes::Uint32At(bytes, 4 * size_t(world), 0));
        // An entry outside 0..5 is damage, not a stage: read as locked rather than starting a
        // level that does not exist. Writing the file back then repairs it.
        progress.entries_[world] = entry >= 0 && entry <= Stages ? entry : 0;
    }
    return progress;
}

bool ProgressFile::Read(const std::string& path, std::string& error) {
    std::string bytes;
    bool missing = false;
    const bool read = SaveFileBytes::ReadHead(path, Size, bytes, missing, error);
    *this = Parse(bytes);
    missing_ = missing;
    return read;
}

bool ProgressFile::Save(const std::string& path, int world, int stage, std::string& error) {
    if (world < 1 || world > Worlds || stage < 1 || stage > Stages) {
        error =
            path + ": no world " + std::to_string(world) + " stage " + std::to_string(stage) + " to record";
        return false;
    }
    ProgressFile progress;
    if (!progress.Read(path, error)) {
        error += "; the progress was not saved";
        return false;
    }
    progress.entries_[world] = stage;
    return SaveFileBytes::Replace(path, progress.Bytes(), error);
}

std::string ProgressFile::Bytes() const {
    std::string bytes;
    for (int32_t entry : entries_) {
        SaveFileBytes::AppendUint32(bytes, static_cast<uint32_t>(entry));
    }
    return bytes;
}

ProgressFile::WorldChoice ProgressFile::ForWorldChoice() const {
    WorldChoice choice;
    for (int world = 1; world <= Worlds; ++world) {
        if (entries_[world] != 0) {
            choice.lastWorld = world;
        }
    }
    // Every world up to the last one reached is open, even one whose own entry is 0 (a world
    // skipped by a direct start): it starts at stage 1 rather than at a stage 0 that has no level.
    for (int world = 1; world <= choice.lastWorld; ++world) {
        choice.startStage[world] = entries_[world] != 0 ? entries_[world] : 1;
    }
    return choice;
}
