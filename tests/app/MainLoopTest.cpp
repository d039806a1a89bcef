#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
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
    uint32_t last = 1000;
    EXPECT_EQ(TicksDue(1017, last), 1);
    EXPECT_EQ(last, 1016u);
    EXPECT_EQ(TicksDue(1032, last), 0);  // 16 ms: none yet
    EXPECT_EQ(last, 1016u);

    last = 0;
    EXPECT_EQ(TicksDue(1000, last), 60);  // the loop runs at most maxTicksPerFrame of these
    EXPECT_EQ(last, 1000u);
    EXPECT_EQ(TicksDue(1016, last), 0);  // no backlog carried

    last = 5000;
    EXPECT_EQ(TicksDue(4990, last), 0);  // a clock behind the reference runs nothing
    last = 0xFFFFFFF0u;
    EXPECT_EQ(TicksDue(0x00000001u, last), 1);  // 17 ms across the wrap
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
        App.quit = false;
        App.tickCount = 0;
    }
    void TearDown() override { SetInputSeam(nullptr); }

    // Runs the loop with eachFrame called before each frame of the game tree is presented.
    void Run(const std::function<void()>& eachFrame, const RootFactory& makeRoot = MakeRoot,
             const std::string& commandLine = "") {
        input.onBeforePresent = [&] {
            if (App.root != nullptr) {
                eachFrame();
            }
        };
        RunMainLoop(Window(), commandLine, false, makeRoot);
        input.onBeforePresent = nullptr;
    }
    static std::unique_ptr<CGameObject> MakeRoot() { return std::make_unique<Probe>(); }

    ScriptedInput input;
};

TEST_F(MainLoopTest, FrameTicksFollowTheClock) {
    // Waits after each frame: 17 runs one tick and leaves 1 ms over, so 15 more make 16
    // (none); the stall then makes a full second, runs 10 ticks and drops the other 50.
    const uint32_t waits[] = {17, 15, 984, 15};
    std::vector<uint32_t> ticksAtFrame;
    Run([&] {
        ticksAtFrame.push_back(App.tickCount);
        EXPECT_EQ(static_cast<Probe*>(App.root)->updates, static_cast<int>(App.tickCount));
        if (ticksAtFrame.size() <= std::size(waits)) {
            input.AdvanceTime(waits[ticksAtFrame.size() - 1]);
        } else {
            App.quit = true;
        }
    });
    EXPECT_EQ(ticksAtFrame, (std::vector<uint32_t>{0, 1, 1, 11, 11}));
}

TEST_F(MainLoopTest, QuitDuringATickStillDrawsAndPresentsThatFrame) {
    int presentedWithQuit = 0;
    int drawsBeforeQuit = -1;
    Probe* rootSeen = nullptr;
    Run(
        [&] {
            if (App.quit) {
                ++presentedWithQuit;
                drawsBeforeQuit = static_cast<int>(rootSeen->drawnAfterTicks.size());
            }
            input.AdvanceTime(17);
        },
        [&] {
            auto root = std::make_unique<Probe>();
            rootSeen = root.get();
            root->onUpdate = [&] { App.quit = rootSeen->updates == 3; };
            return root;
        });
    EXPECT_EQ(presentedWithQuit, 1);
    EXPECT_EQ(drawsBeforeQuit, 4);  // frames 0..3, the last one with the quitting tick
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
    int frames = 0;
    Run(
        [&] {
            sampled.push_back(App.mouseDown);
            input.SetButton(frames % 2 == 0);
            input.AdvanceTime(50);  // three ticks a frame
            App.quit = ++frames == 4;
        },
        [&] {
            App.pointer = &pointer;
            return MakeRoot();
        });
    EXPECT_EQ(pointer.updates, 4);
    // Drawn over the tree, after the frame's ticks.
    EXPECT_EQ(pointer.drawnAfterTicks, (std::vector<uint32_t>{0, 3, 6, 9}));
    EXPECT_EQ(App.pointer, nullptr);
    EXPECT_EQ(sampled, (std::vector<bool>{false, true, false, true}));
}

TEST_F(MainLoopTest, CommandLineOptionsReachGetIntOption) {
    Run([] { App.quit = true; }, MakeRoot, "/world=2 /stage=3");
    EXPECT_EQ(GetIntOption("world"), 2);
    EXPECT_EQ(GetIntOption("stage"), 3);
    EXPECT_EQ(GetIntOption("speed"), -1);
    App.intOptions.clear();
}

TEST_F(MainLoopTest, EachFadeFlipsFiftyTwoTimesSetsTheFadedFlagAndLeavesNoCatchUpTicks) {
    Probe root;
    root.MakeRoot();
    App.root = &root;
    App.window = &Window();
    input.advancePerFrameMs = 16;
    App.lastTickTime = GetMilliseconds();
    const int before = input.presentedFrames;
    FadeOut();
    EXPECT_EQ(input.presentedFrames - before, 52);
    EXPECT_TRUE(App.screenFaded);
    EXPECT_LE(Window().FadeLevel(), 0.0f);
    uint32_t last = App.lastTickTime;
    EXPECT_EQ(TicksDue(GetMilliseconds(), last), 0);
    FadeIn();
    EXPECT_EQ(input.presentedFrames - before, 104);
    EXPECT_FALSE(App.screenFaded);
    EXPECT_GE(Window().FadeLevel(), 1.0f);
    EXPECT_EQ(root.drawnAfterTicks.size(), 51u + 52u);  // fade-in draws each step; fade-out draws every flip
    last = App.lastTickTime;
    EXPECT_EQ(TicksDue(GetMilliseconds(), last), 0);
    input.advancePerFrameMs = 0;
    App.root = nullptr;
}

}  // namespace
