#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include "support/GLTestWindow.h"

namespace {

// The scripted players of the real headless program, in a folder of their own (the game keeps its
// progress in the working directory).
class ScriptedPlayerTest : public ::testing::Test {
protected:
    std::string Play(const std::string& arguments) {
        const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
        const std::string build = std::filesystem::absolute(buildDir ? buildDir : ".").string();
        const std::string command = "cd " + dir.Path() + " && ASAN_OPTIONS=detect_leaks=0 " + build +
                                    "/tandolo-headless --levels " + build + "/levels " + arguments + " >" +
                                    dir.File("out.txt") + " 2>" + dir.File("errors.txt");
        const int status = std::system(command.c_str());
        const std::string output = Contents("out.txt");
        // Messages on stderr (a sound missing from the data, say) are not the player's report.
        return WIFEXITED(status) && WEXITSTATUS(status) == 0
                   ? output
                   : "exit " + std::to_string(status) + output + Contents("errors.txt");
    }
    std::string Contents(const std::string& name) const {
        std::ifstream file(dir.File(name));
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    TempDir dir;
};

// Both players clear the first level from the world's presentation on, the same way every time
// for one seed, and a run cut short says so.
TEST_F(ScriptedPlayerTest, ClearsWorldOneStageOneRepeatably) {
    for (const char* player : {"careful", "hasty"}) {
        const std::string first = Play(std::string("--player ") + player + " --seed 4 -- /world=1 /stage=1");
        EXPECT_EQ(first.rfind(std::string(player) + " won ticks ", 0), 0u) << first;
        EXPECT_EQ(Play(std::string("--player ") + player + " --seed 4 -- /world=1 /stage=1"), first);
    }
    EXPECT_EQ(Play("--player hasty --ticks 200 -- /world=1 /stage=1").rfind("hasty unfinished ticks ", 0),
              0u);
    EXPECT_FALSE(std::filesystem::exists(dir.File("world.dat")));  // the run ends before the next level
}

}  // namespace
