#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <utility>

#include "support/GLTestWindow.h"

namespace {

std::string FirstLine(const std::string& path) {
    std::string line;
    std::getline(std::ifstream(path), line);
    return line;
}

// The value of "key=" in a desktop entry.
std::string DesktopValue(const std::string& path, const std::string& key) {
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        if (line.rfind(key + "=", 0) == 0) {
            return line.substr(key.size() + 1);
        }
    }
    return "";
}

// Width and height from a PNG's header chunk, or 0 x 0 when it is no PNG.
std::pair<int, int> PngSize(const std::string& path) {
    unsigned char header[24] = {};
    std::ifstream(path, std::ios::binary).read(reinterpret_cast<char*>(header), sizeof header);
    if (std::string(reinterpret_cast<char*>(header) + 1, 3) != "PNG" ||
        std::string(reinterpret_cast<char*>(header) + 12, 4) != "IHDR") {
        return {0, 0};
    }
    auto bigEndian = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return {bigEndian(16), bigEndian(20)};
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

TEST_F(InstallTest, TheDesktopFindsTheMenuEntryItsIconAndTheDescription) {
    const std::string share = dir_.File("usr/share/");
    const std::string entry = share + "applications/io.github.tandolo.Tandolo.desktop";
    ASSERT_EQ(DesktopValue(entry, "Exec"), "tandolo");
    // The entry names its icon; the theme must hold that name at every size.
    const std::string icon = DesktopValue(entry, "Icon");
    for (int size : {48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(PngSize(share + "icons/hicolor/" + folder + "/apps/" + icon + ".png"),
                  std::make_pair(size, size))
            << folder;
    }
    std::stringstream svg;
    svg << std::ifstream(share + "icons/hicolor/scalable/apps/" + icon + ".svg").rdbuf();
    EXPECT_EQ(svg.str().rfind("<svg", 0), 0u);
    for (const char* screenshot : {"play.png", "world-choice.png"}) {
        EXPECT_EQ(PngSize(share + "tandolo/screenshots/" + screenshot), std::make_pair(800, 600))
            << screenshot;
    }

    // validate-tree also checks that the metainfo's launchable names the installed entry.
    const std::pair<const char*, std::string> validations[] = {
        {"desktop-file-validate", "'" + entry + "'"},
        {"appstreamcli", "validate-tree --no-net '" + dir_.File("usr") + "'"},
    };
    for (const auto& [tool, arguments] : validations) {
        if (std::system(("command -v " + std::string(tool) + " > /dev/null").c_str()) != 0) {
            GTEST_SKIP() << tool << " is not installed (tools/install-deps.sh installs it)";
        }
        EXPECT_EQ(std::system((tool + (" " + arguments) + " > '" + dir_.File("out.txt") + "' 2>&1").c_str()),
                  0)
            << tool << ": " << std::ifstream(dir_.File("out.txt")).rdbuf();
    }
}

}  // namespace
