#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

#include "engine/SafeFileWrite.h"
#include "support/GLTestWindow.h"

namespace fs = std::filesystem;

namespace {

std::string Contents(const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// A disk that fills up mid-write, made real by a file size limit below the new contents.
bool ReplaceWithFileSizeLimit(const std::string& path, std::string_view bytes, std::string& error) {
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small{4, saved.rlim_max};
    const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool replaced = ReplaceFileContents(path, bytes, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedSignal);
    return replaced;
}

// A refused or failed replacement leaves what was there as it was, gives the reason and leaves
// no temporary file behind; a done one keeps the old file's permissions.
TEST(SafeFileWriteTest, ReplacesWholeOrNotAtAll) {
    TempDir dir;
    std::string error;
    ASSERT_TRUE(ReplaceFileContents(dir.File("file"), "old", error) &&
                mkfifo(dir.File("fifo").c_str(), 0600) == 0);
    fs::create_directory(dir.File("folder"));
    EXPECT_FALSE(ReplaceFileContents(dir.File("folder"), "new", error));
    EXPECT_EQ(error, "is a folder, not a file");
    EXPECT_FALSE(ReplaceFileContents(dir.File("fifo"), "new", error));
    EXPECT_EQ(error, "is not a regular file");
    EXPECT_FALSE(ReplaceFileContents(dir.File("absent/file"), "new", error));
    EXPECT_EQ(error, "cannot create a file in " + dir.File("absent") + ": No such file or directory");
    EXPECT_FALSE(ReplaceWithFileSizeLimit(dir.File("file"), "new and longer", error));
    EXPECT_EQ(error, "cannot write: File too large");
    EXPECT_EQ(Contents(dir.File("file")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3);

    fs::permissions(dir.File("file"), fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(ReplaceFileContents(dir.File("file"), std::string("n\0w", 3), error)) << error;
    EXPECT_EQ(Contents(dir.File("file")), std::string("n\0w", 3));
    EXPECT_EQ(fs::status(dir.File("file")).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
