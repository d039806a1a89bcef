#include "engine/EngineFile.h"

#include "engine/Files.h"
#include "engine/TarArchive.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

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
        Put(header, 0, name.substr(0, 100));
        Put(header, 100, "0000644");
        Put(header, 108, "0000000");
        Put(header, 116, "0000000");
        Put(header, 124, sizeField.substr(0, 12));
        Put(header, 136, "00000000000");
        header[156] = type;
        Put(header, 257, std::string("ustar\0", 6));
        Put(header, 263, "00");
        Put(header, 148, "        ");
        unsigned sum = 0;
        for (unsigned char c : header) {
            sum += c;
        }
        char checksum[8];
        std::snprintf(checksum, sizeof checksum, "%06o", sum);
        Put(header, 148, std::string(checksum, 7));
        bytes_ += header;
        bytes_ += data;
        bytes_.append((512 - data.size() % 512) % 512, '\0');
    }
    void End() { bytes_.append(1024, '\0'); }
    void Truncate(size_t size) { bytes_.resize(size); }
    void Save(const fs::path& path) const {
        std::ofstream out(path, std::ios::binary);
        out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    }

private:
    static void Put(std::string& header, size_t offset, const std::string& field) {
        std::copy(field.begin(), field.end(), header.begin() + static_cast<std::ptrdiff_t>(offset));
    }
    static std::string OctalSize(size_t size) {
        char field[12];
        std::snprintf(field, sizeof field, "%011zo", size);
        return std::string(field, 11) + '\0';
    }
    std::string bytes_;
};

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
        std::string pattern = (fs::temp_directory_path() / "tandolo-files-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        SetExecutableDirectory(dir_.string());
        UnmountAllArchives();
    }
    void TearDown() override {
        UnmountAllArchives();
        SetExecutableDirectory(savedDirectory_);
        fs::remove_all(dir_);
    }

    void WriteDiskFile(const std::string& relative, const std::string& data) {
        fs::path path = dir_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
    }
    void Mount(const TarWriter& tar, const std::string& name = "tandolo.dat") {
        tar.Save(dir_ / name);
        ASSERT_EQ(MountArchive((dir_ / name).string()), FileOk);
    }
    std::string ReadAll(const std::string& gameName) {
        std::vector<uint8_t> bytes;
        int result = ReadWholeFile(MakeFilePath(gameName), bytes);
        if (result != FileOk) {
            return "<" + std::to_string(result) + ">";
        }
        return std::string(bytes.begin(), bytes.end());
    }

    fs::path dir_;
    std::string savedDirectory_;
};

TEST_F(EngineFileTest, MissingArchiveIsNotMounted) {
    EXPECT_EQ(MountArchive((dir_ / "absent.dat").string()), FileNotFound);
    EXPECT_TRUE(MountedArchives().empty());
}

TEST_F(EngineFileTest, ArchiveLookupIgnoresCaseAndSeparator) {
    TarWriter tar;
    tar.Add("data/gfx/Logo.PNG", "archive logo");
    tar.End();
    Mount(tar);
    EXPECT_EQ(ReadAll("data\\gfx\\logo.png"), "archive logo");
    long start = 0;
    long size = 0;
    EXPECT_EQ(MountedArchives()[0]->Find("DATA\\GFX\\logo.png", start, size), FileOk);
    EXPECT_EQ(start, 512);
    EXPECT_EQ(size, 12);
}

TEST_F(EngineFileTest, EntriesArePaddedToWholeBlocks) {
    TarWriter tar;
    tar.Add("a.bin", Pattern(513, 'a'));
    tar.Add("b.bin", Pattern(512, 'b'));
    tar.Add("empty.bin", "");
    tar.Add("c.bin", "last");
    tar.End();
    Mount(tar);
    long start = 0;
    long size = 0;
    const TarArchive& archive = *MountedArchives()[0];
    ASSERT_EQ(archive.Find("b.bin", start, size), FileOk);
    EXPECT_EQ(start, 512 + 1024 + 512);  // 513 bytes take two blocks
    EXPECT_EQ(size, 512);
    ASSERT_EQ(archive.Find("c.bin", start, size), FileOk);
    EXPECT_EQ(start, 512 + 1024 + 512 + 512 + 512 + 512);
    EXPECT_EQ(ReadAll("a.bin"), Pattern(513, 'a'));
    EXPECT_EQ(ReadAll("b.bin"), Pattern(512, 'b'));
    EXPECT_EQ(ReadAll("c.bin"), "last");
}

TEST_F(EngineFileTest, OnlyRegularFilesAreOpened) {
    TarWriter tar;
    tar.Add("data/x.png", "", '5');
    tar.Add("data/link.png", "", '2');
    tar.Add("data/old.png", "old style", '\0');
    tar.End();
    Mount(tar);
    WriteDiskFile("data/x.png", "from disk");
    EXPECT_EQ(ReadAll("data/x.png"), "from disk");
    EXPECT_EQ(ReadAll("data/link.png"), "<104>");
    EXPECT_EQ(ReadAll("data/old.png"), "old style");
}

TEST_F(EngineFileTest, ArchiveComesBeforeDiskAndDiskFillsTheGaps) {
    TarWriter tar;
    tar.Add("data/both.png", "archive");
    tar.End();
    Mount(tar);
    WriteDiskFile("data/both.png", "disk");
    WriteDiskFile("data/diskonly.png", "disk only");
    EXPECT_EQ(ReadAll("data/both.png"), "archive");
    EXPECT_EQ(ReadAll("data/diskonly.png"), "disk only");
    EXPECT_EQ(ReadAll("data/nowhere.png"), "<104>");
}

TEST_F(EngineFileTest, EarlierMountedArchiveWins) {
    TarWriter first;
    first.Add("x.png", "first");
    first.End();
    TarWriter second;
    second.Add("x.png", "second");
    second.Add("y.png", "only second");
    second.End();
    Mount(first, "first.dat");
    Mount(second, "second.dat");
    EXPECT_EQ(ReadAll("x.png"), "first");
    EXPECT_EQ(ReadAll("y.png"), "only second");
}

TEST_F(EngineFileTest, PathsOutsideTheExecutableDirectoryAreLookedUpWhole) {
    TarWriter tar;
    tar.Add("data/x.png", "archive");
    tar.End();
    Mount(tar);
    // A directory that only shares a prefix with the executable's must not be cut off.
    fs::path sibling = dir_.string() + "-other";
    fs::create_directories(sibling / "data");
    std::ofstream(sibling / "data/x.png") << "sibling";
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile((sibling / "data/x.png").string(), bytes), FileOk);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "sibling");
    fs::remove_all(sibling);
}

TEST_F(EngineFileTest, OpenResultCodes) {
    WriteDiskFile("a.txt", "abc");
    WriteDiskFile("folder/inside.txt", "x");
    EngineFile file;
    EXPECT_EQ(file.Open(MakeFilePath("missing.txt")), FileNotFound);
    EXPECT_EQ(file.Open(MakeFilePath("folder")), FileNotFound);
    EXPECT_EQ(file.Open(MakeFilePath("a.txt"), 1001), FileUnsupported);
    ASSERT_EQ(file.Open(MakeFilePath("a.txt")), FileOk);
    EXPECT_EQ(file.Open(MakeFilePath("a.txt")), FileNotOpen);
    file.Close();
    char byte = 0;
    EXPECT_EQ(file.Read(&byte, 1), FileNotOpen);
    EXPECT_EQ(file.Seek(SeekStart, 0), FileNotOpen);
}

TEST_F(EngineFileTest, SeekTellAndReadOnAnArchiveEntry) {
    TarWriter tar;
    tar.Add("first.bin", "0123456789");
    tar.Add("second.bin", "NEXT ENTRY");
    tar.End();
    Mount(tar);
    EngineFile file;
    ASSERT_EQ(file.Open(MakeFilePath("first.bin")), FileOk);
    EXPECT_EQ(file.Tell(), 0);
    EXPECT_EQ(file.Seek(SeekEnd, 0), FileOk);
    EXPECT_EQ(file.Tell(), 10);
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
}

TEST_F(EngineFileTest, ReadsNeverCrossTheEntryEnd) {
    TarWriter tar;
    tar.Add("first.bin", "0123456789");
    tar.Add("second.bin", "NEXT ENTRY");
    tar.End();
    Mount(tar);
    EngineFile file;
    ASSERT_EQ(file.Open(MakeFilePath("first.bin")), FileOk);
    ASSERT_EQ(file.Seek(SeekStart, 8), FileOk);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, 3), FileReadFailed);
    EXPECT_EQ(file.Read(buffer, 0), FileReadFailed);
    ASSERT_EQ(file.Seek(SeekStart, 600), FileOk);
    EXPECT_EQ(file.Read(buffer, 1), FileReadFailed);
    ASSERT_EQ(file.Seek(SeekStart, 8), FileOk);
    EXPECT_EQ(file.Read(buffer, 2), FileOk);
    EXPECT_EQ(std::string(buffer, 2), "89");
}

TEST_F(EngineFileTest, SeekTellAndReadOnADiskFile) {
    WriteDiskFile("d.bin", "abcdefgh");
    EngineFile file;
    ASSERT_EQ(file.Open(MakeFilePath("d.bin")), FileOk);
    EXPECT_EQ(file.Seek(SeekEnd, -2), FileOk);  // disk files move from the end by the offset
    EXPECT_EQ(file.Tell(), 6);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 3), FileReadFailed);  // only two bytes left
    ASSERT_EQ(file.Seek(SeekStart, 1), FileOk);
    ASSERT_EQ(file.Read(buffer, 2), FileOk);
    EXPECT_EQ(std::string(buffer, 2), "bc");
    EXPECT_EQ(file.Read(buffer, 0), FileReadFailed);
}

TEST_F(EngineFileTest, EmptyFilesAreNotRead) {
    WriteDiskFile("empty.png", "");
    TarWriter tar;
    tar.Add("emptyentry.png", "");
    tar.End();
    Mount(tar);
    EXPECT_EQ(ReadAll("empty.png"), "<106>");
    EXPECT_EQ(ReadAll("emptyentry.png"), "<106>");
}

TEST_F(EngineFileTest, EntriesShareTheArchiveHandle) {
    TarWriter tar;
    tar.Add("one.bin", "AAAABBBBCCCC");
    tar.Add("two.bin", "xxxxyyyyzzzz");
    tar.End();
    Mount(tar);
    EngineFile one;
    EngineFile two;
    ASSERT_EQ(one.Open(MakeFilePath("one.bin")), FileOk);
    ASSERT_EQ(two.Open(MakeFilePath("two.bin")), FileOk);
    std::string read;
    char buffer[4];
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(one.Read(buffer, 4), FileOk);
        read.append(buffer, 4);
        ASSERT_EQ(two.Read(buffer, 4), FileOk);
        read.append(buffer, 4);
    }
    EXPECT_EQ(read, "AAAAxxxxBBBByyyyCCCCzzzz");
    one.Close();
    // Closing an entry leaves the archive open for the others.
    ASSERT_EQ(two.Seek(SeekStart, 0), FileOk);
    ASSERT_EQ(two.Read(buffer, 4), FileOk);
    EXPECT_EQ(std::string(buffer, 4), "xxxx");
    EXPECT_EQ(ReadAll("one.bin"), "AAAABBBBCCCC");
}

TEST_F(EngineFileTest, DamagedArchivesFallBackToDisk) {
    WriteDiskFile("after.png", "disk");
    TarWriter badSize;
    badSize.Add("before.png", "ok");
    badSize.AddRaw("bad.png", "data", "12x4", '0');
    badSize.Add("after.png", "archive");
    badSize.End();
    Mount(badSize, "badsize.dat");
    EXPECT_EQ(ReadAll("before.png"), "ok");
    EXPECT_EQ(ReadAll("after.png"), "disk");
    EXPECT_EQ(ReadAll("bad.png"), "<104>");
}

TEST_F(EngineFileTest, TruncatedArchivesEndTheLookup) {
    WriteDiskFile("later.png", "disk");
    TarWriter tar;
    tar.Add("cut.bin", Pattern(3000, 'c'));
    tar.Add("later.png", "archive");
    tar.Truncate(512 + 1000);  // no end marker, entry cut short
    Mount(tar);
    EXPECT_EQ(ReadAll("later.png"), "disk");
    EngineFile file;
    ASSERT_EQ(file.Open(MakeFilePath("cut.bin")), FileOk);
    char buffer[2000];
    EXPECT_EQ(file.Read(buffer, 2000), FileReadFailed);
}

TEST_F(EngineFileTest, NamesMustMatchWhole) {
    std::string longName(100, 'n');
    TarWriter tar;
    tar.Add(longName, "hundred");
    tar.Add("ab", "short");
    tar.End();
    Mount(tar);
    EXPECT_EQ(ReadAll(longName), "hundred");
    EXPECT_EQ(ReadAll(longName + "x"), "<104>");
    EXPECT_EQ(ReadAll("a"), "<104>");
    EXPECT_EQ(ReadAll("abc"), "<104>");
}

}  // namespace
