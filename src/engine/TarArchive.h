#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// A read-only TAR archive whose regular files the file layer sees before the disk.
class TarArchive {
public:
    ~TarArchive();
    // Opens the archive file; FileOk or FileNotFound.
    static int Open(const std::string& path, std::unique_ptr<TarArchive>& archive);
    // Finds a regular file by its whole name (case-insensitive, either separator); a damaged
    // or truncated archive ends the search with FileNotFound.
    // On FileOk, dataStart and dataSize locate its bytes in Handle().
    int Find(const std::string& name, long& dataStart, long& dataSize) const;
    FILE* Handle() const { return handle_; }

private:
    explicit TarArchive(FILE* handle) : handle_(handle) {}
    FILE* handle_;
};

// Appends an archive to the list searched by EngineFile::Open; FileOk or FileNotFound.
int MountArchive(const std::string& path);
// Open entries read through an archive's handle: unmount only when no file is open.
void UnmountAllArchives();
const std::vector<std::unique_ptr<TarArchive>>& MountedArchives();
