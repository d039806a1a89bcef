#include "engine/SavePaths.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "engine/Files.h"

namespace {

bool IsAbsoluteFolder(const char* folder) {
    return folder != nullptr && folder[0] == '/';
}

// The save folder of this run; empty for the working directory.
std::string SaveDirectory() {
    if (!IsRunningInstalled()) {
        return {};
    }
    return XdgSaveDirectory(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

// What xdg-user-dir says, when it is installed and names a folder other than home itself
// (its answer for a folder the player never set up).
std::string AskXdgUserDir(const char* name, const std::string& home) {
    FILE* answer = popen((std::string("xdg-user-dir ") + name + " 2>/dev/null").c_str(), "r");
    if (answer == nullptr) {
        return {};
    }
    char line[4096] = {};
    const bool read = std::fgets(line, sizeof line, answer) != nullptr;
    pclose(answer);
    std::string folder = read ? line : "";
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '/')) {
        folder.pop_back();
    }
    return IsAbsoluteFolder(folder.c_str()) && folder != home ? folder : std::string();
}

}  // namespace

std::string XdgSaveDirectory(const char* xdgDataHome, const char* home) {
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (IsAbsoluteFolder(xdgDataHome)) {
        return std::string(xdgDataHome) + "/tandolo";
    }
    if (IsAbsoluteFolder(home)) {
        return std::string(home) + "/.local/share/tandolo";
    }
    return {};
}

std::string SavePath(const std::string& name) {
    const std::string folder = SaveDirectory();
    if (folder.empty() || (!name.empty() && name[0] == '/')) {
        return name;
    }
    return folder + "/" + name;
}

bool CreateSaveDirectory(std::string& error) {
    const std::string folder = SaveDirectory();
    std::error_code reason;
    if (folder.empty() || std::filesystem::is_directory(folder, reason)) {
        return true;
    }
    // The umask decides the mode, as for any folder the player's programs make.
    std::filesystem::create_directories(folder, reason);
    if (reason) {
        error = "could not create the folder " + folder + ": " + reason.message();
        return false;
    }
    return true;
}

std::string ScreenshotDirectory() {
    if (!IsRunningInstalled()) {
        return GetExecutableDirectory();
    }
    const char* home = std::getenv("HOME");
    const std::string homeFolder = IsAbsoluteFolder(home) ? home : "";
    std::string folder = AskXdgUserDir("PICTURES", homeFolder);
    if (folder.empty()) {
        folder = homeFolder.empty() ? "." : homeFolder + "/Pictures";
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return folder;
}
