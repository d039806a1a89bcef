#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "flow/TutorialSwitch.h"
#include "gfx/ToolkitFixture.h"
#include "menu/GameStarter.h"

// A screen of the menu panel three steps below a launcher that records the game it is asked to
// start, beside a main menu to hand back to, with 240 x 52 button faces in the picture bank. The
// working directory is a temporary one, where "world.dat" and "options.dat" are.
class MenuScreenTest : public ToolkitTest {
protected:
    struct LauncherStub : CGameObject, GameStarter {
        void StartGame(int world, int stage) override { started = {world, stage}; }
        std::pair<int, int> started;
    };

    void SetUp() override {
        ToolkitTest::SetUp();
        savedDirectory_ = std::filesystem::current_path();
        std::filesystem::current_path(temp.Path());
        for (const std::string face : {"buttonidle", "buttonrollover", "buttonpressed"}) {
            Sprite picture;
            LoadSolid(picture, "data/gfx/menu/" + face + ".png", 240, 52, Blue);
            pictures.AddCopy(face, picture);
        }
        mainMenu.name = "mainmenu";
        mainMenu.active = false;
        root.AddChild(&launcher);
        launcher.AddChild(&menuBack);
        menuBack.AddChild(&menuBase);
        menuBase.AddChild(&mainMenu);
    }

    void TearDown() override {
        ToolkitTest::TearDown();
        std::filesystem::current_path(savedDirectory_);
        tutorialsOn = true;
    }

    // Under the panel, made active as the main menu makes it.
    void Show(CGameObject& screen) {
        menuBase.AddChild(&screen);
        screen.SetActive(true);
    }

    void Click(int x, int y) {
        input.MoveMouse(x, y);
        input.SetButton(true);
        Tick();
        input.SetButton(false);
        Tick();
    }

    LauncherStub launcher;
    CGameObject menuBack, menuBase, mainMenu;

private:
    std::filesystem::path savedDirectory_;
};
