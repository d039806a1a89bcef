#pragma once

#include <string>

#include "Score.h"

// Reads a music file (the format is described in assets/music/README.md). Throws
// std::runtime_error naming the file and the line of the first fault.
Score ReadScore(const std::string& path);
Score ParseScore(const std::string& text, const std::string& fileName);
