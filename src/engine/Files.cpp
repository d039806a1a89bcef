#include "engine/Files.h"

#include <SDL.h>

#include <filesystem>
#include <system_error>

namespace {

std::string& ExecutableDirectory() {
    static std::string directory;
    return directory;
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

const std::string& GetExecutableDirectory() {
    std::string& directory = ExecutableDirectory();
    if (directory.empty()) {
        directory = FindExecutableDirectory();
    }
    return directory;
}

void SetExecutableDirectory(const std::string& directory) {
    std::string& stored = ExecutableDirectory();
    stored = directory;
    while (stored.size() > 1 && stored.back() == '/') {
        stored.pop_back();
    }
}

std::string MakeFilePath(const std::string& name) {
    const std::string& directory = GetExecutableDirectory();
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
