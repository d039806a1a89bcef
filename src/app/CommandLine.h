#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

// Reads "/key=value" pairs; only integer values are kept (a value in double
// quotes is text, which the game never reads). "/key" alone means key=1.
std::map<std::string, int32_t> ParseCommandLine(std::string_view commandLine);

// Answers the arguments a desktop program is expected to know before any window opens: --help
// and --version on standard output (exit code 0), and an argument that is none of these nor a
// "/key=value" option with a message and the help on standard error (exit code 2). Returns the
// exit code when the program is to end now, or nullopt when the game is to be played.
std::optional<int> AnswerInformationArguments(int argc, char** argv);
