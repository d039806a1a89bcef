// The cost of the play screen on the largest grid the game allows: one tick, one search for
// sets and one draw of a full 30 x 30 board, and a whole frame of the busiest play screen,
// through the real renderer (headless: Mesa's software OpenGL).
#include <SDL_opengl.h>

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/App.h"
#include "core/Random.h"
#include "engine/GameWindow.h"
#include "engine/InputSeam.h"
#include "engine/FrameRecorder.h"
#include "engine/ScriptedInput.h"
#include "flow/CGame.h"
#include "flow/LevelFile.h"
#include "game/CBoard.h"
#include "game/CItem.h"
#include "game/CellKinds.h"
#include "gfx/PictureBank.h"

namespace {

// The whole grid playable, at the scale that fits 30 rows on the screen.
LevelFile FullLevel() {
    std::string text;
    for (int row = 0; row < 30; ++row) {
        text += std::string(30, 'X') + '\n';
    }
    text += "\nSCALE:30\nCELLS_NORMAL:FKPMDTSR\nPROB_STAR:5\nPROB_BUBBLE:5\nPROB_VIRUS:3\nTIMEVIRUS:5\n";
    LevelFile level;
    std::string error;
    if (!level.Parse(text, "level30.txt", error)) {
        std::fprintf(stderr, "tandolo-bench: %s\n", error.c_str());
        std::exit(1);
    }
    return level;
}

struct Stage {
    Stage() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        SetInputSeam(&input);
        window = CreateGameWindowObject(true, false);
        if (!window || !window->CreateGameWindow(800, 600, -1, true, "Tandolo bench")) {
            std::fprintf(stderr, "tandolo-bench: no window\n");
            std::exit(1);
        }
        App.window = window.get();
        App.pictures = &pictures;
        SeedRandom(1);
        game = std::make_unique<CGame>();
        game->MakeRoot();
        App.root = game.get();
        std::string error;
        if (!game->ApplyLevel(FullLevel(), error)) {
            std::fprintf(stderr, "tandolo-bench: %s\n", error.c_str());
            std::exit(1);
        }
        game->background.SetWorld(1, 1);
        board = &game->board;
        board->SetActive(true);  // no level-start reveal
        game->timer.paused = false;
        input.MoveMouse(400, 300);
    }
    ~Stage() {
        game.reset();
        App.root = nullptr;
        pictures.DestroyAll();
        App.pictures = nullptr;
        ShutDownApp();
        App.window = nullptr;
        window.reset();
        SetInputSeam(nullptr);
    }
    void Tick() {
        game->Tick();
        game->UpdateChildren();
        ++App.tickCount;
    }
    ScriptedInput input;
    std::unique_ptr<GameWindow> window;
    PictureBank pictures;
    std::unique_ptr<CGame> game;
    CBoard* board = nullptr;
};

Stage& TheStage() {
    static Stage stage;
    return stage;
}

void BoardTick(benchmark::State& state) {
    CBoard& board = *TheStage().board;
    for (auto _ : state) {
        board.Tick();
        board.UpdateChildren();
        ++App.tickCount;
    }
}
BENCHMARK(BoardTick)->Unit(benchmark::kMicrosecond);

void BoardFindSets(benchmark::State& state) {
    CBoard& board = *TheStage().board;
    for (auto _ : state) {
        benchmark::DoNotOptimize(board.FindSets());
    }
}
BENCHMARK(BoardFindSets)->Unit(benchmark::kMicrosecond);

// glFinish makes the software renderer do the drawing inside the measured loop. Drawing is timed
// in CPU time of the whole process: the renderer draws on threads of its own.
void BoardDraw(benchmark::State& state) {
    CBoard& board = *TheStage().board;
    for (auto _ : state) {
        board.Draw();
        board.DrawChildren();
        DrawPending();
        glFinish();
    }
}
BENCHMARK(BoardDraw)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// Keeps the busiest screen busy: a blast running, both trees full with a third item leaving
// while its successor flies in, and a vaccine in the pointer.
void KeepBusy(Stage& stage) {
    CGame& game = *stage.game;
    if (!game.board.bubbleBlast.Running() && !game.board.busy) {
        game.board.SetCell(15, 15, CellKind::VioletBubble);
        game.board.bubbleBlast.Start(game.board, 15, 15);
        game.board.busy = true;
    }
    for (CTree* tree : {&game.background.leftTree, &game.background.rightTree}) {
        while (tree->leaving == nullptr) {
            auto* item = new CClock();
            game.SetParentLink(item);
            tree->ThrowItem(item);
        }
    }
    if (game.pointer.heldType != ItemType::Vaccine) {
        auto* vaccine = new CVaccine();
        game.SetParentLink(vaccine);
        vaccine->Use();
        delete vaccine;
    }
    game.timer.remaining = game.timer.BarWidth();
}

// One frame of the play screen as the main loop runs it: a tick of the game, then the drawing
// of the game, its over-drawn items and the pointer, and the swap.
void PlayScreenFrame(benchmark::State& state) {
    Stage& stage = TheStage();
    CGame& game = *stage.game;
    for (auto _ : state) {
        KeepBusy(stage);
        stage.Tick();
        game.Draw();
        game.DrawChildren();
        game.DrawOver();
        game.pointer.Draw();
        stage.window->FlipBackBuffer(true, true);
    }
}
BENCHMARK(PlayScreenFrame)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
