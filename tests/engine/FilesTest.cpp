#include <gtest/gtest.h>

#include <filesystem>

#include "engine/Files.h"

namespace {

TEST(FilesTest, GameNamesAreLowerCasedAndJoinedToTheExecutablesFolder) {
    const std::string saved = GetExecutableDirectory();
    EXPECT_EQ(saved, std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
    const struct {
        const char* directory;
        const char* gameName;
        const char* expected;
    } cases[] = {
        {"/opt/tandolo", "\\data\\x.png", "/opt/tandolo/data/x.png"},  // a leading separator is skipped
        {"/opt/tandolo", "/data/x.png", "/opt/tandolo/data/x.png"},
        {"/opt/tandolo", ":data/x.png", "/opt/tandolo/data/x.png"},
        {"/opt/tandolo", "data/gfx\\menu/b.png", "/opt/tandolo/data/gfx/menu/b.png"},
        {"/home/Player/My Games", "Data\\GFX\\B.PNG", "/home/Player/My Games/data/gfx/b.png"},
        {"/opt/tandolo", "C:\\Games\\X.png", "C:/Games/X.png"},  // a drive path is kept as written
        {"/opt/tandolo/", "a.png", "/opt/tandolo/a.png"},
        {"/", "a.png", "/a.png"},
    };
    for (const auto& c : cases) {
        SetExecutableDirectory(c.directory);
        EXPECT_EQ(MakeFilePath(c.gameName), c.expected) << c.directory << " + " << c.gameName;
    }
    SetExecutableDirectory(saved);
}

}  // namespace
