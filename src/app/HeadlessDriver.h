#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/ScreenSurvey.h"
#include "engine/ScriptedInput.h"
#include "engine/WindowPlacement.h"

class CGame;
class CGameObject;
class CLauncher;
class RandomInput;
class CUndrawnRoot;
class ScriptedPlayer;

// Runs the real game without a display: a virtual clock that gives exactly one
// logic tick per frame, a fixed random seed, scripted mouse and keyboard, and
// screenshots (PNG) at chosen ticks.
class HeadlessDriver {
public:
    struct Event {
        uint32_t tick = 0;
        std::string action;  // move, down, up, click, key, shot, board, quit, throw, take
        std::vector<std::string> arguments;
    };

    // Scripts and --ticks reach about 190 days of play at most: tick arithmetic never wraps.
    static constexpr int64_t MaxTick = 1'000'000'000;
    // How far outside the 800 x 600 screen a scripted mouse may go.
    static constexpr int64_t MaxCoordinate = 100'000;
    // The exit code of a run that could not write a requested shot or board.
    static constexpr int WriteFailedExit = 3;

    struct Options {
        uint32_t ticks = 600;
        uint32_t seed = 1;
        std::vector<Event> events;
        bool bench = false;
        std::string commandLine;
        // The folder of level files (levelW-S.txt) the game plays, in place of the build's levels.
        std::string levelFolder;
        // "careful" or "hasty": a scripted player plays until the level is won or lost; frames are
        // drawn only for shots.
        std::string player;
        // With a player: on through every level from the start, a new player for each, a lost
        // level restarted, until the game is won; a line per level with the memory in use.
        bool soak = false;
        // Random clicks, drags and keys through every screen, seeded by seed (RandomInput); when the
        // ticks or minutes are over it leaves by QUIT or the window's close button. Memory figures
        // now and then, the screens seen at the end.
        bool monkey = false;
        // With monkey: the run also ends after this many minutes of real time; 0: no limit.
        uint32_t minutes = 0;
        // The window opens at this size, and shots show all of it with the bars around the
        // screen; none: an 800 x 600 window and shots of the screen alone.
        std::optional<WindowPlacement> window;
    };

    // Reads a script: one event a line, "<tick> <action> [arguments]"; '#' starts a comment.
    // Returns false with a message naming the line on a malformed one.
    static bool ParseScript(const std::string& text, const std::string& sourceName,
                            std::vector<Event>& events, std::string& error);

    explicit HeadlessDriver(Options options);
    ~HeadlessDriver();
    HeadlessDriver(const HeadlessDriver&) = delete;
    HeadlessDriver& operator=(const HeadlessDriver&) = delete;
    int Run();

    struct BenchResult {
        double firstFrameMs = 0;
        double meanCpuMsPerFrame = 0;
        double maxCpuMsPerFrame = 0;
        int frames = 0;
    };
    const BenchResult& Bench() const { return bench_; }

private:
    void OnFrame();
    void ApplyEvent(const Event& event);
    void ApplyTreeEvent(const Event& event);
    void ScheduleNextTick();
    void MeasureFrame();
    void WriteBoard(const std::string& file);
    void PlayerActs();
    bool ShotDueNextFrame() const;
    CGame* Game() const;
    void ReportWriteFailure(const std::string& file, const std::string& reason);

    Options options_;
    ScriptedInput input_;
    std::unique_ptr<ScriptedPlayer> NewPlayer(uint32_t seed) const;
    void NextSoakPlayer(const CGame& game);
    void RestartLostLevel(const CGame& game);

    // What a monkey run's memory looks like at one tick.
    struct Memory {
        uint32_t tick = 0;
        long residentKb = 0;
        long heapKb = 0;   // allocated and not freed, by the allocator's count
        long objects = 0;  // in the launcher's tree
    };
    bool LimitReached() const;
    CLauncher* Launcher() const;
    void MonkeyActs();
    void StartLeaving();
    void CutTheBarNowAndThen(CGame& game);
    Memory MemoryNow(CLauncher& launcher) const;
    void PrintMemory(const char* label, const Memory& memory) const;
    void PrintMonkeySummary() const;

    std::unique_ptr<RandomInput> monkey_;
    ScreenSurvey survey_;
    uint32_t monkeyTick_ = UINT32_MAX;  // fades present many frames in one tick: one act a tick
    int64_t leavingTick_ = -1;
    bool closeWhenLeaving_ = false;
    Memory startMemory_;
    Memory warmMemory_;  // once every screen has been seen
    Memory endMemory_;   // when the random input stopped

    std::unique_ptr<ScriptedPlayer> player_;
    int soakLevel_ = 0;  // world x 10 + stage of the level the last player finished
    bool soakLost_ = false;
    CUndrawnRoot* undrawnRoot_ = nullptr;  // the root while a scripted player plays
    size_t nextEvent_ = 0;
    int pendingRelease_ = -1;  // tick at which a click lets go of the button
    BenchResult bench_;
    std::set<std::string> boardFiles_;  // written once already this run: later dumps append
    bool writeFailed_ = false;
    double startWallMs_ = 0;
    double lastCpuMs_ = -1;
    double totalCpuMs_ = 0;
};
