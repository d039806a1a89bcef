#pragma once

#include <string>
#include <string_view>
#include <vector>

// Where the window sits on the desktop, remembered between runs in a small text file beside the
// saves: its size and position as a plain window (also while maximised or full screen, so it
// comes back to that), and whether it was maximised.
class WindowPlacement {
public:
    static constexpr int MinWidth = 400;
    static constexpr int MinHeight = 300;
    // Larger than any desktop; keeps every sum of sizes and positions far from wrapping.
    static constexpr int MaxSide = 32768;
    static constexpr int MaxPosition = 1'000'000;

    struct Area {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };

    int x = 0;
    int y = 0;
    int width = 800;
    int height = 600;
    bool positioned = false;  // false: centred on the display
    bool maximised = false;

    bool operator==(const WindowPlacement&) const = default;

    // Reads the file. Missing: false without a word. Damaged: false with a line on stderr naming
    // the file and the line; placement is left alone either way.
    static bool Read(const std::string& path, WindowPlacement& placement);
    // The placement in text; false, with "line N: why" in error, for a damaged one.
    static bool Parse(std::string_view text, WindowPlacement& placement, std::string& error);
    std::string Text() const;
    // Writes the file safely (the old one stays whole until the new one is); false with the file
    // and the system's reason in error.
    bool Write(const std::string& path, std::string& error) const;

    // Forgets a position that leaves too little of the window on every display (a monitor
    // unplugged since): the window is centred instead.
    void KeepOnDisplays(const std::vector<Area>& displays);
};
