#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/CLauncher.h"
#include "core/App.h"
#include "engine/Input.h"
#include "engine/InputSeam.h"
#include "engine/ScriptedInput.h"
#include "flow/CGame.h"
#include "support/GLTestWindow.h"

// The real launcher driven tick by tick through the input seam, on level files of its own: every
// level a row of three frogs that one click clears. The working directory is a temporary one,
// where the saves go.
class LauncherTest : public GLTestWindow {
protected:
    void SetUp() override {
        GLTestWindow::SetUp();
        SetInputSeam(&input);
        input.MoveMouse(400, 20);
        App.window = &Window();
        savedDirectory_ = std::filesystem::current_path();
        std::filesystem::current_path(dir.Path());
        for (int world = 1; world <= CGame::Worlds; ++world) {
            for (int stage = 1; stage <= CGame::Stages; ++stage) {
                WriteLevel(world, stage, "XXX\n#\nTIME: 60\nCELLS_NORMAL: F\n");
            }
        }
    }
    void TearDown() override {
        root.reset();
        App.root = nullptr;
        App.intOptions.clear();
        App.quit = false;
        std::filesystem::current_path(savedDirectory_);
        SetInputSeam(nullptr);
        ShutDownApp();
        App.window = nullptr;
    }

    void WriteLevel(int world, int stage, const std::string& text) {
        std::ofstream(dir.File("level" + std::to_string(world) + "-" + std::to_string(stage) + ".txt"))
            << text;
    }
    void Launch() {
        root = std::make_unique<CLauncher>(dir.Path());
        App.root = root.get();
    }
    CGame& Game() { return *root->game; }

    void Tick() {
        root->Tick();
        root->UpdateChildren();
        App.mouseDown = IsMouseButtonDown();
        ++App.tickCount;
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) {
            Tick();
        }
    }
    // Held for one tick, as a quick click is: a choice made while held must not carry over into
    // the screen it opens.
    void Press(int x, int y) {
        input.MoveMouse(x, y);
        input.SetButton(true);
        Tick();
        input.SetButton(false);
        Ticks(2);
    }

    ScriptedInput input;
    TempDir dir;
    std::unique_ptr<CLauncher> root;

private:
    std::filesystem::path savedDirectory_;
};
