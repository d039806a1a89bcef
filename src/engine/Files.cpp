#include "engine/Files.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>

namespace {

struct GameDirectories {
    std::string executable;
    std::string data;
};

GameDirectories& KnownDirectories() {
    static GameDirectories directories;
    return directories;
}

std::string FindExecutableDirectory() {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && exe.has_parent_path()) {
        return exe.parent_path().string();
    }
    std::string directory;
    if (char* base = SDL_GetBasePath()) {
        directory = base;
        SDL_free(base);
    }
    while (directory.size() > 1 && directory.back() == '/') {
        directory.pop_back();
    }
    return directory;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDrivePath(const std::string& name) {
    return name.size() >= 2 && name[1] == ':';
}

}  // namespace

std::string FindDataDirectory(const std::string& executableDirectory) {
    // The build puts data/ beside the executable; an install puts the executable in bin/ and
    // the data in share/tandolo/ under the same prefix, wherever that prefix was moved to.
    if (!std::filesystem::is_directory(executableDirectory + "/data")) {
        const std::filesystem::path installed =
            (std::filesystem::path(executableDirectory) / "../share/tandolo").lexically_normal();
        if (std::filesystem::is_directory(installed / "data")) {
            return installed.string();
        }
    }
    return executableDirectory;
}

const std::string& GetExecutableDirectory() {
    GameDirectories& directories = KnownDirectories();
    if (directories.executable.empty()) {
        directories.executable = FindExecutableDirectory();
        directories.data = FindDataDirectory(directories.executable);
    }
    return directories.executable;
}

void SetExecutableDirectory(const std::string& directory) {
    std::string stored = directory;
    while (stored.size() > 1 && stored.back() == '/') {
        stored.pop_back();
    }
    KnownDirectories() = {stored, FindDataDirectory(stored)};
}

const std::string& GetDataDirectory() {
    GetExecutableDirectory();
    return KnownDirectories().data;
}

bool IsRunningInstalled() {
    return GetDataDirectory() != GetExecutableDirectory();
}

std::string MakeFilePath(const std::string& name) {
    const std::string& directory = GetDataDirectory();
    size_t start = 0;
    if (!name.empty() && (name[0] == '\\' || name[0] == ':' || name[0] == '/')) {
        start = 1;
    }
    std::string relative = name.substr(start);

    std::string path;
    if (IsDrivePath(relative)) {
        // A Windows drive path is kept as written; only its separators change.
        path = relative;
    } else {
        // Data files are generated in lower case; the install directory is left alone.
        for (char& c : relative) {
            c = LowerAscii(c);
        }
        path = directory;
        if (path.empty() || path.back() != '/') {
            path += '/';
        }
        path += relative;
    }
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}
