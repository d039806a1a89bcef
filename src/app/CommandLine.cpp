#include "app/CommandLine.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

std::string TrimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// An optional sign and the digits after it; 0 when there are none. Saturates
// instead of overflowing on absurdly long numbers.
int32_t LeadingInteger(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(value);
}

void StorePair(std::map<std::string, int32_t>& options, const std::string& key, const std::string& rawValue) {
    if (rawValue.empty() && key.empty()) {
        return;
    }
    const std::string value = TrimSpaces(rawValue.empty() ? std::string("1") : rawValue);
    if (value.empty()) {
        return;
    }
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        return;
    }
    options[key] = LeadingInteger(value);
}

constexpr const char* HelpText =
    "Usage: tandolo [/world=N /stage=N]\n"
    "       tandolo --help | --version\n"
    "\n"
    "Tandolo, a casual puzzle game.\n"
    "\n"
    "  /world=N /stage=N  play world N (1 to 8) from stage N (1 to 5) at once; leaving that\n"
    "                     level ends the game\n"
    "  --help             show this help and exit\n"
    "  --version          show the version and exit\n"
    "\n"
    "Play with the mouse, or with the keyboard alone: the arrows move between buttons\n"
    "or over the board, Tab goes to the items in the trees, Enter or Space clicks and\n"
    "Escape opens the menu. F11 or Alt+Enter switches full screen.\n"
    "\n"
    "An installed game keeps its progress, settings and window place (world.dat,\n"
    "options.dat, window.txt) in $XDG_DATA_HOME/tandolo (~/.local/share/tandolo by\n"
    "default) and its screenshots (Left Shift with Print Screen or F12) in the pictures\n"
    "folder; run from its build folder it keeps them in the working directory and\n"
    "beside the executable.\n";

}  // namespace

std::optional<int> AnswerInformationArguments(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(HelpText, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("tandolo %s\n", TANDOLO_VERSION);
            return 0;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '/') {
            std::fprintf(stderr, "tandolo: unknown argument \"%s\"\n\n%s", argv[i], HelpText);
            return 2;
        }
    }
    return std::nullopt;
}

std::map<std::string, int32_t> ParseCommandLine(std::string_view commandLine) {
    std::map<std::string, int32_t> options;
    std::string key;
    std::string value;
    bool keyMode = false;
    for (const char c : commandLine) {
        if (c == '/') {
            StorePair(options, key, value);
            key.clear();
            value.clear();
            keyMode = true;
        } else if (c == '=') {
            keyMode = false;
        } else if (keyMode) {
            key += c;
        } else {
            value += c;
        }
    }
    StorePair(options, key, value);
    return options;
}
