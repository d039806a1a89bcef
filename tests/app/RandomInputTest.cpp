#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/GLTestWindow.h"

namespace {

// The screens line of a short random run of the real program, in a folder of its own: the run
// saves progress and settings where it is started, and those would steer the next run.
std::string ScreensOfRun(const std::string& arguments) {
    TempDir dir;
    const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
    const std::string program =
        std::filesystem::absolute(std::string(buildDir ? buildDir : ".") + "/tandolo-headless").string();
    const std::string command =
        "cd " + dir.Path() + " && LP_NUM_THREADS=0 ASAN_OPTIONS=detect_leaks=0 " + program + " " + arguments;
    FILE* output = popen(command.c_str(), "r");
    std::string text;
    char buffer[512];
    while (output != nullptr && std::fgets(buffer, sizeof buffer, output) != nullptr) {
        text += buffer;
    }
    const int status = output != nullptr ? pclose(output) : -1;
    EXPECT_EQ(status, 0) << text;
    const size_t line = text.find("screens ");
    return line == std::string::npos ? text : text.substr(line, text.find('\n', line) - line);
}

// The seed alone decides the run, and it finds its way from the intro into the menus.
TEST(RandomInputRunTest, TheSeedReplaysTheRunThroughTheMenus) {
    const std::string screens = ScreensOfRun("--monkey --seed 3 --ticks 700");
    EXPECT_EQ(screens, ScreensOfRun("--monkey --seed 3 --ticks 700"));
    EXPECT_NE(screens, ScreensOfRun("--monkey --seed 4 --ticks 700"));
    EXPECT_NE(screens.find(" main-menu "), std::string::npos) << screens;
    EXPECT_EQ(screens.find(" main-menu 0/"), std::string::npos) << screens;
}

}  // namespace
