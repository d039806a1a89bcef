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

std::string Pattern(size_t size, char seed) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>(seed + i % 23);
    }
    return data;
}

class EngineFileTest : public ::testing::Test {
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
        fs::path path = dir_.File(relative);
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << data;
    }
    void Mount(const TarWriter& tar, const std::string& name = "tandolo.dat") {
        tar.Save(dir_.File(name));
        ASSERT_EQ(MountArchive(dir_.File(name)), FileOk);
    }
    // The whole file, or its result code in angle brackets.
    static std::string ReadAll(const std::string& path) {
        std::vector<uint8_t> bytes;
        const int result = ReadWholeFile(path, bytes);
        return result == FileOk ? std::string(bytes.begin(), bytes.end())
                                : "<" + std::to_string(result) + ">";
    }
    static std::string Read(const std::string& gameName) { return ReadAll(MakeFilePath(gameName)); }

    TempDir dir_;
    std::string savedDirectory_;
};

TEST_F(EngineFileTest, LookupsGoThroughTheArchivesInMountOrderThenTheDisk) {
    EXPECT_EQ(MountArchive(dir_.File("absent.dat")), FileNotFound);
    const std::string longName(100, 'n');
    TarWriter first;
    first.Add("data/gfx/Logo.PNG", "archive logo");
    first.Add(longName, "hundred");
    first.Add("ab", "short");
    first.Add("a.bin", Pattern(513, 'a'));
    first.Add("b.bin", Pattern(512, 'b'));
    first.Add("empty.bin", "");
    first.Add("c.bin", "last");
    first.Add("data/both.png", "first");
    first.Add("data/x.png", "", '5');  // a folder
    first.Add("data/link.png", "", '2');
    first.Add("data/old.png", "old style", '\0');
    first.End();
    Mount(first, "first.dat");
    Mount(Tar({{"data/both.png", "second"}, {"data/second.png", "only second"}}), "second.dat");
    for (const char* name : {"data/x.png", "data/both.png", "data/diskonly.png", "empty.png"}) {
        WriteDiskFile(name, std::string(name) == "empty.png" ? "" : std::string("disk ") + name);
    }

    const std::pair<std::string, std::string> cases[] = {
        {"data\\gfx\\logo.png", "archive logo"},  // either case, either separator
        {longName, "hundred"},
        {longName + "x", "<104>"},  // only whole names match
        {"a", "<104>"},
        {"abc", "<104>"},
        {"b.bin", Pattern(512, 'b')},  // after 513 bytes padded to two blocks
        {"a.bin", Pattern(513, 'a')},
        {"c.bin", "last"},
        {"empty.bin", "<106>"},  // empty files are never read
        {"empty.png", "<106>"},
        {"data/x.png", "disk data/x.png"},  // only regular entries are files
        {"data/link.png", "<104>"},
        {"data/old.png", "old style"},
        {"data/both.png", "first"},
        {"data/second.png", "only second"},
        {"data/diskonly.png", "disk data/diskonly.png"},
        {"data/nowhere.png", "<104>"},
        {"data", "<104>"},  // a folder is not a file
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(Read(name), expected) << name;
    }
    // Messages about a file name where it came from; a file over the caller's limit is not read.
    std::vector<uint8_t> bytes;
    std::string source;
    ASSERT_EQ(ReadWholeFile(MakeFilePath("data/second.png"), bytes, MaxWholeFileSize, &source), FileOk);
    EXPECT_EQ(source, dir_.File("second.dat") + ": data/second.png");
    ASSERT_EQ(ReadWholeFile(MakeFilePath("data/diskonly.png"), bytes, MaxWholeFileSize, &source), FileOk);
    EXPECT_EQ(source, MakeFilePath("data/diskonly.png"));
    EXPECT_EQ(ReadWholeFile(MakeFilePath("data/diskonly.png"), bytes, 3), FileReadFailed);
    // A folder that only shares a prefix with the executable's is not cut to "data/both.png".
    const std::string sibling = dir_.Path() + "-data";
    fs::create_directories(sibling);
    std::ofstream(sibling + "/both.png") << "sibling";
    EXPECT_EQ(ReadAll(sibling + "/both.png"), "sibling");
    fs::remove_all(sibling);
}

TEST_F(EngineFileTest, AnOpenEntryReadsOnlyItsOwnBytesWhateverElseUsesTheArchive) {
    Mount(Tar({{"one.bin", "0123456789"}, {"two.bin", "NEXT ENTRY"}}));
    EngineFile one;
    EngineFile two;
    char buffer[8] = {};
    ASSERT_EQ(one.Open(MakeFilePath("one.bin")), FileOk);
    EXPECT_EQ(one.Open(MakeFilePath("one.bin")), FileNotOpen);  // already open
    ASSERT_EQ(two.Open(MakeFilePath("two.bin")), FileOk);
    EXPECT_EQ(one.Seek(SeekEnd, 3), FileOk);  // entries count back from their end
    EXPECT_EQ(one.Tell(), 7);
    ASSERT_EQ(two.Read(buffer, 4), FileOk);  // moves the shared handle
    ASSERT_EQ(one.Read(buffer, 3), FileOk);
    EXPECT_EQ(std::string(buffer, 3), "789");
    EXPECT_EQ(one.Read(buffer, 1), FileReadFailed);  // never into the next entry
    ASSERT_EQ(one.Seek(SeekStart, 600), FileOk);
    EXPECT_EQ(one.Read(buffer, 1), FileReadFailed);
    EXPECT_EQ(one.Seek(SeekStart, -1), FileUnsupported);
    one.Close();  // leaves the archive open for the others
    EXPECT_EQ(one.Read(buffer, 1), FileNotOpen);
    ASSERT_EQ(two.Read(buffer, 6), FileOk);
    EXPECT_EQ(std::string(buffer, 6), " ENTRY");
}

// Damaged or hostile data files: nothing a header claims is believed before it is checked
// against the file, every message names the file, and nothing blocks on a file that is not one.
TEST_F(EngineFileTest, ArchiveEntriesPastTheEndAreRefusedNamingTheArchiveAndTheDiskFillsIn) {
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

// A FIFO would block a plain open until something writes to it: the game would hang at start.
TEST_F(EngineFileTest, OnlyRegularFilesAreOpenedAndEachOtherKindIsNamed) {
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
