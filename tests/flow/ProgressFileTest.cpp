#include <gtest/gtest.h>

#include <fstream>

#include "flow/ProgressFile.h"
#include "support/GLTestWindow.h"

namespace {

using Entries = std::vector<int32_t>;

Entries EntriesOf(const ProgressFile& progress) {
    Entries entries;
    for (int i = 0; i <= ProgressFile::Worlds; ++i) {
        entries.push_back(progress.Entry(i));
    }
    return entries;
}

Entries Reread(const std::string& path) {
    ProgressFile progress;
    std::string error;
    EXPECT_TRUE(progress.Read(path, error)) << error;
    return EntriesOf(progress);
}

// Entry 0 = 0x12345678, world 1 at stage 2, world 2 at stage 5, the others locked.
const std::string Image = std::string("\x78\x56\x34\x12\2\0\0\0\5\0\0\0", 12) + std::string(24, '\0');

// Short, long and damaged files, and what the world choice makes of them: always a world to
// start, never at stage 0. Entry 0 is kept whatever it holds.
TEST(ProgressFileTest, EntriesAndTheWorldChoice) {
    const struct {
        std::string bytes;
        Entries entries;
        int lastWorld;
    } cases[] = {
        {"", {0, 0, 0, 0, 0, 0, 0, 0, 0}, 1},
        {Image, {0x12345678, 2, 5, 0, 0, 0, 0, 0, 0}, 2},
        {Image.substr(0, 11), {0x12345678, 2, 0, 0, 0, 0, 0, 0, 0}, 1},  // entry 2 cut short
        {Image + "trailing", {0x12345678, 2, 5, 0, 0, 0, 0, 0, 0}, 2},
        {std::string("\xFF\xFF\xFF\xFF\6\0\0\0\xFF\xFF\xFF\xFF\0\0\0\x80\0\0\0\0\3\0\0\0", 24),
         {-1, 0, 0, 0, 0, 3, 0, 0, 0},
         5},
    };
    for (const auto& [bytes, entries, lastWorld] : cases) {
        const ProgressFile progress = ProgressFile::Parse(bytes);
        EXPECT_EQ(EntriesOf(progress), entries) << bytes.size() << " bytes";
        const ProgressFile::WorldChoice choice = progress.ForWorldChoice();
        EXPECT_EQ(choice.lastWorld, lastWorld);
        for (int world = 1; world <= ProgressFile::Worlds; ++world) {
            EXPECT_EQ(choice.startStage[world], world > lastWorld ? 0 : std::max(entries[world], 1));
        }
    }
    EXPECT_EQ(ProgressFile::Parse(Image).Bytes(), Image);
}

// Saves keep the other entries; a refused one writes nothing, and a crash between writing the
// new record and renaming it leaves a temporary file beside the old progress, which still reads.
TEST(ProgressFileTest, Saves) {
    TempDir dir;
    const std::string path = dir.File("world.dat");
    std::string error;
    EXPECT_FALSE(ProgressFile::Save(path, 9, 1, error) || ProgressFile::Save(path, 1, 6, error));
    EXPECT_EQ(error, path + ": no world 1 stage 6 to record");
    EXPECT_FALSE(ProgressFile::Save(dir.Path(), 1, 2, error));
    EXPECT_EQ(error, dir.Path() + ": is not a regular file; the progress was not saved");
    ASSERT_TRUE(ProgressFile::Save(path, 1, 2, error)) << error;  // world 1 stage 1 cleared
    EXPECT_EQ(Reread(path), (Entries{0, 2, 0, 0, 0, 0, 0, 0, 0}));

    std::ofstream(path, std::ios::binary) << Image;
    std::ofstream(path + ".tmp-Q7xY2a", std::ios::binary) << Image.substr(0, 13);
    EXPECT_EQ(Reread(path), (Entries{0x12345678, 2, 5, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(ProgressFile::Save(path, 2, 1, error) &&
                ProgressFile::Save(path, 3, 1, error));  // world 2 done
    EXPECT_EQ(Reread(path), (Entries{0x12345678, 2, 1, 1, 0, 0, 0, 0, 0}));
}

}  // namespace
