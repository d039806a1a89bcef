#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

// A read-only TAR archive whose regular files the file layer sees before the disk. It is
// indexed once when opened; every entry is checked against the archive's length.
class TarArchive {
public:
    ~TarArchive();
    TarArchive(const TarArchive&) = delete;
    TarArchive& operator=(const TarArchive&) = delete;
    // Opens and indexes the archive file; FileOk or FileNotFound. A damaged header or an entry
    // running past the end stops the index there, with a warning on stderr naming the archive:
    // the files it would have hidden are then read from the disk.
    static int Open(const std::string& path, std::unique_ptr<TarArchive>& archive);
    // Finds a regular file by its whole name (case-insensitive, either separator).
    // On FileOk, dataStart and dataSize locate its bytes in Handle().
    int Find(const std::string& name, long& dataStart, long& dataSize) const;
    FILE* Handle() const { return handle_; }
    const std::string& Path() const { return path_; }
    size_t EntryCount() const { return entries_.size(); }

private:
    struct Entry {
        long start = 0;
        long size = 0;
    };
    TarArchive(FILE* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    void Index();
    void Warn(const std::string& message) const;

    FILE* handle_;
    std::string path_;
    std::unordered_map<std::string, Entry> entries_;  // by lower-case name
};

// Appends an archive to the list searched by EngineFile::Open; FileOk or FileNotFound.
int MountArchive(const std::string& path);
// Open entries read through an archive's handle: unmount only when no file is open.
void UnmountAllArchives();
const std::vector<std::unique_ptr<TarArchive>>& MountedArchives();
