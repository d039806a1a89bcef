#include <gtest/gtest.h>

#include <fstream>

#include "engine/WindowPlacement.h"
#include "support/GLTestWindow.h"

namespace {

TEST(WindowPlacement, ReadsBackWhatItWrote) {
    TempDir dir;
    const WindowPlacement written{-40, 1200, 1280, 720, true, true};
    std::string error;
    ASSERT_TRUE(written.Write(dir.File("window.txt"), error)) << error;
    WindowPlacement read;
    EXPECT_TRUE(WindowPlacement::Read(dir.File("window.txt"), read));
    EXPECT_EQ(read, written);
    EXPECT_FALSE(WindowPlacement::Read(dir.File("missing.txt"), read));
}

TEST(WindowPlacement, ADamagedFileIsNamedWithItsLineAndChangesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"x 1\ny 2\nwidth 900\nheight 700\nmaximised 2\n", ":5: maximised needs a whole number from 0 to 1"},
        {"x 1\n# note\ny two\n", ":3: y needs"},
        {"x 1\nx 1\n", ":2: x is given twice"},
        {"x 1\ny 2\nwidth 399\n", ":3: width needs a whole number from 400"},
        {"x 1\ny 2\nwidth 800\nheight 100000\n", ":4: height needs"},
        {"x 1\ny 2\ndepth 32\n", ":3: unknown entry 'depth'"},
        {"x 1\ny 2\nwidth 800\n", ":3: height is missing"},
        {"", ":1: x is missing"},
    };
    TempDir dir;
    const std::string path = dir.File("window.txt");
    for (const auto& [text, said] : cases) {
        SCOPED_TRACE(text);
        std::ofstream(path) << text;
        WindowPlacement placement;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(WindowPlacement::Read(path, placement));
        const std::string stderrText = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(stderrText.find(path + said), std::string::npos) << stderrText;
        EXPECT_EQ(placement, WindowPlacement{});
    }
}

TEST(WindowPlacement, APlaceOffEveryDisplayIsForgotten) {
    const std::vector<WindowPlacement::Area> displays = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    const struct {
        int x, y;
        bool kept;
    } cases[] = {
        {100, 100, true},   {2000, 900, true}, {-700, 50, true},  {1856, 1048, true},
        {3200, 100, false}, {-800, 50, false}, {100, -20, false}, {2000, 1000, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + ", " + std::to_string(c.y));
        WindowPlacement placement{c.x, c.y, 800, 600, true, false};
        placement.KeepOnDisplays(displays);
        EXPECT_EQ(placement.positioned, c.kept);
    }
}

}  // namespace
