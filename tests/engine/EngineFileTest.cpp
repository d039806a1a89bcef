#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/EngineFile.h"
#include "engine/Files.h"
#include "engine/TarArchive.h"
#include "support/GLTestWindow.h"

namespace fs = std::filesystem;

namespace {

// Writes TAR archives byte by byte, so tests control every header field.
class TarWriter {
public:
    void Add(const std::string& name, const std::string& data, char type = '0') {
        AddRaw(name, data, OctalSize(data.size()), type);
    }
    // sizeField is written as the 12-byte size field (for damaged headers).
    void AddRaw(const std::string& name, const std::string& data, const std::string& sizeField, char type) {
        std::string header(512, '\0');
        const std::pair<size_t, std::string> fields[] = {{0, name.substr(0, 100)},
                                                         {100, "0000644"},
                                                         {108, "0000000"},
                                                         {116, "0000000"},
                                                         {124, sizeField},
                                                         {136, "00000000000"},
                                                         {148, "        "},
                                                         {257, std::string("ustar\0"
                                                                           "00",
                                                                           8)}};
        for (const auto& [offset, field] : fields) {
            header.replace(offset, field.size(), field);
        }
        header[156] = type;
        unsigned sum = 0;
        for (unsigned char c : header) {
            sum += c;
        }
        std::snprintf(&header[148], 8, "%06o", sum);
        bytes_ += header + data;
        bytes_.append((512 - data.size() % 512) % 512, '\0');
    }
    void End() { bytes_.append(1024, '\0'); }
    void Truncate(size_t size) { bytes_.resize(size); }
    void Save(const fs::path& path) const {
        std::ofstream out(path, std::ios::binary);
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }

private:
    static std::string OctalSize(size_t size) {
        char field[12];
        std::snprintf(field, sizeof field, "%011zo", size);
        return std::string(field, 11) + '\0';
    }
    std::string bytes_;
};

// A complete archive of regular files.
TarWriter Tar(std::initializer_list<std::pair<std::string, std::string>> entries) {
    TarWriter tar;
    for (const auto& [name, data] : entries) {
        tar.Add(name, data);
    }
    tar.End();
    return tar;
}

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

TEST_F(EngineFileTest, ArchiveNamesMatchWholeIgnoringCaseAndSeparator) {
    EXPECT_EQ(MountArchive(dir_.File("absent.dat")), FileNotFound);
    EXPECT_TRUE(MountedArchives().empty());
    const std::string longName(100, 'n');
    Mount(Tar({{"data/gfx/Logo.PNG", "archive logo"}, {longName, "hundred"}, {"ab", "short"}}));
    EXPECT_EQ(Read("data\\gfx\\logo.png"), "archive logo");
    long start = 0;
    long size = 0;
    EXPECT_EQ(MountedArchives()[0]->Find("DATA\\GFX\\logo.png", start, size), FileOk);
    EXPECT_EQ(start, 512);
    EXPECT_EQ(size, 12);
    EXPECT_EQ(Read(longName), "hundred");
    for (const std::string& near : {longName + "x", std::string("a"), std::string("abc")}) {
        EXPECT_EQ(Read(near), "<104>") << near;
    }
}

TEST_F(EngineFileTest, EntriesArePaddedToWholeBlocksAndEmptyFilesAreNotRead) {
    Mount(Tar(
        {{"a.bin", Pattern(513, 'a')}, {"b.bin", Pattern(512, 'b')}, {"empty.bin", ""}, {"c.bin", "last"}}));
    long start = 0;
    long size = 0;
    const TarArchive& archive = *MountedArchives()[0];
    ASSERT_EQ(archive.Find("b.bin", start, size), FileOk);
    EXPECT_EQ(start, 512 + 1024 + 512);  // 513 bytes take two blocks
    EXPECT_EQ(size, 512);
    ASSERT_EQ(archive.Find("c.bin", start, size), FileOk);
    EXPECT_EQ(start, 512 + 1024 + 512 + 512 + 512 + 512);
    EXPECT_EQ(Read("a.bin"), Pattern(513, 'a'));
    EXPECT_EQ(Read("b.bin"), Pattern(512, 'b'));
    EXPECT_EQ(Read("c.bin"), "last");
    EXPECT_EQ(Read("empty.bin"), "<106>");
    WriteDiskFile("empty.png", "");
    EXPECT_EQ(Read("empty.png"), "<106>");
}

TEST_F(EngineFileTest, OnlyRegularEntriesAreOpened) {
    TarWriter tar;
    tar.Add("data/x.png", "", '5');
    tar.Add("data/link.png", "", '2');
    tar.Add("data/old.png", "old style", '\0');
    tar.End();
    Mount(tar);
    WriteDiskFile("data/x.png", "from disk");
    EXPECT_EQ(Read("data/x.png"), "from disk");
    EXPECT_EQ(Read("data/link.png"), "<104>");
    EXPECT_EQ(Read("data/old.png"), "old style");
}

TEST_F(EngineFileTest, ArchivesComeBeforeDiskInMountOrder) {
    Mount(Tar({{"data/both.png", "first"}}), "first.dat");
    Mount(Tar({{"data/both.png", "second"}, {"data/second.png", "only second"}}), "second.dat");
    WriteDiskFile("data/both.png", "disk");
    WriteDiskFile("data/diskonly.png", "disk only");
    EXPECT_EQ(Read("data/both.png"), "first");
    EXPECT_EQ(Read("data/second.png"), "only second");
    EXPECT_EQ(Read("data/diskonly.png"), "disk only");
    EXPECT_EQ(Read("data/nowhere.png"), "<104>");
    // A directory that only shares a prefix with the executable's must not be cut off.
    const std::string sibling = dir_.Path() + "-other";
    fs::create_directories(sibling + "/data");
    std::ofstream(sibling + "/data/both.png") << "sibling";
    EXPECT_EQ(ReadAll(sibling + "/data/both.png"), "sibling");
    fs::remove_all(sibling);
}

TEST_F(EngineFileTest, OpenResultCodesAndDiskFileSeeks) {
    WriteDiskFile("d.bin", "abcdefgh");
    WriteDiskFile("folder/inside.txt", "x");
    EngineFile file;
    EXPECT_EQ(file.Open(MakeFilePath("missing.txt")), FileNotFound);
    EXPECT_EQ(file.Open(MakeFilePath("folder")), FileNotFound);
    EXPECT_EQ(file.Open(MakeFilePath("d.bin"), 1001), FileUnsupported);
    ASSERT_EQ(file.Open(MakeFilePath("d.bin")), FileOk);
    EXPECT_EQ(file.Open(MakeFilePath("d.bin")), FileNotOpen);
    EXPECT_EQ(file.Seek(SeekEnd, -2), FileOk);  // disk files move from the end by the offset
    EXPECT_EQ(file.Tell(), 6);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 3), FileReadFailed);  // only two bytes left
    ASSERT_EQ(file.Seek(SeekStart, 1), FileOk);
    ASSERT_EQ(file.Read(buffer, 2), FileOk);
    EXPECT_EQ(std::string(buffer, 2), "bc");
    file.Close();
    EXPECT_EQ(file.Read(buffer, 1), FileNotOpen);
    EXPECT_EQ(file.Seek(SeekStart, 0), FileNotOpen);
}

TEST_F(EngineFileTest, SeeksAndReadsStayInsideAnArchiveEntry) {
    Mount(Tar({{"first.bin", "0123456789"}, {"second.bin", "NEXT ENTRY"}}));
    EngineFile file;
    ASSERT_EQ(file.Open(MakeFilePath("first.bin")), FileOk);
    EXPECT_EQ(file.Seek(SeekEnd, 3), FileOk);  // entries count back from their end
    EXPECT_EQ(file.Tell(), 7);
    EXPECT_EQ(file.Seek(SeekCurrent, -5), FileOk);
    EXPECT_EQ(file.Tell(), 2);
    char buffer[8] = {};
    ASSERT_EQ(file.Read(buffer, 3), FileOk);
    EXPECT_EQ(std::string(buffer, 3), "234");
    EXPECT_EQ(file.Tell(), 5);
    EXPECT_EQ(file.Seek(3, 0), FileUnsupported);
    EXPECT_EQ(file.Seek(SeekStart, -1), FileUnsupported);
    EXPECT_EQ(file.Tell(), 5);

    ASSERT_EQ(file.Seek(SeekStart, 8), FileOk);
    EXPECT_EQ(file.Read(buffer, 3), FileReadFailed);
    EXPECT_EQ(file.Read(buffer, 0), FileReadFailed);
    ASSERT_EQ(file.Seek(SeekStart, 600), FileOk);
    EXPECT_EQ(file.Read(buffer, 1), FileReadFailed);
    ASSERT_EQ(file.Seek(SeekStart, 8), FileOk);
    EXPECT_EQ(file.Read(buffer, 2), FileOk);
    EXPECT_EQ(std::string(buffer, 2), "89");
}

TEST_F(EngineFileTest, EntriesShareTheArchiveHandle) {
    Mount(Tar({{"one.bin", "AAAABBBBCCCC"}, {"two.bin", "xxxxyyyyzzzz"}}));
    EngineFile one;
    EngineFile two;
    ASSERT_EQ(one.Open(MakeFilePath("one.bin")), FileOk);
    ASSERT_EQ(two.Open(MakeFilePath("two.bin")), FileOk);
    std::string read;
    char buffer[4];
    for (int i = 0; i < 3; ++i) {
        for (EngineFile* file : {&one, &two}) {
            ASSERT_EQ(file->Read(buffer, 4), FileOk);
            read.append(buffer, 4);
        }
    }
    EXPECT_EQ(read, "AAAAxxxxBBBByyyyCCCCzzzz");
    // Closing an entry leaves the archive open for the others.
    one.Close();
    ASSERT_EQ(two.Seek(SeekStart, 0), FileOk);
    ASSERT_EQ(two.Read(buffer, 4), FileOk);
    EXPECT_EQ(std::string(buffer, 4), "xxxx");
    EXPECT_EQ(Read("one.bin"), "AAAABBBBCCCC");
}

TEST_F(EngineFileTest, DamagedOrTruncatedArchivesEndTheLookupAndFallBackToDisk) {
    WriteDiskFile("after.png", "disk");
    TarWriter badSize;
    badSize.Add("before.png", "ok");
    badSize.AddRaw("bad.png", "data", "12x4", '0');
    badSize.Add("after.png", "archive");
    badSize.End();
    Mount(badSize, "badsize.dat");
    EXPECT_EQ(Read("before.png"), "ok");
    EXPECT_EQ(Read("after.png"), "disk");
    EXPECT_EQ(Read("bad.png"), "<104>");
    UnmountAllArchives();

    TarWriter cut;
    cut.Add("cut.bin", Pattern(3000, 'c'));
    cut.Add("after.png", "archive");
    cut.Truncate(512 + 1000);  // no end marker, entry cut short
    Mount(cut);
    EXPECT_EQ(Read("after.png"), "disk");
    EngineFile file;
    ASSERT_EQ(file.Open(MakeFilePath("cut.bin")), FileOk);
    char buffer[2000];
    EXPECT_EQ(file.Read(buffer, 2000), FileReadFailed);
}

}  // namespace
