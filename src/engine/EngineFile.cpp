#include "engine/EngineFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/Files.h"
#include "engine/TarArchive.h"

namespace {

// Archive entries are named relative to the data folder.
std::string LookupName(const std::string& path) {
    const std::string& directory = GetDataDirectory();
    if (!directory.empty() && path.size() > directory.size() &&
        path.compare(0, directory.size(), directory) == 0 && path[directory.size()] == '/') {
        return path.substr(directory.size() + 1);
    }
    return path;
}

// Opens path for reading if it is a regular file; else null, with why it is not in *why.
// Non-blocking, so a FIFO in place of a data file cannot hang the start (a regular file
// ignores the flag).
FILE* OpenRegular(const std::string& path, std::string* why) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        const int error = errno;
        if (why != nullptr) {
            *why = std::strerror(error);
        }
        errno = error;
        return nullptr;
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (why != nullptr) {
            *why = S_ISDIR(status.st_mode) ? "is a folder, not a file" : "is not a regular file";
        }
        ::close(descriptor);
        errno = EINVAL;
        return nullptr;
    }
    FILE* handle = fdopen(descriptor, "rb");
    if (handle == nullptr) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
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
            source_ = archive->Path() + ": " + name;
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
    source_ = path;
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
        case SeekStart:
            target = offset;
            break;
        case SeekCurrent:
            target = position_ + offset;
            break;
        default:
            target = dataSize_ - offset;
            break;  // archive entries count back from their end
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
    source_.clear();
}

int ReadWholeFile(const std::string& path, std::vector<uint8_t>& contents, long maxSize,
                  std::string* source) {
    contents.clear();
    if (source != nullptr) {
        *source = path;
    }
    EngineFile file;
    int result = file.Open(path, FileModeRead);
    if (result != FileOk) {
        return result;
    }
    if (source != nullptr) {
        *source = file.Source();
    }
    result = file.Seek(SeekEnd, 0);
    if (result != FileOk) {
        return result;
    }
    const long size = file.Tell();
    if (size <= 0 || size > maxSize) {
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

FILE* OpenRegularFile(const std::string& path) {
    return OpenRegular(path, nullptr);
}

bool ReadRegularFile(const std::string& path, std::string& contents, std::string& error, size_t maxSize) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(OpenRegular(path, &error), &std::fclose);
    if (!file) {
        return false;
    }
    contents.clear();
    char buffer[4096];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (contents.size() + count > maxSize) {
            error = "is larger than " + std::to_string(maxSize) + " bytes";
            return false;
        }
        contents.append(buffer, count);
    }
    if (std::ferror(file.get())) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}
