#pragma once

#include <string>

// Directory of the running executable, without a trailing separator.
const std::string& GetExecutableDirectory();
// For tests and tools that lay out their own data directory.
void SetExecutableDirectory(const std::string& directory);

// Full path of a game file named relative to the executable's folder, with
// either separator. Only the game-relative part is lower-cased.
std::string MakeFilePath(const std::string& name);
