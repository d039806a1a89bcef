// Screenshots of every tutorial page at each stage of its illustration, and of the well-done
// sign, for review: the real play screen without a display, on a virtual clock, each page opened
// by its own event once the cells of a level of its world have appeared.
//
//     tandolo-tutorialshots FOLDER
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "core/App.h"
#include "engine/GameWindow.h"
#include "engine/Input.h"
#include "engine/InputSeam.h"
#include "engine/ScriptedInput.h"
#include "flow/CGame.h"
#include "gfx/PictureBank.h"

namespace {

struct PageEvent {
    int world;
    int page;
    int category, index, related;
    bool illustrated;
};

// A world that has the page, and the event that opens it.
constexpr PageEvent Pages[] = {
    {1, 1, 0, 1, -1, true},  {1, 2, 0, 2, -1, false}, {3, 3, 1, 0, -1, true},    {6, 5, 1, 1, 2, true},
    {3, 7, 1, 2, 1, true},   {4, 9, 1, 3, -1, true},  {4, 11, 4, 0, -1, true},   {7, 12, 1, 6, -1, true},
    {1, 13, 1, 5, -1, true}, {1, 14, 1, 7, -1, true}, {1, 16, 5, -1, -1, false}, {1, 18, 0, 3, -1, false},
};

// Ticks after the event, in order: the last two stages a tenth into their move (clearing frames
// show then), the first, come round again, half way (the pointer on its way). The page is on
// screen from tick 121.
constexpr struct {
    int tick;
    const char* name;
} Stages[] = {{252, "stage2"}, {492, "stage3"}, {780, "stage1"}};
constexpr int TextOnlyTick = 180;

class Shooter {
public:
    Shooter(GameWindow& window, std::string folder) : window_(window), folder_(std::move(folder)) {}

    bool ShootPage(const PageEvent& page) {
        StartLevel(page.world);
        game_->tutorials.NotifyTutorials(page.category, page.index, page.related);
        const std::string name = folder_ + "/page" + std::to_string(page.page);
        if (!page.illustrated) {
            Ticks(TextOnlyTick);
            return Shoot(name + ".png");
        }
        bool written = true;
        int ticks = 0;
        for (const auto& stage : Stages) {
            Ticks(stage.tick - ticks);
            ticks = stage.tick;
            written = Shoot(name + "-" + stage.name + ".png") && written;
        }
        return written;
    }

    // The spoon's page closed, then a spoon used: the sign grows, holds, and spins away.
    bool ShootWellDone() {
        StartLevel(1);
        CTutorials& tutorials = game_->tutorials;
        tutorials.NotifyTutorials(1, 5, -1);
        Ticks(tutorials.hold);
        input_.SetButton(true);
        Ticks(1);
        input_.SetButton(false);
        Ticks(1);
        tutorials.NotifyTutorials(2, 5, -1);
        Ticks(100);
        const bool holding = Shoot(folder_ + "/welldone-hold.png");
        Ticks(80);
        return Shoot(folder_ + "/welldone-spin.png") && holding;
    }

    void Finish() {
        game_.reset();
        App.root = nullptr;
    }

    ScriptedInput& Input() { return input_; }

private:
    void StartLevel(int world) {
        Finish();
        game_ = std::make_unique<CGame>();
        game_->MakeRoot();
        App.root = game_.get();
        game_->Start(world, 4);  // a stage whose start opens no page
        while (!game_->board.active) {
            Ticks(1);
        }
        input_.MoveMouse(770, 30);   // where the pointer covers nothing
        game_->tutorials.shown = 0;  // a page the level's first cells opened (a star's) is not wanted
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            game_->Tick();
            game_->UpdateChildren();
            App.mouseDown = IsMouseButtonDown();
            App.tickCount += 1;
        }
    }
    bool Shoot(const std::string& file) {
        window_.SetWorldView(0, 0, 0, 1.0f, false);
        DrawTree();
        App.pointer->Update();
        App.pointer->Draw();
        const bool written = window_.SaveScreenshot(file, GameWindow::ScreenshotPng, 0, 0);
        if (!written) {
            std::fprintf(stderr, "tandolo-tutorialshots: could not write %s: %s\n", file.c_str(),
                         window_.ScreenshotError().c_str());
        }
        window_.FlipBackBuffer(false, true);
        return written;
    }

    GameWindow& window_;
    std::string folder_;
    ScriptedInput input_;
    std::unique_ptr<CGame> game_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tandolo-tutorialshots FOLDER\n");
        return 2;
    }
    std::error_code failed;
    std::filesystem::create_directories(argv[1], failed);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::unique_ptr<GameWindow> window = CreateGameWindowObject(true, false);
    if (!window || !window->CreateGameWindow(800, 600, -1, true, "Tandolo")) {
        std::fprintf(stderr, "tandolo-tutorialshots: no window\n");
        return 1;
    }
    window->SetDefaultWorldView();
    App.window = window.get();
    PictureBank pictures;
    App.pictures = &pictures;
    bool written = true;
    {
        Shooter shooter(*window, argv[1]);
        SetInputSeam(&shooter.Input());
        for (const PageEvent& page : Pages) {
            written = shooter.ShootPage(page) && written;
        }
        written = shooter.ShootWellDone() && written;
        shooter.Finish();
        SetInputSeam(nullptr);
    }
    pictures.DestroyAll();
    App.pictures = nullptr;
    ShutDownApp();
    App.window = nullptr;
    return written ? 0 : 3;
}
