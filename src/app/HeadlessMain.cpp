#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/HeadlessDriver.h"
#include "app/ScriptedPlayer.h"
#include "core/ReadWholeNumber.h"
#include "engine/EngineFile.h"

namespace {

const char* const usage =
    "usage: tandolo-headless [--ticks N] [--seed S] [--script FILE] [--shot TICK:FILE.png]... [--bench]\n"
    "                        [--board TICK:FILE]... [--levels FOLDER] [--player careful|hasty]\n"
    "                        [--soak] [--monkey [--minutes M]] [--window WIDTHxHEIGHT] [-- GAME ARGUMENTS]\n"
    "Runs the game without a display, one logic tick per frame, and quits after N ticks (default 600).\n"
    "A script holds one event a line: '<tick> move X Y', '<tick> down', '<tick> up', '<tick> click X Y',\n"
    "'<tick> key NAME down|up', '<tick> shot FILE.png', '<tick> board FILE', '<tick> quit',\n"
    "'<tick> throw left|right ITEM' (clock vaccine soap nopet spoon sandclock eddy: the tree throws it\n"
    "in as after a set), '<tick> take left|right a|b' (a click on the item in that slot, where it is).\n"
    "An event at tick T acts once T ticks have run; a shot at tick T shows the frame drawn then; 'board'\n"
    "writes the play screen as text (FILE '-' is standard output; later dumps to one file are appended).\n"
    "--levels takes the level files (levelW-S.txt) from FOLDER; '-- /world=W /stage=S' starts at that "
    "level.\n"
    "--player has a scripted player play the level until it is won or lost (or N ticks, when given) and\n"
    "print one line: the outcome, ticks of play, the fraction of the bar left at a win, items taken and\n"
    "spent to effect, and the longest stall without a set in ticks. Frames are drawn only for shots.\n"
    "--soak (with --player) plays on through every level to the end of the game, a line per level with\n"
    "the memory the process holds; a lost level is restarted.\n"
    "--monkey clicks, drags and presses keys at random through every screen, seeded by --seed, and cuts\n"
    "the time bar short now and then; QUIT and the window's close button are left alone until the N ticks\n"
    "(or M minutes, whichever comes first) are over, then one of them ends the run. It prints the memory\n"
    "held every 3600 ticks and, at the end, the screens entered (times/ticks) and those never seen.\n"
    "--window opens the window at that size (the game's 800 x 600 screen scaled to fit, in black bars);\n"
    "shots then show the whole window.\n";

bool ReadNumber(const char* text, int64_t max, uint32_t& value) {
    const std::optional<int64_t> number = ReadWholeNumber(text, 0, max);
    if (number) {
        value = static_cast<uint32_t>(*number);
    }
    return number.has_value();
}

// "WIDTHxHEIGHT", each within what a window may be.
bool ReadWindowSize(const std::string& text, WindowPlacement& placement) {
    const size_t x = text.find('x');
    const std::optional<int64_t> width =
        ReadWholeNumber(text.substr(0, x), WindowPlacement::MinWidth, WindowPlacement::MaxSide);
    const std::optional<int64_t> height =
        x == std::string::npos
            ? std::nullopt
            : ReadWholeNumber(text.substr(x + 1), WindowPlacement::MinHeight, WindowPlacement::MaxSide);
    if (!width || !height) {
        return false;
    }
    placement.width = static_cast<int>(*width);
    placement.height = static_cast<int>(*height);
    return true;
}

// A week: far longer than any soak, and short of overflowing the milliseconds it is counted in.
constexpr int64_t MaxMinutes = 7 * 24 * 60;

int Fail(const std::string& message) {
    std::fprintf(stderr, "tandolo-headless: %s\n%s", message.c_str(), usage);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    // No display and no sound card needed; an explicit choice in the environment wins.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);

    HeadlessDriver::Options options;
    bool ticksGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--") {
            for (++i; i < argc; ++i) {
                options.commandLine += (options.commandLine.empty() ? "" : " ") + std::string(argv[i]);
            }
        } else if (argument == "--ticks" && hasValue) {
            ticksGiven = true;
            if (!ReadNumber(argv[++i], HeadlessDriver::MaxTick, options.ticks)) {
                return Fail("--ticks needs " + WholeNumberRange(0, HeadlessDriver::MaxTick));
            }
        } else if (argument == "--seed" && hasValue) {
            if (!ReadNumber(argv[++i], UINT32_MAX, options.seed)) {
                return Fail("--seed needs " + WholeNumberRange(0, UINT32_MAX));
            }
        } else if (argument == "--script" && hasValue) {
            std::string text;
            std::string error;
            if (!ReadRegularFile(argv[++i], text, error)) {
                return Fail(std::string(argv[i]) + " " + error);
            }
            if (!HeadlessDriver::ParseScript(text, argv[i], options.events, error)) {
                return Fail(error);
            }
        } else if (argument == "--shot" && hasValue) {
            const std::string shot = argv[++i];
            const size_t colon = shot.find(':');
            std::string error;
            if (colon == std::string::npos ||
                !HeadlessDriver::ParseScript(shot.substr(0, colon) + " shot " + shot.substr(colon + 1),
                                             "--shot", options.events, error)) {
                return Fail("--shot needs TICK:FILE.png");
            }
        } else if (argument == "--board" && hasValue) {
            const std::string dump = argv[++i];
            const size_t colon = dump.find(':');
            std::string error;
            if (colon == std::string::npos ||
                !HeadlessDriver::ParseScript(dump.substr(0, colon) + " board " + dump.substr(colon + 1),
                                             "--board", options.events, error)) {
                return Fail("--board needs TICK:FILE");
            }
        } else if (argument == "--levels" && hasValue) {
            options.levelFolder = std::filesystem::absolute(argv[++i]).string();
        } else if (argument == "--player" && hasValue) {
            options.player = argv[++i];
            if (!ScriptedPlayer::StrengthFromName(options.player)) {
                return Fail("--player needs careful or hasty");
            }
        } else if (argument == "--soak") {
            options.soak = true;
        } else if (argument == "--monkey") {
            options.monkey = true;
        } else if (argument == "--minutes" && hasValue) {
            if (!ReadNumber(argv[++i], MaxMinutes, options.minutes)) {
                return Fail("--minutes needs " + WholeNumberRange(0, MaxMinutes));
            }
        } else if (argument == "--window" && hasValue) {
            WindowPlacement placement;
            if (!ReadWindowSize(argv[++i], placement)) {
                return Fail("--window needs WIDTHxHEIGHT, at least " +
                            std::to_string(WindowPlacement::MinWidth) + "x" +
                            std::to_string(WindowPlacement::MinHeight) + " and at most " +
                            std::to_string(WindowPlacement::MaxSide) + " each");
            }
            options.window = placement;
        } else if (argument == "--bench") {
            options.bench = true;
        } else {
            return Fail("unknown argument '" + argument + "'");
        }
    }
    if (options.soak && options.player.empty()) {
        return Fail("--soak needs --player");
    }
    if (options.monkey && !options.player.empty()) {
        return Fail("--monkey and --player both want the mouse");
    }
    if (options.minutes > 0 && !options.monkey) {
        return Fail("--minutes needs --monkey");
    }
    if ((!options.player.empty() || options.minutes > 0) && !ticksGiven) {
        options.ticks = HeadlessDriver::MaxTick;  // the level, or the clock, ends the run
    }
    HeadlessDriver driver(options);
    return driver.Run();
}
