#include "flow/SettingsFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "flow/SaveFileBytes.h"

namespace {

constexpr size_t SoundOffset = 0;
constexpr size_t MusicOffset = 4;
constexpr size_t FullScreenOffset = 8;
constexpr size_t TutorialsOffset = 9;

float UsableVolume(float volume, float fallback) {
    return std::isfinite(volume) ? std::clamp(volume, 0.0f, 1.0f) : fallback;
}

float VolumeAt(std::string_view bytes, size_t offset, float fallback) {
    const uint32_t bits = SaveFileBytes::Uint32At(bytes, offset, std::bit_cast<uint32_t>(fallback));
    return UsableVolume(std::bit_cast<float>(bits), fallback);
}

bool FlagAt(std::string_view bytes, size_t offset, bool fallback) {
    return offset < bytes.size() ? bytes[offset] != 0 : fallback;
}

}  // namespace

Settings SettingsFile::Parse(std::string_view bytes) {
    const Settings defaults;
    Settings settings;
    settings.soundVolume = VolumeAt(bytes, SoundOffset, defaults.soundVolume);
    settings.musicVolume = VolumeAt(bytes, MusicOffset, defaults.musicVolume);
    settings.fullScreen = FlagAt(bytes, FullScreenOffset, defaults.fullScreen);
    settings.tutorialsOn = FlagAt(bytes, TutorialsOffset, defaults.tutorialsOn);
    return settings;
}

bool SettingsFile::Read(const std::string& path, Settings& settings, std::string& error) {
    std::string bytes;
    bool missing = false;
    const bool read = SaveFileBytes::ReadHead(path, Size, bytes, missing, error);
    settings = Parse(bytes);
    return read;
}

bool SettingsFile::Write(const std::string& path, const Settings& settings, std::string& error) {
    return SaveFileBytes::Replace(path, Bytes(settings), error);
}

std::string SettingsFile::Bytes(const Settings& settings) {
    const Settings defaults;
    std::string bytes;
    SaveFileBytes::AppendUint32(
        bytes, std::bit_cast<uint32_t>(UsableVolume(settings.soundVolume, defaults.soundVolume)));
    SaveFileBytes::AppendUint32(
        bytes, std::bit_cast<uint32_t>(UsableVolume(settings.musicVolume, defaults.musicVolume)));
    bytes.push_back(settings.fullScreen ? 1 : 0);
    bytes.push_back(settings.tutorialsOn ? 1 : 0);
    return bytes;
}
