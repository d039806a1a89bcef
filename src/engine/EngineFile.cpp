#include "engine/EngineFile.h"

#include "engine/Files.h"
#include "engine/TarArchive.h"

#include <sys/stat.h>

namespace {

// Archive entries are named relative to the executable's folder.
std::string LookupName(const std::string& path) {
    const std::string& directory = GetExecutableDirectory();
    if (!directory.empty() && path.size() > directory.size() &&
        path.compare(0, directory.size(), directory) == 0 && path[directory.size()] == '/') {
        return path.substr(directory.size() + 1);
    }
    return path;
}

// fopen also opens directories, whose "size" is nonsense: only regular files are files here.
FILE* OpenRegularFile(const std::string& path) {
    FILE* handle = std::fopen(path.c_str(), "rb");
    struct stat status {};
    if (handle && (fstat(fileno(handle), &status) != 0 || !S_ISREG(status.st_mode))) {
        std::fclose(handle);
        handle = nullptr;
    }
    return handle;
}

}  // namespace

EngineFile::~EngineFile() {
    Close();
}

int EngineFile::Open(const std::string& path, int mode) {
    if (state_ != 0) {
        return FileNotOpen;
    }
    if (mode != FileModeRead) {
        return FileUnsupported;
    }
    std::string name = LookupName(path);
    for (const auto& archive : MountedArchives()) {
        long start = 0;
        long size = 0;
        if (archive->Find(name, start, size) == FileOk) {
            handle_ = archive->Handle();
            archiveHandle_ = true;
            dataStart_ = start;
            dataSize_ = size;
            position_ = 0;
            state_ = FileModeRead;
            return FileOk;
        }
    }
    handle_ = OpenRegularFile(path);
    if (!handle_) {
        return FileNotFound;
    }
    archiveHandle_ = false;
    dataStart_ = 0;
    dataSize_ = 0;
    position_ = 0;
    state_ = FileModeRead;
    return FileOk;
}

int EngineFile::Seek(int origin, long offset) {
    if (state_ == 0) {
        return FileNotOpen;
    }
    if (origin != SeekStart && origin != SeekCurrent && origin != SeekEnd) {
        return FileUnsupported;
    }
    if (!archiveHandle_) {
        static const int whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
        return std::fseek(handle_, offset, whence[origin]) == 0 ? FileOk : FileUnsupported;
    }
    long target = 0;
    switch (origin) {
        case SeekStart: target = offset; break;
        case SeekCurrent: target = position_ + offset; break;
        default: target = dataSize_ - offset; break;  // archive entries count back from their end
    }
    if (target < 0) {
        return FileUnsupported;
    }
    position_ = target;
    return FileOk;
}

long EngineFile::Tell() const {
    if (state_ == 0) {
        return -1;
    }
    return archiveHandle_ ? position_ : std::ftell(handle_);
}

int EngineFile::Read(void* buffer, size_t count) {
    if (state_ == 0) {
        return FileNotOpen;
    }
    if (count == 0) {
        return FileReadFailed;
    }
    if (!archiveHandle_) {
        return std::fread(buffer, 1, count, handle_) == count ? FileOk : FileReadFailed;
    }
    // Never read into the next entry's header: the entry ends where its size says.
    if (position_ > dataSize_ || count > static_cast<size_t>(dataSize_ - position_)) {
        return FileReadFailed;
    }
    // Other entries may have moved the shared handle since the last read.
    if (std::fseek(handle_, dataStart_ + position_, SEEK_SET) != 0 ||
        std::fread(buffer, 1, count, handle_) != count) {
        return FileReadFailed;
    }
    position_ += static_cast<long>(count);
    return FileOk;
}

void EngineFile::Close() {
    if (handle_ && !archiveHandle_) {
        std::fclose(handle_);
    }
    handle_ = nullptr;
    archiveHandle_ = false;
    state_ = 0;
    dataStart_ = 0;
    dataSize_ = 0;
    position_ = 0;
}

int ReadWholeFile(const std::string& path, std::vector<uint8_t>& contents) {
    EngineFile file;
    int result = file.Open(path, FileModeRead);
    if (result != FileOk) {
        return result;
    }
    result = file.Seek(SeekEnd, 0);
    if (result != FileOk) {
        return result;
    }
    long size = file.Tell();
    if (size <= 0) {
        return FileReadFailed;
    }
    result = file.Seek(SeekStart, 0);
    if (result != FileOk) {
        return result;
    }
    contents.resize(static_cast<size_t>(size));
    result = file.Read(contents.data(), contents.size());
    if (result != FileOk) {
        contents.clear();
    }
    return result;
}
