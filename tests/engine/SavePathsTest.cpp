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

// An installed layout in a temporary prefix; the real executable folder comes back afterwards.
class InstalledSavesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_.File("prefix/bin"));
        std::filesystem::create_directories(dir_.File("prefix/share/tandolo/data"));
        SetExecutableDirectory(dir_.File("prefix/bin"));
        const char* xdg = std::getenv("XDG_DATA_HOME");
        hadXdg_ = xdg != nullptr;
        savedXdg_ = hadXdg_ ? xdg : "";
        setenv("XDG_DATA_HOME", dir_.File("xdg/data").c_str(), 1);
    }
    void TearDown() override {
        SetExecutableDirectory(savedDirectory_);
        if (hadXdg_) {
            setenv("XDG_DATA_HOME", savedXdg_.c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
    }

    TempDir dir_;
    std::string savedDirectory_ = GetExecutableDirectory();
    bool hadXdg_ = false;
    std::string savedXdg_;
};

TEST_F(InstalledSavesTest, SettingsGoToTheXdgFolderMadeOnFirstSave) {
    ASSERT_TRUE(IsRunningInstalled());
    EXPECT_EQ(MakeFilePath("levels/level1-1.txt"), dir_.File("prefix/share/tandolo/levels/level1-1.txt"));
    const std::string folder = dir_.File("xdg/data/tandolo");
    EXPECT_EQ(SavePath("world.dat"), folder + "/world.dat");
    EXPECT_EQ(SavePath("/elsewhere/world.dat"), "/elsewhere/world.dat");

    Settings settings;
    std::string error;
    ASSERT_TRUE(SettingsFile::Read(SettingsFileName, settings, error)) << error;  // no folder yet
    EXPECT_FALSE(std::filesystem::exists(folder));
    settings.musicVolume = 0.5f;
    ASSERT_TRUE(SettingsFile::Write(SettingsFileName, settings, error)) << error;
    EXPECT_EQ(std::filesystem::file_size(folder + "/options.dat"), SettingsFile::Size);
    Settings reread;
    ASSERT_TRUE(SettingsFile::Read(SettingsFileName, reread, error)) << error;
    EXPECT_EQ(reread.musicVolume, 0.5f);
}

TEST_F(InstalledSavesTest, AFolderThatCannotBeMadeIsReportedWithItsName) {
    std::ofstream(dir_.File("xdg")) << "a file where the folder should be";
    Settings settings;
    std::string error;
    EXPECT_FALSE(SettingsFile::Write(SettingsFileName, settings, error));
    EXPECT_NE(error.find(dir_.File("xdg/data/tandolo")), std::string::npos) << error;
}

}  // namespace
