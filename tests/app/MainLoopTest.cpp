#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/MainLoop.h"
#include "core/App.h"
#include "engine/Clock.h"
#include "engine/GameWindow.h"
#include "engine/ScriptedInput.h"
#include "scene/GameObject.h"
#include "support/GLTestWindow.h"

namespace {

TEST(TickArithmeticTest, TicksAreSixteenMillisecondsAndTimeBeyondTheCapIsDropped) {
    const struct {
        const char* what;
        uint32_t last, now;
        int ticks;
        uint32_t lastAfter;
    } cases[] = {
        {"17 ms: one tick, 1 ms left over", 1000, 1017, 1, 1016},
        {"16 ms: none yet", 1016, 1032, 0, 1016},
        {"a second: 60, all taken off", 0, 1000, 60, 1000},
        {"clock behind the reference", 5000, 4990, 0, 5000},
        {"17 ms across the wrap", 0xFFFFFFF0u, 1, 1, 0},
    };
    for (const auto& c : cases) {
        uint32_t last = c.last;
        EXPECT_EQ(TicksDue(c.now, last), c.ticks) << c.what;
        EXPECT_EQ(last, c.lastAfter) << c.what;
    }
}

// Counts what the loop does to it; serves as the tree's root and as the pointer.
class Probe : public CGameObject {
public:
    bool Update() override {
        ++updates;
        if (onUpdate) {
            onUpdate();
        }
        return true;
    }
    void Draw() override { drawnAfterTicks.push_back(App.tickCount); }
    int updates = 0;
    std::vector<uint32_t> drawnAfterTicks;
    std::function<void()> onUpdate;
};

class MainLoopTest : public GLTestWindow {
protected:
    void SetUp() override {
        GLTestWindow::SetUp();
        SetInputSeam(&input);
        ResyncClock();
        App.tickCount = 0;
    }
    void TearDown() override { SetInputSeam(nullptr); }

    // Runs the loop on a Probe root; eachFrame is called before each frame is presented.
    void Run(const std::function<void()>& eachFrame, const std::string& commandLine = "") {
        input.onBeforePresent = eachFrame;
        RunMainLoop(Window(), commandLine, false, [this] {
            auto made = std::make_unique<Probe>();
            made->onUpdate = onRootUpdate;
            root = made.get();
            return made;
        });
        input.onBeforePresent = nullptr;
    }

    ScriptedInput input;
    Probe* root = nullptr;  // valid while the loop runs
    std::function<void()> onRootUpdate;
};

TEST_F(MainLoopTest, FrameTicksFollowTheClockAndAQuitDuringATickStillPresentsThatFrame) {
    // Waits after each frame: 17 runs one tick and leaves 1 ms over, so 15 more make 16
    // (none); the stall then makes a full second, runs 10 ticks and drops the other 50.
    const std::vector<uint32_t> waits = {17, 15, 984, 15, 17};
    std::vector<uint32_t> drawnAtTick;  // per presented frame
    std::vector<bool> quitting;
    onRootUpdate = [&] { App.quit = root->updates == 12; };
    Run(
        [&] {
            drawnAtTick.push_back(root->drawnAfterTicks.back());
            quitting.push_back(App.quit);
            EXPECT_EQ(root->updates, static_cast<int>(App.tickCount));
            if (!App.quit) {
                input.AdvanceTime(waits.at(drawnAtTick.size() - 1));
            }
        },
        "/world=2");
    EXPECT_EQ(drawnAtTick, (std::vector<uint32_t>{0, 1, 1, 11, 11, 12}));
    EXPECT_EQ(quitting, (std::vector<bool>{false, false, false, false, false, true}));
    EXPECT_EQ(GetIntOption("world"), 2);
    EXPECT_EQ(GetIntOption("speed"), -1);
    App.intOptions.clear();
}

// Runs in a child process: the close request stays set on the shared window.
TEST_F(MainLoopTest, CloseRequestEndsTheLoopBeforeTheNextFrame) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            int frames = 0;
            Run([&] {
                input.AdvanceTime(17);
                if (++frames == 2) {
                    SDL_Event quit{};
                    quit.type = SDL_QUIT;
                    SDL_PushEvent(&quit);  // handled by this flip's event processing
                }
            });
            std::exit(frames == 2 && Window().IsQuitRequested() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MainLoopTest, PointerAndMouseButtonAreTakenOncePerFrame) {
    Probe pointer;
    std::vector<bool> sampled;
    App.pointer = &pointer;
    Run([&] {
        sampled.push_back(App.mouseDown);
        input.SetButton(sampled.size() % 2 == 1);
        input.AdvanceTime(50);  // three ticks a frame
        App.quit = sampled.size() == 4;
    });
    EXPECT_EQ(pointer.updates, 4);
    // Drawn over the tree, after the frame's ticks.
    EXPECT_EQ(pointer.drawnAfterTicks, (std::vector<uint32_t>{0, 3, 6, 9}));
    EXPECT_EQ(App.pointer, nullptr);
    EXPECT_EQ(sampled, (std::vector<bool>{false, true, false, true}));
}

TEST_F(MainLoopTest, EachFadeFlipsFiftyTwoTimesSetsTheFadedFlagAndLeavesNoCatchUpTicks) {
    Probe tree;
    tree.MakeRoot();
    App.root = &tree;
    App.window = &Window();
    input.advancePerFrameMs = 16;
    const int before = input.presentedFrames;
    const auto expectNoCatchUp = [] {
        uint32_t last = App.lastTickTime;
        EXPECT_EQ(TicksDue(GetMilliseconds(), last), 0);
    };
    FadeOut();
    EXPECT_EQ(input.presentedFrames - before, 52);
    EXPECT_TRUE(App.screenFaded);
    EXPECT_LE(Window().FadeLevel(), 0.0f);
    expectNoCatchUp();
    FadeIn();
    EXPECT_EQ(input.presentedFrames - before, 104);
    EXPECT_FALSE(App.screenFaded);
    EXPECT_GE(Window().FadeLevel(), 1.0f);
    EXPECT_EQ(tree.drawnAfterTicks.size(), 51u + 52u);  // fade-in draws each step; fade-out draws every flip
    expectNoCatchUp();
    input.advancePerFrameMs = 0;
    App.root = nullptr;
}

// F11 in the window switches full screen between two frames; the game's flag, which the options
// screen shows and saves, follows.
TEST_F(MainLoopTest, TheFullScreenFlagFollowsTheWindowsOwnSwitch) {
    std::vector<bool> flags;
    Run([&] {
        flags.push_back(App.fullScreen);
        SDL_Event f11{};
        f11.type = SDL_KEYDOWN;
        f11.key.windowID = SDL_GetWindowID(Window().GetWindowHandle());
        f11.key.keysym.scancode = SDL_SCANCODE_F11;
        SDL_PushEvent(&f11);
        App.quit = flags.size() == 3;
    });
    EXPECT_EQ(flags, (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(Window().IsFullScreen() == App.fullScreen);
    App.fullScreen = Window().ToggleFullScreen(false);
}

}  // namespace
