#pragma once

#include <string>
#include <string_view>

// Where the settings are kept, beside the progress.
constexpr const char* SettingsFileName = "options.dat";

// The settings of the options screen, with the values a first start uses.
struct Settings {
    float soundVolume = 1.0f;
    float musicVolume = 0.3f;
    bool fullScreen = false;
    bool tutorialsOn = true;
};

// "options.dat", 10 bytes: sound volume and music volume (little-endian 32-bit floats), the
// full-screen byte and the tutorials byte.
class SettingsFile {
public:
    static constexpr size_t Size = 10;

    // The file's bytes. A short file keeps the defaults for what it does not hold; volumes are
    // clamped to 0..1, and one that is not a number or infinite takes its default.
    static Settings Parse(std::string_view bytes);
    // The file at path; a missing file gives the defaults. false, with the path and the reason
    // in error, when it is there but cannot be read; settings then holds the defaults.
    static bool Read(const std::string& path, Settings& settings, std::string& error);
    // Replaces the file whole, so a failed write leaves the old settings; false with why.
    static bool Write(const std::string& path, const Settings& settings, std::string& error);
    // The 10 bytes of the record, volumes clamped as Parse would read them.
    static std::string Bytes(const Settings& settings);
};
