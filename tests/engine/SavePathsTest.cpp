#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/Files.h"
#include "engine/SavePaths.h"
#include "flow/SettingsFile.h"
#include "support/GLTestWindow.h"

namespace {

TEST(SavePathsTest, XdgSaveFolderComesFromXdgDataHomeElseHome) {
    const struct {
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    } cases[] = {
        {"/data/me", "/home/me", "/data/me/tandolo"},
        {nullptr, "/home/me", "/home/me/.local/share/tandolo"},
        {"", "/home/me", "/home/me/.local/share/tandolo"},
        {"relative/data", "/home/me", "/home/me/.local/share/tandolo"},  // ignored, as XDG says
        {"/data/me", nullptr, "/data/me/tandolo"},
        {nullptr, nullptr, ""},  // nowhere: the working directory
        {nullptr, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(XdgSaveDirectory(c.xdgDataHome, c.home), c.expected)
            << (c.xdgDataHome ? c.xdgDataHome : "(unset)") << ", " << (c.home ? c.home : "(unset)");
    }
}

TEST(SavePathsTest, DataIsBesideTheExecutableInTheBuildAndUnderShareWhenInstalled) {
    TempDir dir;
    const std::string root = dir.Path();
    std::filesystem::create_directories(root + "/build/data");
    std::filesystem::create_directories(root + "/usr/bin");
    std::filesystem::create_directories(root + "/usr/share/tandolo/data");
    std::filesystem::create_directories(root + "/lonely/bin");
    EXPECT_EQ(FindDataDirectory(root + "/build"), root + "/build");
    EXPECT_EQ(FindDataDirectory(root + "/usr/bin"), root + "/usr/share/tandolo");
    // Neither layout: the executable's folder, so the error names data/ beside it.
    EXPECT_EQ(FindDataDirectory(root + "/lonely/bin"), root + "/lonely/bin");
}

// An installed layout in a temporary prefix: the settings go to the XDG folder, made on the first
// save, and a folder that cannot be made is named.
TEST(SavePathsTest, InstalledSettingsGoToTheXdgFolderMadeOnFirstSave) {
    TempDir dir;
    std::filesystem::create_directories(dir.File("prefix/bin"));
    std::filesystem::create_directories(dir.File("prefix/share/tandolo/data"));
    const std::string savedDirectory = GetExecutableDirectory();
    SetExecutableDirectory(dir.File("prefix/bin"));
    setenv("XDG_DATA_HOME", dir.File("xdg").c_str(), 1);
    const std::string folder = dir.File("xdg/tandolo");
    EXPECT_EQ(MakeFilePath("levels/level1-1.txt"), dir.File("prefix/share/tandolo/levels/level1-1.txt"));
    EXPECT_EQ(SavePath("world.dat"), folder + "/world.dat");
    Settings settings;
    std::string error;
    EXPECT_TRUE(SettingsFile::Read(SettingsFileName, settings, error)) << error;
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_TRUE(SettingsFile::Write(SettingsFileName, settings, error)) << error;
    EXPECT_EQ(std::filesystem::file_size(folder + "/options.dat"), SettingsFile::Size);

    setenv("XDG_DATA_HOME", dir.File("xdg/tandolo/options.dat").c_str(), 1);  // a file, not a folder
    EXPECT_FALSE(SettingsFile::Write(SettingsFileName, settings, error));
    EXPECT_NE(error.find(folder + "/options.dat/tandolo"), std::string::npos) << error;
    unsetenv("XDG_DATA_HOME");  // the test program runs without it
    SetExecutableDirectory(savedDirectory);
}

}  // namespace
