// libFuzzer target: any bytes as the data archive "tandolo.dat", mounted as the game mounts it
// and every entry it indexed read back through the file layer. Mounting must never crash or
// read outside the file, and each entry must read as exactly the bytes its header points at.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

#include "engine/EngineFile.h"
#include "engine/Files.h"
#include "engine/TarArchive.h"

namespace {

constexpr size_t BlockSize = 512;
constexpr size_t NameLength = 100;
// No entry lookup may be cut to a name relative to this folder and so go to the disk.
const std::string ExecutableFolder = "/tandolo-fuzz";

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The archive as a real regular file, kept in memory so a run does not wear the disk.
const std::string& ArchivePath(const uint8_t* data, size_t size) {
    static const int descriptor = memfd_create("tandolo.dat", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(descriptor);
    Check(descriptor >= 0);
    Check(ftruncate(descriptor, 0) == 0);
    Check(size == 0 || pwrite(descriptor, data, size, 0) == static_cast<ssize_t>(size));
    return path;
}

// What the archive lookups make of a header's name.
std::string LookupKey(const uint8_t* header) {
    std::string name(reinterpret_cast<const char*>(header),
                     strnlen(reinterpret_cast<const char*>(header), NameLength));
    std::transform(name.begin(), name.end(), name.begin(), [](char c) {
        return c == '\\' ? '/' : c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return name;
}

// Reads the entry through the file layer and compares it with the archive's bytes.
void CheckEntry(const uint8_t* data, size_t size, const std::string& key, long start, long length) {
    Check(start >= static_cast<long>(BlockSize) && start % BlockSize == 0);
    Check(length >= 0 && static_cast<size_t>(length) <= size - static_cast<size_t>(start));
    std::vector<uint8_t> contents;
    const int read = ReadWholeFile(key, contents);
    if (length == 0) {
        Check(read == FileReadFailed);  // empty files are never read
        return;
    }
    Check(read == FileOk && contents.size() == static_cast<size_t>(length));
    Check(std::equal(contents.begin(), contents.end(), data + start));
    // An open entry never reads past its own end into whatever follows it.
    EngineFile file;
    uint8_t byte = 0;
    Check(file.Open(key) == FileOk && file.Seek(SeekStart, length) == FileOk);
    Check(file.Read(&byte, 1) == FileReadFailed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetExecutableDirectory(ExecutableFolder);
    UnmountAllArchives();
    Check(MountArchive(ArchivePath(data, size)) == FileOk);
    const TarArchive& archive = *MountedArchives().front();
    // Every indexed entry has its header on a block boundary: trying the name in each block
    // reaches them all.
    std::set<std::string> found;
    for (size_t headerStart = 0; headerStart + BlockSize <= size; headerStart += BlockSize) {
        const std::string key = LookupKey(data + headerStart);
        long start = 0;
        long length = 0;
        if (archive.Find(key, start, length) != FileOk || !found.insert(key).second) {
            continue;
        }
        if (key.rfind(ExecutableFolder + "/", 0) != 0) {
            CheckEntry(data, size, key, start, length);
        }
    }
    Check(found.size() == archive.EntryCount());
    UnmountAllArchives();
    return 0;
}
