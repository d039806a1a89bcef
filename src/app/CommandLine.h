#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// Reads "/key=value" pairs; only integer values are kept (a value in double
// quotes is text, which the game never reads). "/key" alone means key=1.
std::map<std::string, int32_t> ParseCommandLine(std::string_view commandLine);
