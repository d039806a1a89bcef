#include "engine/Files.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = GetExecutableDirectory(); }
    void TearDown() override { SetExecutableDirectory(saved_); }

    std::string saved_;
};

TEST_F(FilesTest, ExecutableDirectoryIsTheRunningProgramsFolder) {
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(GetExecutableDirectory(), exe.parent_path().string());
    EXPECT_NE(GetExecutableDirectory().back(), '/');
}

TEST_F(FilesTest, LeadingSeparatorIsSkipped) {
    SetExecutableDirectory("/opt/tandolo");
    EXPECT_EQ(MakeFilePath("\\data\\x.png"), "/opt/tandolo/data/x.png");
    EXPECT_EQ(MakeFilePath("data\\x.png"), "/opt/tandolo/data/x.png");
    EXPECT_EQ(MakeFilePath("/data/x.png"), "/opt/tandolo/data/x.png");
    EXPECT_EQ(MakeFilePath(":data/x.png"), "/opt/tandolo/data/x.png");
}

TEST_F(FilesTest, BothSeparatorsBecomeSlashes) {
    SetExecutableDirectory("/opt/tandolo");
    EXPECT_EQ(MakeFilePath("data/gfx\\menu/buttons.png"), "/opt/tandolo/data/gfx/menu/buttons.png");
}

TEST_F(FilesTest, OnlyTheGamePartIsLowerCased) {
    SetExecutableDirectory("/home/Player/My Games/Tandolo");
    EXPECT_EQ(MakeFilePath("Data\\GFX\\Menu\\Buttons.PNG"),
              "/home/Player/My Games/Tandolo/data/gfx/menu/buttons.png");
}

TEST_F(FilesTest, DrivePathIsKeptAsWritten) {
    SetExecutableDirectory("/opt/tandolo");
    EXPECT_EQ(MakeFilePath("C:\\Games\\X.png"), "C:/Games/X.png");
}

TEST_F(FilesTest, TrailingSeparatorOfTheDirectoryIsNotDoubled) {
    SetExecutableDirectory("/opt/tandolo/");
    EXPECT_EQ(GetExecutableDirectory(), "/opt/tandolo");
    EXPECT_EQ(MakeFilePath("a.png"), "/opt/tandolo/a.png");
    SetExecutableDirectory("/");
    EXPECT_EQ(MakeFilePath("a.png"), "/a.png");
}

}  // namespace
