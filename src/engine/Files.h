#pragma once

#include <string>

// Directory of the running executable, without a trailing separator.
const std::string& GetExecutableDirectory();
// For tests and tools that lay out their own data directory.
void SetExecutableDirectory(const std::string& directory);

// The folder the game's data/ and levels/ are in: the executable's own when run in place from
// the build folder, <prefix>/share/tandolo when installed with the executable in <prefix>/bin.
const std::string& GetDataDirectory();
// The data folder of an executable in executableDirectory, decided by which layout exists.
std::string FindDataDirectory(const std::string& executableDirectory);
// True when the data was found in an install's share folder rather than beside the executable.
bool IsRunningInstalled();

// Full path of a game file named relative to the data folder, with
// either separator. Only the game-relative part is lower-cased.
std::string MakeFilePath(const std::string& name);
