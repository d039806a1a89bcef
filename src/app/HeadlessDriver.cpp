#include "app/HeadlessDriver.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <sstream>
#include <unistd.h>

#include "app/CLauncher.h"
#include "app/CUndrawnRoot.h"
#include "app/GameStartup.h"
#include "app/PlayView.h"
#include "app/RandomInput.h"
#include "app/ScriptedPlayer.h"
#include "core/App.h"
#include "core/Random.h"
#include "core/ReadWholeNumber.h"
#include "engine/Clock.h"
#include "engine/GameWindow.h"
#include "engine/Input.h"
#include "flow/CGame.h"
#include "flow/PlayScreenText.h"
#include "game/CItem.h"
#include "scene/GameObject.h"

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer's own count; it keeps freed blocks a while, so the process's size alone
// would hide whether the game's heap grows.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// A monkey run draws one tick in four: every screen is still drawn many times over, and the
// software renderer would otherwise take most of the run.
constexpr uint32_t MonkeyDrawTicks = 4;
// A minute of play between memory lines.
constexpr uint32_t MemoryReportTicks = 3600;
// About once in half a minute of play the bar is cut short, so that game over comes often.
constexpr int BarCutChance = 1800;
// Time to find QUIT once the run is over; then the window is closed.
constexpr uint32_t LeavingTicks = 3000;

double WallMilliseconds() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double CpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// Key names a script may use, besides the plain engine key code.
int KeyCodeFromName(const std::string& name) {
    static const std::map<std::string, int> names = {
        {"escape", KeyEscape},    {"space", KeySpace}, {"enter", KeyEnter},
        {"lshift", KeyLeftShift}, {"f12", KeyF12},     {"printscreen", KeyPrintScreen},
        {"left", KeyLeft},        {"right", KeyRight}, {"up", KeyUp},
        {"down", KeyDown},        {"tab", KeyTab},     {"alt", KeyAlt},
    };
    auto entry = names.find(name);
    if (entry != names.end()) {
        return entry->second;
    }
    if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z') {
        return KeyA + (name[0] - 'a');
    }
    return static_cast<int>(ReadWholeNumber(name, 0, KeyCount - 1).value_or(-1));
}

size_t ArgumentCount(const std::string& action) {
    static const std::map<std::string, size_t> counts = {
        {"move", 2},  {"down", 0}, {"up", 0},    {"click", 2}, {"key", 2}, {"shot", 1},
        {"board", 1}, {"quit", 0}, {"close", 0}, {"throw", 2}, {"take", 2}};
    auto entry = counts.find(action);
    return entry == counts.end() ? SIZE_MAX : entry->second;
}

bool IsCoordinate(const std::string& text) {
    return ReadWholeNumber(text, -HeadlessDriver::MaxCoordinate, HeadlessDriver::MaxCoordinate).has_value();
}

std::string CheckArguments(const HeadlessDriver::Event& event) {
    if ((event.action == "move" || event.action == "click") &&
        !(IsCoordinate(event.arguments[0]) && IsCoordinate(event.arguments[1]))) {
        return "expects two coordinates, each " +
               WholeNumberRange(-HeadlessDriver::MaxCoordinate, HeadlessDriver::MaxCoordinate);
    }
    if (event.action == "key") {
        if (KeyCodeFromName(event.arguments[0]) < 0) {
            return "unknown key '" + event.arguments[0] + "'";
        }
        if (event.arguments[1] != "down" && event.arguments[1] != "up") {
            return "a key goes 'down' or 'up'";
        }
    }
    const bool onTree = event.action == "throw" || event.action == "take";
    if (onTree && event.arguments[0] != "left" && event.arguments[0] != "right") {
        return "names the 'left' or 'right' tree";
    }
    if (event.action == "throw" && ItemType::FromName(event.arguments[1]) == ItemType::None) {
        return "unknown item '" + event.arguments[1] + "'";
    }
    if (event.action == "take" && event.arguments[1] != "a" && event.arguments[1] != "b") {
        return "takes the item in slot 'a' or 'b'";
    }
    return {};
}

// The first game in the tree, depth first.
CGame* FindGame(CGameObject* object) {
    if (auto* game = dynamic_cast<CGame*>(object)) {
        return game;
    }
    for (CGameObject* child : object->Children()) {
        if (CGame* game = FindGame(child)) {
            return game;
        }
    }
    return nullptr;
}

// The memory the process holds now (resident set), from Linux's /proc.
long ResidentKilobytes() {
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long HeapKilobytes() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

long CountObjects(const CGameObject& object) {
    long count = 1;
    for (const CGameObject* child : object.Children()) {
        count += CountObjects(*child);
    }
    return count;
}

}  // namespace

bool HeadlessDriver::ParseScript(const std::string& text, const std::string& sourceName,
                                 std::vector<Event>& events, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string tickWord;
        if (!(words >> tickWord)) {
            continue;
        }
        Event event;
        std::string word;
        std::vector<std::string> rest;
        while (words >> word) {
            rest.push_back(word);
        }
        const std::string where = sourceName + ":" + std::to_string(lineNumber) + ": ";
        const std::optional<int64_t> tick = ReadWholeNumber(tickWord, 0, MaxTick);
        if (!tick || rest.empty()) {
            error =
                where + "expected '<tick> <action> [arguments]' with a tick " + WholeNumberRange(0, MaxTick);
            return false;
        }
        event.tick = static_cast<uint32_t>(*tick);
        event.action = rest.front();
        event.arguments.assign(rest.begin() + 1, rest.end());
        if (ArgumentCount(event.action) != event.arguments.size()) {
            error = where + "unknown action or wrong number of arguments: '" + event.action + "'";
            return false;
        }
        if (const std::string problem = CheckArguments(event); !problem.empty()) {
            error = where + event.action + ": " + problem;
            return false;
        }
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.tick < b.tick; });
    return true;
}

HeadlessDriver::HeadlessDriver(Options options) : options_(std::move(options)) {
    if (!options_.player.empty()) {
        player_ = NewPlayer(options_.seed);
    }
    if (options_.monkey) {
        monkey_ = std::make_unique<RandomInput>(options_.seed);
    }
}

HeadlessDriver::~HeadlessDriver() = default;

std::unique_ptr<ScriptedPlayer> HeadlessDriver::NewPlayer(uint32_t seed) const {
    return std::make_unique<ScriptedPlayer>(
        ScriptedPlayer::StrengthFromName(options_.player).value_or(ScriptedPlayer::Strength::Careful), seed);
}

int HeadlessDriver::Run() {
    startWallMs_ = WallMilliseconds();
    input_.onBeforePresent = [this] { OnFrame(); };
    SetInputSeam(&input_);
    const int exitCode = RunGame(
        options_.commandLine,
        [this]() -> std::unique_ptr<CGameObject> {
            // Seeded after start-up so the same script always sees the same game.
            SeedRandom(options_.seed);
            std::unique_ptr<CGameObject> root = options_.levelFolder.empty()
                                                    ? MakeGameRoot()
                                                    : std::make_unique<CLauncher>(options_.levelFolder);
            if (!player_ && !monkey_) {
                return root;
            }
            auto undrawn = std::make_unique<CUndrawnRoot>(std::move(root));
            undrawnRoot_ = undrawn.get();
            return undrawn;
        },
        options_.window);
    undrawnRoot_ = nullptr;
    SetInputSeam(nullptr);
    if (player_) {
        std::printf("%s\n", player_->Summary().c_str());
    }
    if (monkey_) {
        PrintMonkeySummary();
    }
    if (writeFailed_ && exitCode == 0) {
        return WriteFailedExit;
    }
    if (options_.bench && bench_.frames > 0) {
        bench_.meanCpuMsPerFrame = totalCpuMs_ / bench_.frames;
        std::printf("first frame: %.1f ms after start\n", bench_.firstFrameMs);
        std::printf("cpu per frame: %.3f ms mean, %.3f ms max over %d frames\n", bench_.meanCpuMsPerFrame,
                    bench_.maxCpuMsPerFrame, bench_.frames);
    }
    return exitCode;
}

void HeadlessDriver::OnFrame() {
    if (App.root == nullptr) {
        return;  // the window's own first flip, before the game runs
    }
    MeasureFrame();
    if (pendingRelease_ >= 0 && App.tickCount >= static_cast<uint32_t>(pendingRelease_)) {
        input_.SetButton(false);
        pendingRelease_ = -1;
    }
    while (nextEvent_ < options_.events.size() && options_.events[nextEvent_].tick <= App.tickCount) {
        ApplyEvent(options_.events[nextEvent_++]);
    }
    PlayerActs();
    MonkeyActs();
    if (!monkey_ && App.tickCount >= options_.ticks) {
        App.quit = true;
    }
    if (undrawnRoot_ != nullptr) {
        undrawnRoot_->drawNextFrame = ShotDueNextFrame() || (monkey_ && App.tickCount % MonkeyDrawTicks == 0);
    }
    ScheduleNextTick();
}

void HeadlessDriver::ApplyEvent(const Event& event) {
    const auto& arguments = event.arguments;
    auto number = [&](size_t i) {
        return static_cast<int>(*ReadWholeNumber(arguments[i], INT32_MIN, INT32_MAX));
    };
    if (event.action == "move") {
        input_.MoveMouse(number(0), number(1));
    } else if (event.action == "down" || event.action == "up") {
        input_.SetButton(event.action == "down");
    } else if (event.action == "click") {
        input_.MoveMouse(number(0), number(1));
        input_.SetButton(true);
        pendingRelease_ = static_cast<int>(App.tickCount) + 1;
    } else if (event.action == "key") {
        input_.SetKey(KeyCodeFromName(arguments[0]), arguments[1] == "down");
    } else if (event.action == "shot") {
        const bool written = options_.window
                                 ? App.window->SaveWindowScreenshot(arguments[0], GameWindow::ScreenshotPng)
                                 : App.window->SaveScreenshot(arguments[0], GameWindow::ScreenshotPng, 0, 0);
        if (!written) {
            ReportWriteFailure(arguments[0], App.window->ScreenshotError());
        }
    } else if (event.action == "board") {
        WriteBoard(arguments[0]);
    } else if (event.action == "quit") {
        App.quit = true;
    } else if (event.action == "close") {
        App.window->Terminate();  // as the window's close button does
    } else if (event.action == "throw" || event.action == "take") {
        ApplyTreeEvent(event);
    }
}

// A tree throws an item in as after a set, or the player clicks the item in a slot where it is.
void HeadlessDriver::ApplyTreeEvent(const Event& event) {
    CGame* game = Game();
    if (game == nullptr) {
        return;
    }
    CTree& tree = event.arguments[0] == "left" ? game->background.leftTree : game->background.rightTree;
    if (event.action == "throw") {
        tree.ThrowItem(game->MakeItemOfType(ItemType::FromName(event.arguments[1])));
        return;
    }
    // Held as long as a player holds it: the tree looks at the button only every few ticks.
    if (const CItem* item = event.arguments[1] == "a" ? tree.slotA : tree.slotB) {
        input_.MoveMouse(static_cast<int>(item->x) + item->picture->width / 2,
                         static_cast<int>(item->y) + item->picture->height / 2);
        input_.SetButton(true);
        pendingRelease_ = static_cast<int>(App.tickCount) + CTree::TicksPerUpdate;
    }
}

// The play screen as text; "-" is standard output. A second dump to the same file in a run is appended.
void HeadlessDriver::WriteBoard(const std::string& file) {
    const CGame* game = Game();
    const std::string text = game != nullptr ? PlayScreenText::Dump(*game)
                                             : "no board at tick " + std::to_string(App.tickCount) + "\n";
    if (file == "-") {
        std::fputs(text.c_str(), stdout);
        return;
    }
    const bool append = !boardFiles_.insert(file).second;
    std::FILE* out = std::fopen(file.c_str(), append ? "a" : "w");
    bool written = out != nullptr && std::fputs(text.c_str(), out) >= 0;
    // fclose reports what the buffered write could not do (a full disk, for one).
    if (out != nullptr && std::fclose(out) != 0) {
        written = false;
    }
    if (!written) {
        ReportWriteFailure(file, std::strerror(errno));
    }
}

// The run goes on, so later shots still come, but it ends with WriteFailedExit.
void HeadlessDriver::ReportWriteFailure(const std::string& file, const std::string& reason) {
    std::fprintf(stderr, "tandolo-headless: could not write %s%s%s\n", file.c_str(),
                 reason.empty() ? "" : ": ", reason.c_str());
    writeFailed_ = true;
}

// The next frame reads a clock 17 ms past the tick reference: exactly one tick.
void HeadlessDriver::ScheduleNextTick() {
    const uint32_t now = GetMilliseconds();
    const uint32_t target = App.lastTickTime + 17;
    if (static_cast<int32_t>(target - now) > 0) {
        input_.AdvanceTime(target - now);
    }
}

void HeadlessDriver::MeasureFrame() {
    const double cpuNow = CpuMilliseconds();
    if (lastCpuMs_ < 0) {
        bench_.firstFrameMs = WallMilliseconds() - startWallMs_;
    } else {
        const double frameMs = cpuNow - lastCpuMs_;
        totalCpuMs_ += frameMs;
        bench_.maxCpuMsPerFrame = std::max(bench_.maxCpuMsPerFrame, frameMs);
        ++bench_.frames;
    }
    lastCpuMs_ = cpuNow;
}

CGame* HeadlessDriver::Game() const {
    CGameObject* root = undrawnRoot_ != nullptr ? &undrawnRoot_->GameRoot() : App.root;
    return root != nullptr ? FindGame(root) : nullptr;
}

// The player sees the screen as the last tick left it and acts before the next one.
void HeadlessDriver::PlayerActs() {
    const CGame* game = player_ ? Game() : nullptr;
    if (game == nullptr) {
        return;
    }
    if (soakLevel_ != 0) {
        NextSoakPlayer(*game);
        return;
    }
    player_->Act(PlayView::Of(*game), input_);
    if (!player_->Finished()) {
        return;
    }
    if (!options_.soak) {
        App.quit = true;
        return;
    }
    std::printf("%d-%d %s rss %ld KB\n", game->world, game->stage, player_->Summary().c_str(),
                ResidentKilobytes());
    std::fflush(stdout);
    soakLevel_ = game->world * 10 + game->stage;
    soakLost_ = !player_->Won();
}

// A won level's banner ends by itself and the next level begins; a lost one is restarted from
// the game-over menu. Either way a new player takes over.
void HeadlessDriver::NextSoakPlayer(const CGame& game) {
    if (game.world > CGame::Worlds) {
        App.quit = true;  // the end screen: the game is won
        return;
    }
    if (soakLost_) {
        RestartLostLevel(game);
        return;
    }
    if (game.world * 10 + game.stage == soakLevel_) {
        return;
    }
    soakLevel_ = 0;
    player_ = NewPlayer(options_.seed + static_cast<uint32_t>(game.world * 10 + game.stage));
}

void HeadlessDriver::RestartLostLevel(const CGame& game) {
    if (!game.gameOverMenu.active || game.bannerCentre.active || pendingRelease_ >= 0) {
        return;
    }
    ApplyEvent({App.tickCount, "click", {"250", "230"}});  // RESTART LEVEL
    soakLost_ = false;
    soakLevel_ = 0;
    player_ = NewPlayer(options_.seed + App.tickCount);
}

bool HeadlessDriver::ShotDueNextFrame() const {
    for (size_t i = nextEvent_; i < options_.events.size() && options_.events[i].tick <= App.tickCount + 1;
         ++i) {
        if (options_.events[i].action == "shot") {
            return true;
        }
    }
    return false;
}

bool HeadlessDriver::LimitReached() const {
    return App.tickCount >= options_.ticks ||
           (options_.minutes > 0 && WallMilliseconds() - startWallMs_ >= options_.minutes * 60'000.0);
}

CLauncher* HeadlessDriver::Launcher() const {
    return undrawnRoot_ != nullptr ? dynamic_cast<CLauncher*>(&undrawnRoot_->GameRoot()) : nullptr;
}

void HeadlessDriver::MonkeyActs() {
    CLauncher* launcher = monkey_ ? Launcher() : nullptr;
    if (launcher == nullptr || App.tickCount == monkeyTick_) {
        return;
    }
    monkeyTick_ = App.tickCount;
    const bool warmBefore = survey_.AllSeenBut(ScreenSurvey::Farewell);
    survey_.Count(ScreenSurvey::ShowingNow(*launcher));
    if (monkeyTick_ == 1) {
        startMemory_ = MemoryNow(*launcher);
        PrintMemory("start", startMemory_);
    }
    // Every screen but the farewell, which ends the run: what is loaded once has been loaded.
    if (!warmBefore && survey_.AllSeenBut(ScreenSurvey::Farewell)) {
        warmMemory_ = MemoryNow(*launcher);
        PrintMemory("every screen seen", warmMemory_);
    }
    if (leavingTick_ < 0 && monkeyTick_ > 0 && monkeyTick_ % MemoryReportTicks == 0) {
        PrintMemory("", MemoryNow(*launcher));
    }
    if (leavingTick_ < 0 && LimitReached()) {
        endMemory_ = MemoryNow(*launcher);
        StartLeaving();
    }
    if (leavingTick_ >= 0 && (closeWhenLeaving_ || monkeyTick_ - leavingTick_ >= LeavingTicks)) {
        App.window->Terminate();  // as the window's close button does
        return;
    }
    if (launcher->game != nullptr) {
        CutTheBarNowAndThen(*launcher->game);
    }
    monkey_->Act(ScreenSurvey::SpotsNow(*launcher, leavingTick_ >= 0), input_);
}

// A run that ends at a tick can be replayed with --ticks set to it.
void HeadlessDriver::StartLeaving() {
    leavingTick_ = monkeyTick_;
    closeWhenLeaving_ = monkey_->OneIn(2);
    PrintMemory(closeWhenLeaving_ ? "over: closing the window" : "over: looking for QUIT", endMemory_);
}

void HeadlessDriver::CutTheBarNowAndThen(CGame& game) {
    const bool running = game.active && game.board.active && !game.timer.paused && game.timer.remaining > 2;
    if (running && monkey_->OneIn(BarCutChance)) {
        game.timer.remaining = 2;
    }
}

HeadlessDriver::Memory HeadlessDriver::MemoryNow(CLauncher& launcher) const {
    return {App.tickCount, ResidentKilobytes(), HeapKilobytes(), CountObjects(launcher)};
}

void HeadlessDriver::PrintMemory(const char* label, const Memory& memory) const {
    std::printf("tick %u rss %ld KB heap %ld KB objects %ld seen %d%s%s\n", memory.tick, memory.residentKb,
                memory.heapKb, memory.objects, survey_.Seen(), *label != '\0' ? ": " : "", label);
    std::fflush(stdout);
}

void HeadlessDriver::PrintMonkeySummary() const {
    const double minutes = (WallMilliseconds() - startWallMs_) / 60'000.0;
    const char* leftBy = leavingTick_ < 0
                             ? ""
                             : (closeWhenLeaving_ ? ", left by the window's close button" : ", left by QUIT");
    std::printf("monkey seed %u: %u ticks in %.1f minutes, random input until tick %lld%s\n", options_.seed,
                App.tickCount, minutes, static_cast<long long>(leavingTick_), leftBy);
    std::printf("screens (entered/ticks): %s\n", survey_.Summary().c_str());
    const std::string unseen = survey_.Unseen();
    std::printf("not seen: %s\n", unseen.empty() ? "none" : unseen.c_str());
    std::printf(
        "memory (tick: rss, heap, objects): start %u: %ld KB, %ld KB, %ld; every screen seen %u: "
        "%ld KB, %ld KB, %ld; end %u: %ld KB, %ld KB, %ld\n",
        startMemory_.tick, startMemory_.residentKb, startMemory_.heapKb, startMemory_.objects,
        warmMemory_.tick, warmMemory_.residentKb, warmMemory_.heapKb, warmMemory_.objects, endMemory_.tick,
        endMemory_.residentKb, endMemory_.heapKb, endMemory_.objects);
}
