#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>

#include "app/HeadlessDriver.h"
#include "support/GLTestWindow.h"

namespace {

using Events = std::vector<HeadlessDriver::Event>;

TEST(HeadlessScriptTest, EventsAreReadSortedByTick) {
    Events events;
    std::string error;
    ASSERT_TRUE(HeadlessDriver::ParseScript(
        "# warm up\n\n20 click 10 20\n5 move 1 2  # early\n20 key escape down\n30 board /tmp/b.txt\n",
        "play.txt", events, error))
        << error;
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].tick, 5u);
    EXPECT_EQ(events[0].action, "move");
    EXPECT_EQ(events[1].action, "click");  // same tick keeps the script's order
    EXPECT_EQ(events[2].arguments, (std::vector<std::string>{"escape", "down"}));
    EXPECT_EQ(events[3].arguments, std::vector<std::string>{"/tmp/b.txt"});
}

TEST(HeadlessScriptTest, MalformedLinesNameTheFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"10 move 1\n", "play.txt:1:"},
        {"1 up\nten click 1 2\n", "play.txt:2:"},
        {"1 jump\n", "play.txt:1:"},
        {"1 key hyper down\n", "play.txt:1: key: unknown key"},
        {"1 key escape sideways\n", "play.txt:1:"},
        {"1 click a b\n", "play.txt:1: click"},
        {"-3 up\n", "play.txt:1:"},
        // Numbers never wrap into something else.
        {"4294967296 quit\n", "play.txt:1:"},
        {"1 move 1e2 5\n", "play.txt:1: move"},
        {"1 click 5 99999999999\n", "play.txt:1: click"},
        {"1 key 4294967296 down\n", "play.txt:1: key: unknown key"},
        {"5 board\n", "play.txt:1: unknown action or wrong number of arguments: 'board'"},
        {"5 throw up clock\n", "play.txt:1: throw: names the 'left' or 'right' tree"},
        {"5 throw left cake\n", "play.txt:1: throw: unknown item 'cake'"},
        {"5 take right c\n", "play.txt:1: take: takes the item in slot 'a' or 'b'"},
    };
    for (const auto& [script, expected] : cases) {
        Events events;
        std::string error;
        EXPECT_FALSE(HeadlessDriver::ParseScript(script, "play.txt", events, error)) << script;
        EXPECT_EQ(error.rfind(expected, 0), 0u) << script << " gave: " << error;
    }
}

// The real headless program, run as a player would run it.
class HeadlessRunTest : public ::testing::Test {
protected:
    static std::string Program() {
        const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
        return std::filesystem::absolute(std::string(buildDir ? buildDir : ".") + "/tandolo-headless")
            .string();
    }
    // The program's exit status; what it printed is kept in Log() for failure messages.
    // In sanitizer builds the leak check stays off for the child: its tracer can crash at
    // exit while the software renderer's threads wind down, and the tests in this process
    // check leaks of the same code anyway.
    int Run(const std::string& arguments, const std::string& prefix = "") {
        const std::string command = prefix + " ASAN_OPTIONS=detect_leaks=0 " + Program() + " " + arguments +
                                    " >" + dir.File("log.txt") + " 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Log() { return ReadBytes(dir.File("log.txt")); }
    static std::string ReadBytes(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }
    static RGBA PixelAt(SDL_Surface* surface, int x, int y) {
        SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_ABGR8888, 0);
        const auto* row = static_cast<const uint8_t*>(rgba->pixels) + y * rgba->pitch + x * 4;
        RGBA pixel{row[0], row[1], row[2], row[3]};
        SDL_FreeSurface(rgba);
        return pixel;
    }
    TempDir dir;
};

// The shot holds the frame as drawn: the sky of the play screen shows as it is in its file.
TEST_F(HeadlessRunTest, ScreenshotShowsThePlayScreenAsDrawn) {
    std::ofstream(dir.File("level1-2.txt")) << "XXX\n#\nTIME: 60\nCELLS_NORMAL: F\n";
    const std::string shot = dir.File("shot.png");
    ASSERT_EQ(Run("--ticks 2 --shot 1:" + shot + " --levels " + dir.Path() + " -- /world=1 /stage=2"), 0)
        << Log();
    SDL_Surface* picture = IMG_Load(shot.c_str());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->w, 800);
    EXPECT_EQ(picture->h, 600);
    const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
    SDL_Surface* sky =
        IMG_Load((std::string(buildDir ? buildDir : ".") + "/data/gfx/interface/sky_day.tga").c_str());
    ASSERT_NE(sky, nullptr);
    const RGBA expected = PixelAt(sky, 780, 20);
    const RGBA shown = PixelAt(picture, 780, 20);
    EXPECT_NEAR(shown.r, expected.r, 2);
    EXPECT_NEAR(shown.g, expected.g, 2);
    EXPECT_NEAR(shown.b, expected.b, 2);
    SDL_FreeSurface(sky);
    SDL_FreeSurface(picture);
}

// With no level file to play the game says so and ends, leaving "error.txt" behind.
TEST_F(HeadlessRunTest, NoLevelAtAllEndsTheGameWithItsMessage) {
    ASSERT_EQ(
        Run("--ticks 5 --levels " + dir.File("none") + " -- /world=1 /stage=1", "cd " + dir.Path() + " &&"),
        1)
        << Log();
    EXPECT_EQ(ReadBytes(dir.File("error.txt")), "couldn't load level");
    EXPECT_NE(Log().find("No level could be loaded"), std::string::npos) << Log();
}

// The seed alone decides a level's random cells: the same seed and script give the same
// boards and frames, another seed another board.
TEST_F(HeadlessRunTest, TheSeedDecidesTheGame) {
    std::ofstream(dir.File("level1-2.txt"))
        << "XXXXXX\nXXXXXX\nXXXXXX\nXXXXXX\n#\nCELLS_NORMAL: FKPMDT\nPROB_STAR: 10\n";
    // With this seed the left tree puts its first item into slot b.
    std::ofstream(dir.File("play.txt"))
        << "20 throw left vaccine\n110 take left b\n150 move 400 300\n160 click 400 300\n";
    struct Game {
        std::string boards;
        std::string frame;
    };
    const auto play = [&](int seed) {
        const std::string board = dir.File("board" + std::to_string(seed) + ".txt");
        std::remove(board.c_str());
        EXPECT_EQ(
            Run("--levels " + dir.Path() + " --ticks 200 --seed " + std::to_string(seed) + " --script " +
                dir.File("play.txt") + " --board 1:" + board + " --board 140:" + board +
                " --board 199:" + board + " --shot 199:" + dir.File("shot.png") + " -- /world=1 /stage=2"),
            0)
            << Log();
        return Game{ReadBytes(board), ReadBytes(dir.File("shot.png"))};
    };
    const Game first = play(3);
    for (const char* line : {"\ntimer remaining ", "\ntree left a - ", "\ntree right a - ",
                             "\npointer vaccine uses 5\n", "\ncounter "}) {
        EXPECT_NE(first.boards.find(line), std::string::npos) << line << " missing from:\n" << first.boards;
    }
    const Game again = play(3);
    EXPECT_EQ(first.boards, again.boards);
    EXPECT_TRUE(!first.frame.empty() && first.frame == again.frame);
    EXPECT_NE(first.boards, play(4).boards);
}

TEST_F(HeadlessRunTest, BadArgumentsAndScriptsAreRefused) {
    std::ofstream(dir.File("bad.txt")) << "5 wiggle\n";
    ASSERT_EQ(mkfifo(dir.File("fifo.txt").c_str(), 0600), 0);  // would block a plain open for ever
    const std::pair<std::string, std::string> cases[] = {
        {"--script " + dir.File("bad.txt"), "bad.txt:1:"},
        {"--ticks many", "--ticks needs a whole number from 0 to 1000000000"},
        {"--ticks 4294967296", "--ticks needs a whole number"},
        {"--seed -1", "--seed needs a whole number from 0 to 4294967295"},
        {"--script " + dir.File("missing.txt"), "missing.txt No such file or directory"},
        {"--script " + dir.File("fifo.txt"), "fifo.txt is not a regular file"},
    };
    for (const auto& [arguments, message] : cases) {
        EXPECT_EQ(Run(arguments), 2) << arguments;
        EXPECT_NE(Log().find(message), std::string::npos) << arguments << " said: " << Log();
    }
}

// A FIFO would block a plain open of the settings until something writes to it.
TEST_F(HeadlessRunTest, AFifoInPlaceOfTheSettingsDoesNotHangTheStart) {
    ASSERT_EQ(mkfifo(dir.File("options.dat").c_str(), 0600), 0);
    EXPECT_EQ(Run("--ticks 2", "cd " + dir.Path() + " && timeout 20 env"), 0) << Log();
}

// A shot or board that cannot be written is no success: the run says why and ends with code 3.
TEST_F(HeadlessRunTest, WritesThatFailAreReportedWithTheirReason) {
    std::ofstream(dir.File("plain.txt")) << "not a folder";
    const std::string board = dir.File("plain.txt/board.txt");
    const std::string shot = dir.File("plain.txt/shot.png");
    EXPECT_EQ(Run("--ticks 5 --board 2:" + board + " --shot 3:" + shot + " --shot 4:" + dir.File("shot.png")),
              3);
    for (const std::string& file : {board, shot}) {
        EXPECT_NE(Log().find("could not write " + file + ": Not a directory"), std::string::npos) << Log();
    }
    EXPECT_TRUE(std::filesystem::exists(dir.File("shot.png")));  // the run went on
}

}  // namespace
