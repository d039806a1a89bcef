#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

#include "app/CPubPage.h"
#include "app/LauncherFixture.h"
#include "engine/Input.h"
#include "flow/ProgressFile.h"
#include "flow/SettingsFile.h"
#include "menu/CMenuBack.h"

namespace {

class FrontEndTest : public LauncherTest {
protected:
    // A click during the bounce, then on until the menu has slid in.
    void ReachMenu() {
        Launch();
        Ticks(5);
        Press(400, 300);
        for (int i = 0; i < 1000 && !(root->menuBack != nullptr && root->menuBack->active); ++i) {
            Tick();
        }
        ASSERT_TRUE(root->menuBack != nullptr && root->menuBack->active);
        Ticks(25);
    }
    // The centre of a main menu button at rest.
    void PressMenuButton(int button) {
        const CGUIButton& face = root->menuBack->menuBase.mainMenu.buttons[button];
        Press(CMainMenu::RestingX + face.idleFace->width / 2, face.y + face.idleFace->height / 2);
        Ticks(45);  // the menu slides out, the next screen in
    }
    void PressEscape() {
        input.SetKey(KeyEscape, true);
        Tick();
        input.SetKey(KeyEscape, false);
        Ticks(25);
    }
    bool InPlay() {
        for (int i = 0; i < 3000 && !(Game().board.active && !Game().timer.paused); ++i) {
            if (i % 100 == 50) {
                Press(5, 5);  // the world presentation and tutorial pages wait for a click
            }
            Tick();
        }
        return Game().board.active && !Game().timer.paused;
    }
};

// Without a click the intro stays, with everything else made once the logo has landed; a click
// made while the logo still falls brings the menu as soon as it lands.
TEST_F(FrontEndTest, TheIntroWaitsForAClickRememberedDuringTheBounce) {
    Launch();
    Ticks(600);
    ASSERT_TRUE(root->intro.LogoSettled());
    EXPECT_TRUE(root->intro.active);
    ASSERT_TRUE(root->game != nullptr && root->menuBack != nullptr && root->pubPage != nullptr);
    EXPECT_FALSE(root->game->active || root->menuBack->active || root->pubPage->active);

    root.reset();
    Launch();
    Ticks(5);
    Press(400, 300);
    for (int i = 0; i < 1000 && !root->intro.LogoSettled(); ++i) {
        Tick();
    }
    ASSERT_EQ(root->menuBack, nullptr);
    Tick();
    EXPECT_TRUE(root->menuBack->active);
    EXPECT_FALSE(root->intro.active);
}

// NEW GAME, then world 3 (opened by entries 2 and 5) starts world 3 at its saved stage.
TEST_F(FrontEndTest, NewGameThenAWorldStartsItAtItsSavedStage) {
    std::string error;
    ASSERT_TRUE(ProgressFile::Save("world.dat", 2, 1, error) &&
                ProgressFile::Save("world.dat", 5, 1, error) && ProgressFile::Save("world.dat", 3, 4, error))
        << error;
    ReachMenu();
    PressMenuButton(CMainMenu::NewGame);
    Ticks(60);  // every world has grown in
    Sprite park, jungle;
    ASSERT_TRUE(park.Load("data/gfx/miniworlds/park_small.png") &&
                jungle.Load("data/gfx/miniworlds/jungle_small.png"));
    Press(240 + (jungle.width + 10) * 2 + park.width / 2, 180 + park.height / 2);
    EXPECT_FALSE(root->menuBack->active);
    ASSERT_TRUE(Game().active);
    EXPECT_EQ(Game().world, 3);
    EXPECT_EQ(Game().stage, 4);
}

// Escape halts the bar under the in-game menu; CONTINUE sets it running again.
TEST_F(FrontEndTest, ContinueResumesTheGameWithTheBarRunning) {
    ReachMenu();
    PressMenuButton(CMainMenu::NewGame);
    Ticks(60);
    Press(250, 200);  // world 1
    ASSERT_TRUE(InPlay());
    PressEscape();
    ASSERT_TRUE(Game().timer.paused);
    EXPECT_TRUE(root->menuBack->menuBase.mainMenu.buttons[CMainMenu::Continue].active);
    PressMenuButton(CMainMenu::Continue);
    EXPECT_FALSE(Game().timer.paused);
    const int32_t remaining = Game().timer.remaining;
    Ticks(Game().timer.TicksPerPixel() * 2 + 1);
    EXPECT_LT(Game().timer.remaining, remaining);
}

// OPTIONS, then BACK writes the settings with the knobs' values; nothing is written before.
TEST_F(FrontEndTest, OptionsThenBackWritesTheSliderValues) {
    ReachMenu();
    PressMenuButton(CMainMenu::Options);
    COptions& options = root->menuBack->menuBase.options;
    ASSERT_TRUE(options.active);
    options.musicBar.SetValue(0.25f);
    options.soundBar.SetValue(0.75f);
    Ticks(2);
    EXPECT_FALSE(std::filesystem::exists("options.dat"));
    Press(options.backButton.x + 20, options.backButton.y + 20);
    Settings saved;
    std::string error;
    ASSERT_TRUE(SettingsFile::Read("options.dat", saved, error)) << error;
    EXPECT_FLOAT_EQ(saved.musicVolume, 0.25f);
    EXPECT_FLOAT_EQ(saved.soundVolume, 0.75f);
    Ticks(45);
    EXPECT_TRUE(root->menuBack->menuBase.mainMenu.active);
}

// QUIT shows the farewell page, which ends the game on its 161st update.
TEST_F(FrontEndTest, QuitEndsTheGameAfterTheFarewellPage) {
    ReachMenu();
    const CGUIButton& quit = root->menuBack->menuBase.mainMenu.buttons[CMainMenu::Quit];
    input.MoveMouse(CMainMenu::RestingX + 20, quit.y + 20);
    input.SetButton(true);
    Tick();
    input.SetButton(false);
    Tick();  // released over the button: the page comes on and runs its first update
    ASSERT_TRUE(root->pubPage->active);
    ASSERT_FLOAT_EQ(root->pubPage->countdown, 3.95f);
    int updates = 1;
    while (updates < 400 && !root->exitRequested) {
        Tick();
        ++updates;
    }
    EXPECT_EQ(updates, 161);
    EXPECT_FALSE(App.quit);
    Tick();
    EXPECT_TRUE(App.quit);
}

// /world=2 /stage=3 skips the intro and the menus; leaving the level ends the game.
TEST_F(FrontEndTest, ACommandLineLevelSkipsTheMenusAndLeavingItEnds) {
    App.intOptions = {{"world", 2}, {"stage", 3}};
    Launch();
    Tick();
    EXPECT_FALSE(root->intro.active);
    EXPECT_EQ(root->menuBack, nullptr);
    EXPECT_EQ(Game().world, 2);
    EXPECT_EQ(Game().stage, 3);
    ASSERT_TRUE(InPlay());
    PressEscape();
    EXPECT_TRUE(App.quit);
}

// The real program: closing the window on any screen, or QUIT, ends it with code 0.
TEST(FrontEndRunTest, ClosingTheWindowOrQuittingEndsWithCodeZero) {
    TempDir dir;
    const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
    const std::string program =
        std::filesystem::absolute(std::string(buildDir ? buildDir : ".") + "/tandolo-headless").string();
    const std::pair<const char*, const char*> cases[] = {
        {"intro", "50 close\n"},
        {"menu", "20 click 400 300\n300 close\n"},
        {"options", "20 click 400 300\n300 click 400 322\n400 close\n"},
        {"play", "20 click 400 300\n300 click 400 253\n400 click 250 200\n700 click 5 5\n900 close\n"},
        {"quit", "20 click 400 300\n300 click 400 460\n"},
    };
    for (const auto& [screen, script] : cases) {
        std::ofstream(dir.File("script.txt")) << script;
        const std::string command = "cd " + dir.Path() + " && ASAN_OPTIONS=detect_leaks=0 " + program +
                                    " --ticks 2000 --script script.txt --board 1999:board.txt >log.txt 2>&1";
        const int status = std::system(command.c_str());
        std::ifstream log(dir.File("log.txt"));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << screen << ": " << std::string(std::istreambuf_iterator<char>(log), {});
        // The run ended before the driver's last tick.
        EXPECT_FALSE(std::filesystem::exists(dir.File("board.txt"))) << screen;
    }
}

}  // namespace
