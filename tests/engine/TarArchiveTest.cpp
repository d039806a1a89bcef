#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "engine/EngineFile.h"
#include "engine/Files.h"
#include "engine/TarArchive.h"
#include "support/GLTestWindow.h"
#include "support/TarWriter.h"

namespace fs = std::filesystem;

namespace {

// Damaged or hostile data files: nothing a header claims is believed before it is checked
// against the file, every message names the file, and nothing blocks on a file that is not one.
class DamagedFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedDirectory_ = GetExecutableDirectory();
        SetExecutableDirectory(dir_.Path());
        UnmountAllArchives();
    }
    void TearDown() override {
        UnmountAllArchives();
        SetExecutableDirectory(savedDirectory_);
    }
    void WriteDiskFile(const std::string& relative, const std::string& data) {
        const fs::path path = dir_.File(relative);
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << data;
    }
    static std::string Read(const std::string& gameName) {
        std::vector<uint8_t> bytes;
        const int result = ReadWholeFile(MakeFilePath(gameName), bytes);
        return result == FileOk ? std::string(bytes.begin(), bytes.end())
                                : "<" + std::to_string(result) + ">";
    }

    TempDir dir_;
    std::string savedDirectory_;
};

TEST_F(DamagedFilesTest, ArchiveEntriesPastTheEndAreRefusedNamingTheArchiveAndTheDiskFillsIn) {
    struct Case {
        const char* what;
        void (*damage)(TarWriter&);
        const char* warning;
    };
    const Case cases[] = {
        {"size field of 8 GB",
         [](TarWriter& tar) {
             tar.AddRaw("after.png", "data", "77777777777", '0');
             tar.Add("later.png", "never reached");
         },
         "claims 8589934591 bytes"},
        {"entry cut short",
         [](TarWriter& tar) {
             tar.Add("after.png", std::string(3000, 'c'));
             tar.Truncate(1024 + 1000);
         },
         "claims 3000 bytes"},
        {"size field not a number",
         [](TarWriter& tar) {
             tar.AddRaw("after.png", "data", "12x4", '0');
             tar.Add("later.png", "never reached");
         },
         "damaged header at byte 1024"},
        {"header cut short",
         [](TarWriter& tar) {
             tar.Add("after.png", "archive");
             tar.Truncate(512 + 512 + 100);
         },
         "cut short at byte 1024"},
    };
    WriteDiskFile("after.png", "disk");
    for (const Case& c : cases) {
        TarWriter tar;
        tar.Add("before.png", "ok");
        c.damage(tar);
        tar.Save(dir_.File("tandolo.dat"));
        ::testing::internal::CaptureStderr();
        ASSERT_EQ(MountArchive(dir_.File("tandolo.dat")), FileOk) << c.what;
        const std::string warning = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(warning.find(dir_.File("tandolo.dat")), std::string::npos) << c.what << ": " << warning;
        EXPECT_NE(warning.find(c.warning), std::string::npos) << c.what << ": " << warning;
        EXPECT_EQ(Read("before.png"), "ok") << c.what;
        EXPECT_EQ(Read("after.png"), "disk") << c.what;
        EXPECT_EQ(Read("later.png"), "<104>") << c.what;
        UnmountAllArchives();
    }
}

TEST_F(DamagedFilesTest, AnEntryNamesItsArchiveAsItsSource) {
    TarWriter tar = Tar({{"data/gfx/logo.png", "archive logo"}});
    tar.Save(dir_.File("tandolo.dat"));
    ASSERT_EQ(MountArchive(dir_.File("tandolo.dat")), FileOk);
    WriteDiskFile("data/disk.png", "disk");
    std::vector<uint8_t> bytes;
    std::string source;
    ASSERT_EQ(ReadWholeFile(MakeFilePath("data/gfx/logo.png"), bytes, MaxWholeFileSize, &source), FileOk);
    EXPECT_EQ(source, dir_.File("tandolo.dat") + ": data/gfx/logo.png");
    ASSERT_EQ(ReadWholeFile(MakeFilePath("data/disk.png"), bytes, MaxWholeFileSize, &source), FileOk);
    EXPECT_EQ(source, MakeFilePath("data/disk.png"));
    EXPECT_EQ(ReadWholeFile(MakeFilePath("data/disk.png"), bytes, 3), FileReadFailed);  // over the limit
}

// A FIFO would block a plain open until something writes to it: the game would hang at start.
TEST_F(DamagedFilesTest, OnlyRegularFilesAreOpenedAndEachOtherKindIsNamed) {
    fs::create_directories(dir_.File("data"));
    ASSERT_EQ(mkfifo(dir_.File("tandolo.dat").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(dir_.File("data/pipe.png").c_str(), 0600), 0);
    EXPECT_EQ(MountArchive(dir_.File("tandolo.dat")), FileNotFound);
    EXPECT_EQ(Read("data/pipe.png"), "<104>");
    WriteDiskFile("big.txt", std::string(100, 'x'));
    const std::pair<std::string, std::string> cases[] = {
        {"data/pipe.png", "is not a regular file"},
        {"data", "is a folder, not a file"},
        {"missing.txt", "No such file or directory"},
        {"big.txt", "is larger than 99 bytes"},
    };
    for (const auto& [name, reason] : cases) {
        std::string contents;
        std::string error;
        EXPECT_FALSE(ReadRegularFile(dir_.File(name), contents, error, 99)) << name;
        EXPECT_EQ(error, reason) << name;
    }
    std::string contents;
    std::string error;
    EXPECT_TRUE(ReadRegularFile(dir_.File("big.txt"), contents, error, 100)) << error;
    EXPECT_EQ(contents.size(), 100u);
}

}  // namespace
