#include <gtest/gtest.h>

#include <set>

#include "engine/Clock.h"
#include "engine/Input.h"
#include "engine/ScriptedInput.h"

namespace {

TEST(KeyTableTest, EveryCodeHasItsOwnKeyAndMapsBack) {
    std::set<SDL_Scancode> seen;
    for (int code = 0; code < KeyCount; ++code) {
        const SDL_Scancode scancode = ScancodeFromKeyCode(code);
        ASSERT_NE(scancode, SDL_SCANCODE_UNKNOWN) << code;
        EXPECT_TRUE(seen.insert(scancode).second) << "code " << code << " repeats a key";
        EXPECT_EQ(KeyCodeFromScancode(scancode), code);
    }
    EXPECT_EQ(ScancodeFromKeyCode(KeyEscape), SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(ScancodeFromKeyCode(KeyF12), SDL_SCANCODE_F12);
    EXPECT_EQ(ScancodeFromKeyCode(KeyPrintScreen), SDL_SCANCODE_PRINTSCREEN);
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F13), KeyCount);
    EXPECT_EQ(ScancodeFromKeyCode(-1), SDL_SCANCODE_UNKNOWN);
}

class SeamTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetInputSeam(&input);
        ResyncClock();
    }
    void TearDown() override { SetInputSeam(nullptr); }
    ScriptedInput input;
};

TEST_F(SeamTest, InputFunctionsReadTheInstalledSeam) {
    input.MoveMouse(-5, 640);
    input.SetButton(true);
    input.SetKey(KeyEscape, true);
    EXPECT_EQ(GetMouseX(), -5);  // outside the screen is reported as it is
    EXPECT_EQ(GetMouseY(), 640);
    EXPECT_TRUE(IsMouseButtonDown());
    EXPECT_TRUE(IsKeyDown(KeyEscape));
    EXPECT_FALSE(IsKeyDown(KeySpace));
    EXPECT_FALSE(IsKeyDown(KeyCount));
    SetMousePosition(12, 34);
    EXPECT_EQ(GetMouseX(), 12);
    WaitKeyReleased(KeyEscape);  // returns once the player lets go
    EXPECT_FALSE(IsKeyDown(KeyEscape));
}

TEST_F(SeamTest, ClockSkipsWhatResyncForgetsAndNeverRunsBackwards) {
    const uint32_t start = GetMilliseconds();
    input.AdvanceTime(40);
    EXPECT_EQ(GetMilliseconds() - start, 40u);
    input.AdvanceTime(10000);  // ten seconds in the background
    ResyncClock();
    input.AdvanceTime(3);
    EXPECT_EQ(GetMilliseconds() - start, 43u);

    const uint32_t before = GetMilliseconds();
    input.SetTime(100);
    EXPECT_EQ(GetMilliseconds(), before);
    input.AdvanceTime(7);
    EXPECT_EQ(GetMilliseconds(), before + 7);
}

}  // namespace
