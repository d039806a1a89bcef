// The cost of the board on the largest grid the game allows: one logic tick,
// one search for sets and one draw of a full 30 x 30 board, through the real
// renderer (headless: Mesa's software OpenGL).
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
#include "engine/ScriptedInput.h"
#include "flow/CBoardPreview.h"
#include "flow/LevelFile.h"
#include "game/CBoard.h"
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
        preview = std::make_unique<CBoardPreview>(FullLevel());
        if (!preview->Error().empty()) {
            std::fprintf(stderr, "tandolo-bench: %s\n", preview->Error().c_str());
            std::exit(1);
        }
        board = preview->Board();
        board->SetActive(true);  // no level-start reveal
        input.MoveMouse(400, 300);
    }
    ~Stage() {
        preview.reset();
        pictures.DestroyAll();
        App.pictures = nullptr;
        ShutDownApp();
        App.window = nullptr;
        window.reset();
        SetInputSeam(nullptr);
    }
    ScriptedInput input;
    std::unique_ptr<GameWindow> window;
    PictureBank pictures;
    std::unique_ptr<CBoardPreview> preview;
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

// glFinish makes the software renderer do the drawing inside the measured loop.
void BoardDraw(benchmark::State& state) {
    CBoard& board = *TheStage().board;
    for (auto _ : state) {
        board.Draw();
        board.DrawChildren();
        glFinish();
    }
}
BENCHMARK(BoardDraw)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
