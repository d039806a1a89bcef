#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Without a display SDL would quietly draw off screen; the game must say so and stop.
TEST(StartupTest, WithoutADisplayTheGameSaysSoAndEndsWithCodeOne) {
    if (std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr) {
        GTEST_SKIP() << "a display is present";
    }
    const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
    const std::string command = "env -u SDL_VIDEODRIVER ASAN_OPTIONS=detect_leaks=0 timeout 20 " +
                                std::string(buildDir ? buildDir : ".") + "/tandolo 2>&1";
    FILE* output = popen(command.c_str(), "r");
    ASSERT_NE(output, nullptr);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, output) != nullptr) {
        text += buffer;
    }
    const int status = pclose(output);
    EXPECT_EQ(WEXITSTATUS(status), 1) << text;
    EXPECT_NE(text.find("no display was found"), std::string::npos) << text;
}

}  // namespace
