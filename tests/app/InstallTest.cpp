#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "support/GLTestWindow.h"

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// Installs the build into a temporary prefix and runs the installed game from another working
// directory, its output kept in out.txt and err.txt.
class InstallTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
        prefix_ = new TempDir;
        const std::string command = "cmake --install '" + std::string(buildDir ? buildDir : ".") +
                                    "' --prefix '" + prefix_->Path() + "' > /dev/null";
        installStatus_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        delete prefix_;
        prefix_ = nullptr;
    }

    void SetUp() override {
        ASSERT_EQ(installStatus_, 0);
        std::filesystem::create_directories(dir_.File("elsewhere"));
    }

    // The exit code of the installed game run with these arguments and variables, under the
    // wrapper command if one is given.
    int Run(const std::string& arguments, const std::string& environment = "",
            const std::string& wrapper = "timeout 20") const {
        const std::string command = "cd '" + dir_.File("elsewhere") + "' && env " + environment +
                                    " ASAN_OPTIONS=detect_leaks=0 " + wrapper + " '" + prefix_->Path() +
                                    "/bin/tandolo' " + arguments + " > '" + dir_.File("out.txt") + "' 2> '" +
                                    dir_.File("err.txt") + "'";
        return WEXITSTATUS(std::system(command.c_str()));
    }
    std::string Out() const { return ReadText(dir_.File("out.txt")); }
    std::string Err() const { return ReadText(dir_.File("err.txt")); }

    static TempDir* prefix_;
    static int installStatus_;
    TempDir dir_;
};

TempDir* InstallTest::prefix_ = nullptr;
int InstallTest::installStatus_ = -1;

TEST_F(InstallTest, TheGameAndItsDataAreInstalledWithoutTheBuildsStamps) {
    EXPECT_TRUE(std::filesystem::is_regular_file(prefix_->File("share/tandolo/levels/level8-5.txt")));
    EXPECT_TRUE(std::filesystem::is_regular_file(prefix_->File("share/tandolo/data/gfx/menu/buttons.png")));
    EXPECT_FALSE(std::filesystem::exists(prefix_->File("share/tandolo/data/gfx/.made")));
}

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
        EXPECT_EQ(Run(c.arguments, "-u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER"), c.exitCode)
            << c.arguments;
        EXPECT_EQ(FirstLine(Out()), c.firstLineOut) << c.arguments;
        EXPECT_EQ(FirstLine(Err()), c.firstLineErr) << c.arguments;
        if (c.exitCode != 0) {
            EXPECT_NE(Err().find("Usage: tandolo"), std::string::npos) << "the help follows the message";
        }
    }
}

TEST_F(InstallTest, TheInstalledGameFindsItsDataAndLooksForItsSavesInTheXdgFolder) {
    // A folder in place of the settings makes the game name the path it read them from.
    std::filesystem::create_directories(dir_.File("xdg/tandolo/options.dat"));
    // Ended as a desktop ends it: the game's quit request, a normal end.
    EXPECT_EQ(Run("/world=1 /stage=1",
                  "SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy XDG_DATA_HOME='" + dir_.File("xdg") + "'",
                  "timeout --preserve-status -s TERM 5"),
              0)
        << Err();
    EXPECT_NE(Err().find(dir_.File("xdg/tandolo/options.dat") + ": is not a regular file"), std::string::npos)
        << Err();
    EXPECT_EQ(Err().find("Cannot load"), std::string::npos) << Err();
    // Nothing of the game's lands in the working directory.
    EXPECT_TRUE(std::filesystem::is_empty(dir_.File("elsewhere")));
}

}  // namespace
