#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "support/GLTestWindow.h"

namespace {

std::string FirstLine(const std::string& path) {
    std::string line;
    std::getline(std::ifstream(path), line);
    return line;
}

// Installs the build into a temporary prefix and runs the installed game from another working
// directory, under a timeout, its output kept in out.txt and err.txt.
class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
        ASSERT_EQ(std::system(("cmake --install '" + std::string(buildDir ? buildDir : ".") + "' --prefix '" +
                               dir_.File("usr") + "' > /dev/null")
                                  .c_str()),
                  0);
        std::filesystem::create_directories(dir_.File("elsewhere"));
    }

    int Run(const std::string& arguments, const std::string& environment, const std::string& timeout) const {
        const std::string command = "cd '" + dir_.File("elsewhere") + "' && env " + environment +
                                    " ASAN_OPTIONS=detect_leaks=0 timeout " + timeout + " '" +
                                    dir_.File("usr/bin/tandolo") + "' " + arguments + " > '" +
                                    dir_.File("out.txt") + "' 2> '" + dir_.File("err.txt") + "'";
        return WEXITSTATUS(std::system(command.c_str()));
    }

    TempDir dir_;
};

TEST_F(InstallTest, HelpVersionAndUnknownArgumentsAnswerWithoutAWindow) {
    const struct {
        const char* arguments;
        int exitCode;
        const char* firstLineOut;
        const char* firstLineErr;
    } cases[] = {
        {"--help", 0, "Usage: tandolo [/world=N /stage=N]", ""},
        {"/world=2 --version", 0, "tandolo 1.0.0", ""},
        {"-h", 2, "", "tandolo: unknown argument \"-h\""},
        {"/world=2 stage=3", 2, "", "tandolo: unknown argument \"stage=3\""},
    };
    for (const auto& c : cases) {
        // No display at all: an answer that tried to open a window would fail.
        EXPECT_EQ(Run(c.arguments, "-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER", "20"), c.exitCode)
            << c.arguments;
        EXPECT_EQ(FirstLine(dir_.File("out.txt")), c.firstLineOut) << c.arguments;
        EXPECT_EQ(FirstLine(dir_.File("err.txt")), c.firstLineErr) << c.arguments;
    }
}

TEST_F(InstallTest, TheInstalledGameFindsItsDataAndLooksForItsSavesInTheXdgFolder) {
    EXPECT_FALSE(std::filesystem::exists(dir_.File("usr/share/tandolo/data/gfx/.made")));
    // A folder in place of the settings makes the game name the path it read them from.
    std::filesystem::create_directories(dir_.File("xdg/tandolo/options.dat"));
    // Ended as a desktop ends it, by its quit request: a normal end.
    EXPECT_EQ(Run("/world=1 /stage=1",
                  "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy XDG_DATA_HOME='" + dir_.File("xdg") + "'",
                  "--preserve-status -s TERM 5"),
              0);
    std::stringstream err;
    err << std::ifstream(dir_.File("err.txt")).rdbuf();
    EXPECT_NE(err.str().find(dir_.File("xdg/tandolo/options.dat") + ": is not a regular file"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(err.str().find("Cannot load"), std::string::npos) << err.str();
    // Nothing of the game's lands in the working directory.
    EXPECT_TRUE(std::filesystem::is_empty(dir_.File("elsewhere")));
}

}  // namespace
