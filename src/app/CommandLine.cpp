#include "app/CommandLine.h"

#include <cstdlib>

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

}  // namespace

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
