#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Result codes of the file layer.
enum FileResult : int {
    FileOk = 0,
    FileNotOpen = 100,  // not open (or already open, for Open)
    FileWrongState = 101,
    FileUnsupported = 102,  // unsupported mode or origin
    FileNotFound = 104,
    FileReadFailed = 106,  // read failure, short read or zero-length read
};

enum FileMode : int { FileModeRead = 1000 };
enum SeekOrigin : int { SeekStart = 0, SeekCurrent = 1, SeekEnd = 2 };

// A read-only stream that looks into the mounted archives before the disk.
class EngineFile {
public:
    EngineFile() = default;
    ~EngineFile();
    EngineFile(const EngineFile&) = delete;
    EngineFile& operator=(const EngineFile&) = delete;

    int Open(const std::string& path, int mode = FileModeRead);
    // SeekEnd moves an archive entry to size - offset but a disk file to end + offset.
    // A position before the start is refused with FileUnsupported.
    int Seek(int origin, long offset);
    // Position from the start of the data; -1 when closed.
    long Tell() const;
    // Exactly count bytes, never past an archive entry's end; anything less is FileReadFailed.
    int Read(void* buffer, size_t count);
    void Close();
    // Where the open data comes from, for messages: the disk path, or "ARCHIVE: NAME".
    const std::string& Source() const { return source_; }

private:
    FILE* handle_ = nullptr;
    bool archiveHandle_ = false;  // shared with an archive: never closed here
    int state_ = 0;               // 0 closed, FileModeRead open
    long dataStart_ = 0;
    long dataSize_ = 0;  // 0 for a plain disk file
    long position_ = 0;  // archive entries: the shared handle is positioned before each read
    std::string source_;
};

// Reads a whole file through EngineFile; an empty file, or one larger than maxSize, fails with
// FileReadFailed. source, when given, tells where the bytes were looked for or found.
constexpr long MaxWholeFileSize = 64L << 20;
int ReadWholeFile(const std::string& path, std::vector<uint8_t>& contents, long maxSize = MaxWholeFileSize,
                  std::string* source = nullptr);

// Opens a regular file for binary reading. Anything else (a directory, a FIFO that would block,
// a device) gives null with errno EINVAL; a missing or unreadable file gives null with the
// system's errno.
FILE* OpenRegularFile(const std::string& path);
// The whole of a regular text or data file of at most maxSize bytes; false with the reason
// ("no such file", "not a regular file", "larger than N bytes", ...) in error.
bool ReadRegularFile(const std::string& path, std::string& contents, std::string& error,
                     size_t maxSize = 1 << 20);
