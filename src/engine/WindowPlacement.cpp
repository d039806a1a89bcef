#include "engine/WindowPlacement.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "engine/EngineFile.h"
#include "engine/SafeFileWrite.h"
#include "engine/SavePaths.h"

namespace {

// How much of the window must lie on a display for the player to find it and drag it back.
constexpr int VisibleWidth = 64;
constexpr int VisibleHeight = 32;

bool ReadNumber(std::string_view text, int min, int max, int& value) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < min || number > max) {
        return false;
    }
    value = number;
    return true;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace

bool WindowPlacement::Read(const std::string& path, WindowPlacement& placement) {
    std::string text;
    std::string error;
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, ignored))) {
        return false;  // the first run, or the player deleted it
    }
    if (!ReadRegularFile(path, text, error, 4096)) {
        std::fprintf(stderr, "tandolo: %s: %s; the window opens centred\n", path.c_str(), error.c_str());
        return false;
    }
    WindowPlacement read;
    if (!Parse(text, read, error)) {
        std::fprintf(stderr, "tandolo: %s:%s; the window opens centred\n", path.c_str(), error.c_str());
        return false;
    }
    placement = read;
    return true;
}

// One "name value" a line; every name once, all of them there.
bool WindowPlacement::Parse(std::string_view text, WindowPlacement& placement, std::string& error) {
    WindowPlacement read;
    int maximised = 0;
    struct Field {
        const char* name;
        int* value;
        int min, max;
        bool seen;
    } fields[] = {
        {"x", &read.x, -MaxPosition, MaxPosition, false}, {"y", &read.y, -MaxPosition, MaxPosition, false},
        {"width", &read.width, MinWidth, MaxSide, false}, {"height", &read.height, MinHeight, MaxSide, false},
        {"maximised", &maximised, 0, 1, false},
    };
    int lineNumber = 0;
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        ++lineNumber;
        const std::string where = std::to_string(lineNumber) + ": ";
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const size_t space = line.find_first_of(" \t");
        const std::string_view name = line.substr(0, space);
        const std::string_view value = space == std::string_view::npos ? "" : Trimmed(line.substr(space));
        Field* field = std::find_if(std::begin(fields), std::end(fields),
                                    [&](const Field& f) { return name == f.name; });
        if (field == std::end(fields)) {
            error = where + "unknown entry '" + std::string(name) + "'";
            return false;
        }
        if (field->seen) {
            error = where + std::string(name) + " is given twice";
            return false;
        }
        if (!ReadNumber(value, field->min, field->max, *field->value)) {
            error = where + std::string(name) + " needs a whole number from " + std::to_string(field->min) +
                    " to " + std::to_string(field->max);
            return false;
        }
        field->seen = true;
    }
    for (const Field& field : fields) {
        if (!field.seen) {
            error = std::to_string(std::max(lineNumber, 1)) + ": " + field.name + " is missing";
            return false;
        }
    }
    read.positioned = true;
    read.maximised = maximised == 1;
    placement = read;
    return true;
}

std::string WindowPlacement::Text() const {
    return "# The game window as it was last left; delete this file to have it centred again.\n"
           "x " +
           std::to_string(x) + "\ny " + std::to_string(y) + "\nwidth " + std::to_string(width) + "\nheight " +
           std::to_string(height) + "\nmaximised " + (maximised ? "1" : "0") + "\n";
}

bool WindowPlacement::Write(const std::string& path, std::string& error) const {
    if (!CreateSaveDirectory(error) || !ReplaceFileContents(path, Text(), error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

void WindowPlacement::KeepOnDisplays(const std::vector<Area>& displays) {
    const auto shows = [this](const Area& display) {
        const int left = std::max(x, display.x);
        const int right = std::min(x + width, display.x + display.width);
        // The top edge, where the title bar is grabbed, must be on the display.
        const bool topOnDisplay = y >= display.y && y + VisibleHeight <= display.y + display.height;
        return topOnDisplay && right - left >= VisibleWidth;
    };
    if (positioned && std::none_of(displays.begin(), displays.end(), shows)) {
        positioned = false;
    }
}
