#include "app/MainLoop.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/App.h"
#include "engine/Clock.h"
#include "engine/GameWindow.h"
#include "engine/ScriptedInput.h"
#include "scene/GameObject.h"
#include "support/GLTestWindow.h"

namespace {

TEST(TickArithmeticTest, SeventeenMillisecondsRunOneTickAndAdvanceSixteen) {
    uint32_t last = 1000;
    EXPECT_EQ(TicksDue(1017, last), 1);
    EXPECT_EQ(last, 1016u);
    EXPECT_EQ(TicksDue(1032, last), 0);  // 16 ms: none yet
    EXPECT_EQ(last, 1016u);
}

TEST(TickArithmeticTest, StallOfOneSecondDropsTheTimeBeyondTheCap) {
    uint32_t last = 0;
    EXPECT_EQ(TicksDue(1000, last), 60);  // the loop runs at most maxTicksPerFrame of these
    EXPECT_EQ(last, 1000u);
    EXPECT_EQ(TicksDue(1016, last), 0);  // no backlog carried
}

TEST(TickArithmeticTest, ClockBehindTheReferenceRunsNothingAndSurvivesWrapAround) {
    uint32_t last = 5000;
    EXPECT_EQ(TicksDue(4990, last), 0);
    uint32_t nearWrap = 0xFFFFFFF0u;
    EXPECT_EQ(TicksDue(0x00000001u, nearWrap), 1);  // 17 ms across the wrap
}

// Counts what the loop does to the tree; the scenario runs in the pre-present hook.
class Root : public CGameObject {
public:
    bool Update() override {
        ++updates;
        if (onUpdate) {
            onUpdate();
        }
        return true;
    }
    void Draw() override { ++draws; }
    int updates = 0;
    int draws = 0;
    std::function<void()> onUpdate;
};

class Pointer : public CGameObject {
public:
    bool Update() override {
        ++updates;
        return true;
    }
    void Draw() override { drawnAfterTicks.push_back(App.tickCount); }
    int updates = 0;
    std::vector<uint32_t> drawnAfterTicks;
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

    // Runs the loop; frameTimes[i] is added to the clock after frame i is drawn.
    // The loop ends once every entry was used.
    std::vector<int> RunFrames(const std::vector<uint32_t>& frameTimes) {
        std::vector<int> ticksPerFrame;
        size_t frame = 0;
        uint32_t ticksBefore = 0;
        input.onBeforePresent = [&] {
            if (App.root == nullptr) {
                return;
            }
            ticksPerFrame.push_back(static_cast<int>(App.tickCount - ticksBefore));
            updatesSeen = static_cast<Root*>(App.root)->updates;
            ticksBefore = App.tickCount;
            if (frame < frameTimes.size()) {
                input.AdvanceTime(frameTimes[frame++]);
            } else {
                App.quit = true;
            }
        };
        RunMainLoop(Window(), "", false, [] { return std::make_unique<Root>(); });
        input.onBeforePresent = nullptr;
        return ticksPerFrame;
    }

    ScriptedInput input;
    int updatesSeen = 0;
};

TEST_F(MainLoopTest, FrameTicksFollowTheClock) {
    // frame 0 at start, then waits of 17, 15, 984 and 15 ms: 17 runs one tick and leaves
    // 1 ms over, so 15 more make 16 (none); the stall then makes a full second, runs 10
    // ticks and drops the other 50
    const std::vector<int> ticks = RunFrames({17, 15, 984, 15});
    EXPECT_EQ(ticks, (std::vector<int>{0, 1, 0, 10, 0}));
    EXPECT_EQ(App.tickCount, 11u);
    EXPECT_EQ(updatesSeen, 11);
}

TEST_F(MainLoopTest, QuitDuringATickStillDrawsAndPresentsThatFrame) {
    int presentedWithQuit = 0;
    int drawsBeforeQuit = -1;
    Root* rootSeen = nullptr;
    input.onBeforePresent = [&] {
        if (App.root == nullptr) {
            return;
        }
        if (App.quit) {
            ++presentedWithQuit;
            drawsBeforeQuit = rootSeen->draws;
        }
        input.AdvanceTime(17);
    };
    RunMainLoop(Window(), "", false, [&] {
        auto root = std::make_unique<Root>();
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
            input.onBeforePresent = [&] {
                if (App.root == nullptr) {
                    return;
                }
                ++frames;
                input.AdvanceTime(17);
                if (frames == 2) {
                    SDL_Event quit{};
                    quit.type = SDL_QUIT;
                    SDL_PushEvent(&quit);  // handled by this flip's event processing
                }
            };
            RunMainLoop(Window(), "", false, [] { return std::make_unique<Root>(); });
            std::exit(frames == 2 && Window().IsQuitRequested() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(MainLoopTest, PointerIsUpdatedAndDrawnOncePerFrameOverTheTree) {
    Pointer pointer;
    int frames = 0;
    input.onBeforePresent = [&] {
        if (App.root == nullptr) {
            return;
        }
        input.AdvanceTime(50);  // three ticks a frame
        App.quit = ++frames == 4;
    };
    RunMainLoop(Window(), "", false, [&] {
        App.pointer = &pointer;
        return std::make_unique<Root>();
    });
    EXPECT_EQ(pointer.updates, 4);
    EXPECT_EQ(pointer.drawnAfterTicks, (std::vector<uint32_t>{0, 3, 6, 9}));
    EXPECT_EQ(App.pointer, nullptr);
}

TEST_F(MainLoopTest, CommandLineOptionsReachGetIntOption) {
    input.onBeforePresent = [] { App.quit = true; };
    RunMainLoop(Window(), "/world=2 /stage=3", false, [] { return std::make_unique<Root>(); });
    EXPECT_EQ(GetIntOption("world"), 2);
    EXPECT_EQ(GetIntOption("stage"), 3);
    EXPECT_EQ(GetIntOption("speed"), -1);
    App.intOptions.clear();
}

TEST_F(MainLoopTest, MouseButtonIsSampledOncePerFrame) {
    std::vector<bool> sampled;
    int frames = 0;
    input.onBeforePresent = [&] {
        if (App.root == nullptr) {
            return;
        }
        sampled.push_back(App.mouseDown);
        input.SetButton(frames % 2 == 0);
        App.quit = ++frames == 3;
    };
    RunMainLoop(Window(), "", false, [] { return std::make_unique<Root>(); });
    EXPECT_EQ(sampled, (std::vector<bool>{false, true, false}));
}

class FadeTest : public MainLoopTest {};

TEST_F(FadeTest, EachFadeFlipsFiftyTwoTimesAndSetsTheFadedFlag) {
    Root root;
    root.MakeRoot();
    App.root = &root;
    App.window = &Window();
    input.onBeforePresent = nullptr;
    const int before = input.presentedFrames;
    FadeOut();
    EXPECT_EQ(input.presentedFrames - before, 52);
    EXPECT_TRUE(App.screenFaded);
    EXPECT_LE(Window().FadeLevel(), 0.0f);
    FadeIn();
    EXPECT_EQ(input.presentedFrames - before, 104);
    EXPECT_FALSE(App.screenFaded);
    EXPECT_GE(Window().FadeLevel(), 1.0f);
    EXPECT_EQ(root.draws, 51 + 52);  // fade-in draws each step; fade-out draws every flip
    App.root = nullptr;
}

TEST_F(FadeTest, FadeLeavesNoCatchUpTicks) {
    Root root;
    root.MakeRoot();
    App.root = &root;
    App.window = &Window();
    input.advancePerFrameMs = 16;
    App.lastTickTime = GetMilliseconds();
    FadeOut();
    input.advancePerFrameMs = 0;
    uint32_t last = App.lastTickTime;
    EXPECT_EQ(TicksDue(GetMilliseconds(), last), 0);
    FadeIn();  // leave the shared window unveiled
    App.root = nullptr;
}

}  // namespace
