#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <utility>

#include "menu/CChooseWorld.h"
#include "menu/MenuScreenFixture.h"

namespace {

using CChooseWorldTest = MenuScreenTest;

TEST_F(CChooseWorldTest, OpenWorldsShowTheirMiniatureAndAPressStartsAtTheirStage) {
    for (const char* world : {"park", "beach", "jungle", "ice", "desert", "city", "clouds", "volcanos"}) {
        WriteSolid(std::string("data/gfx/miniworlds/") + world + "_small.png", 100, 75, Green);
    }
    WriteSolid("data/gfx/miniworlds/bglocked.png", 100, 75, Red);
    // The middle of each miniature: rows of three from (240, 180), 110 and 95 apart, the last
    // row of two set in by 55.
    const int centreX[] = {290, 400, 510, 290, 400, 510, 345, 455};
    const int centreY[] = {217, 217, 217, 312, 312, 312, 407, 407};
    const int32_t reached[9] = {0, 4, 2, 3, 0, 1, 0, 0, 0};
    const int32_t none[9] = {};
    const struct {
        const char* what;
        const int32_t* progress;            // null: no "world.dat"
        int lastOpen, pressed, startStage;  // stage 0: the press starts nothing
    } cases[] = {
        {"first start", nullptr, 1, 1, 1},           {"first start, locked world", nullptr, 1, 2, 0},
        {"world reached", reached, 5, 3, 3},         {"world skipped below the last one", reached, 5, 4, 1},
        {"world beyond the last", reached, 5, 6, 0}, {"no world open", none, 1, 1, 1},
    };
    CChooseWorld choice;
    menuBase.AddChild(&choice);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove("world.dat");
        if (c.progress != nullptr) {
            std::ofstream("world.dat", std::ios::binary).write(reinterpret_cast<const char*>(c.progress), 36);
        }
        launcher.started = {};
        input.MoveMouse(0, 0);
        choice.SetActive(true);
        Ticks(70);  // world 8 has grown in
        DrawTree();
        for (int world = 1; world <= 8; ++world) {  // dimmed miniatures and locks
            const uint32_t shown = RgbAt(centreX[world - 1], centreY[world - 1]);
            EXPECT_EQ(shown, world <= c.lastOpen ? 0x006600u : 0x000066u) << "world " << world;
        }
        const int x = centreX[c.pressed - 1];
        const int y = centreY[c.pressed - 1];
        input.MoveMouse(x, y);
        Tick();
        DrawTree();  // the world pointed at is lit and grown by a fifth
        EXPECT_EQ(RgbAt(x - 54, y) == Rgb(Green), c.startStage != 0);
        input.SetButton(true);
        Tick();
        input.SetButton(false);
        EXPECT_EQ(launcher.started, c.startStage != 0 ? std::pair(c.pressed, c.startStage) : std::pair(0, 0));
        EXPECT_EQ(choice.active, c.startStage == 0);
    }
}

}  // namespace
