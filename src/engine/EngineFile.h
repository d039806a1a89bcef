#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Result codes of the file layer.
enum FileResult : int {
    FileOk = 0,
    FileNotOpen = 100,        // not open (or already open, for Open)
    FileWrongState = 101,
    FileUnsupported = 102,    // unsupported mode or origin
    FileNotFound = 104,
    FileReadFailed = 106,     // read failure, short read or zero-length read
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

private:
    FILE* handle_ = nullptr;
    bool archiveHandle_ = false;  // shared with an archive: never closed here
    int state_ = 0;               // 0 closed, FileModeRead open
    long dataStart_ = 0;
    long dataSize_ = 0;           // 0 for a plain disk file
    long position_ = 0;           // archive entries: the shared handle is positioned before each read
};

// Reads a whole file through EngineFile; an empty file fails with FileReadFailed.
int ReadWholeFile(const std::string& path, std::vector<uint8_t>& contents);
