#include "engine/SafeFileWrite.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool Fail(const std::string& what, int reason, std::string& error) {
    error = what + ": " + std::strerror(reason);
    return false;
}

// Every byte, through short writes and signals.
bool WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// The rename is only durable once the folder's entry is on disk too. Some file systems refuse
// fsync on a folder; the file has been replaced by then either way, so that is not a failure.
void SyncFolder(const std::string& folder) {
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

// Writes bytes to the open temporary file, syncs and closes it; the descriptor is closed
// whatever happens.
bool FillAndClose(int descriptor, std::string_view bytes, mode_t mode, std::string& error) {
    int reason = 0;
    if (::fchmod(descriptor, mode) != 0 || !WriteAll(descriptor, bytes) || ::fsync(descriptor) != 0) {
        reason = errno;
    }
    // close can report a delayed write error (NFS, a full disk), so it counts too.
    if (::close(descriptor) != 0 && reason == 0) {
        reason = errno;
    }
    return reason == 0 || Fail("cannot write", reason, error);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, std::string_view bytes, std::string& error) {
    mode_t mode = 0644;
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
            error = S_ISDIR(status.st_mode) ? "is a folder, not a file" : "is not a regular file";
            return false;
        }
        mode = status.st_mode & 0777;
    } else if (errno != ENOENT) {
        return Fail("cannot look at the file", errno, error);
    }
    // A unique name in the same folder: rename is atomic only within one file system, and two
    // savers never share a temporary file.
    std::string temporary = path + ".tmp-XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    const int descriptor = ::mkostemp(name.data(), O_CLOEXEC);
    if (descriptor < 0) {
        return Fail("cannot create a file in " + FolderOf(path), errno, error);
    }
    temporary = name.data();
    if (!FillAndClose(descriptor, bytes, mode, error)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int reason = errno;
        ::unlink(temporary.c_str());
        return Fail("cannot replace the file", reason, error);
    }
    SyncFolder(FolderOf(path));
    return true;
}
