#include <gtest/gtest.h>

#include <set>
#include <utility>

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
    // Named keys sit at the codes the enum gives them: no run of the table has slipped.
    const std::pair<int, SDL_Scancode> anchors[] = {
        {KeyLeft, SDL_SCANCODE_LEFT},
        {KeyRight, SDL_SCANCODE_RIGHT},
        {KeySpace, SDL_SCANCODE_SPACE},
        {KeyLeftShift, SDL_SCANCODE_LSHIFT},
        {KeyEnter, SDL_SCANCODE_RETURN},
        {KeyF12, SDL_SCANCODE_F12},
        {KeyEscape, SDL_SCANCODE_ESCAPE},
        {KeyA, SDL_SCANCODE_A},
        {KeyZ, SDL_SCANCODE_Z},
        {KeyEnd, SDL_SCANCODE_END},
        {KeyPrintScreen, SDL_SCANCODE_PRINTSCREEN},
    };
    for (const auto& [code, scancode] : anchors) {
        EXPECT_EQ(ScancodeFromKeyCode(code), scancode) << "code " << code;
    }
    EXPECT_EQ(KeyCodeFromScancode(SDL_SCANCODE_F13), KeyCount);
    EXPECT_EQ(ScancodeFromKeyCode(-1), SDL_SCANCODE_UNKNOWN);
}

TEST(SeamTest, ClockSkipsWhatResyncForgetsAndNeverRunsBackwards) {
    ScriptedInput input;
    SetInputSeam(&input);
    ResyncClock();
    const uint32_t start = GetMilliseconds();
    input.AdvanceTime(40);
    EXPECT_EQ(GetMilliseconds() - start, 40u);
    input.AdvanceTime(10000);  // ten seconds in the background
    ResyncClock();
    input.AdvanceTime(3);
    EXPECT_EQ(GetMilliseconds() - start, 43u);
    input.SetTime(100);
    EXPECT_EQ(GetMilliseconds() - start, 43u);
    input.AdvanceTime(7);
    EXPECT_EQ(GetMilliseconds() - start, 50u);
    SetInputSeam(nullptr);
}

}  // namespace
