#pragma once

#include <string>

// A modal box with an OK button; the same text goes to stderr, so headless runs report it too.
void ShowMessageBox(const std::string& caption, const std::string& text);

// For data the game cannot run without: shows the message and ends the process with exit code 1.
[[noreturn]] void FatalError(const std::string& text);
