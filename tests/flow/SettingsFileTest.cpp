#include <gtest/gtest.h>

#include <filesystem>

#include "flow/SettingsFile.h"
#include "support/GLTestWindow.h"

namespace {

// Volumes out of range are clamped, ones that are no number take their default, and a short
// file keeps the defaults for what it does not hold. The first is sound 0.5, music 0.3, full
// screen, tutorials off.
TEST(SettingsFileTest, BytesOddValuesAndShortFiles) {
    const struct {
        std::string bytes;
        float sound, music;
        bool fullScreen, tutorials;
    } cases[] = {
        {std::string("\0\0\0\x3F\x9A\x99\x99\x3E\1\0", 10), 0.5f, 0.3f, true, false},
        {"", 1.0f, 0.3f, false, true},
        {std::string("\0\0\xC0\x3F\0\0\0\xBF\2\7", 10), 1.0f, 0.0f, true, true},      // 1.5, -0.5
        {std::string("\0\0\xC0\x7F\0\0\x80\x7F\0\0", 10), 1.0f, 0.3f, false, false},  // NaN, inf
        {std::string("\0\0\x80\xFF\0\0\x80", 7), 1.0f, 0.3f, false, true},            // -inf, cut short
    };
    for (const auto& c : cases) {
        const Settings settings = SettingsFile::Parse(c.bytes);
        EXPECT_EQ(
            std::tuple(settings.soundVolume, settings.musicVolume, settings.fullScreen, settings.tutorialsOn),
            std::tuple(c.sound, c.music, c.fullScreen, c.tutorials))
            << c.bytes.size() << " bytes";
    }
    EXPECT_EQ(SettingsFile::Bytes(SettingsFile::Parse(cases[0].bytes)), cases[0].bytes);
}

TEST(SettingsFileTest, WrittenWholeAndReadBack) {
    TempDir dir;
    const Settings settings{0.25f, 0.75f, true, false};
    Settings read;
    std::string error;
    ASSERT_TRUE(SettingsFile::Write(dir.File("options.dat"), settings, error)) << error;
    ASSERT_TRUE(SettingsFile::Read(dir.File("options.dat"), read, error));
    EXPECT_EQ(SettingsFile::Bytes(read), SettingsFile::Bytes(settings));
    EXPECT_EQ(std::filesystem::file_size(dir.File("options.dat")), SettingsFile::Size);
    EXPECT_FALSE(SettingsFile::Read(dir.Path(), read, error));
    EXPECT_EQ(error, dir.Path() + ": is not a regular file");
}

}  // namespace
