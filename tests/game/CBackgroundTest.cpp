#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "game/CBackground.h"
#include "game/GameMenu.h"
#include "gfx/ToolkitFixture.h"

namespace {

// Stands in for the game: counts the menus it was asked to open.
class MenuGame : public CGameObject, public GameMenu {
public:
    void OpenGameMenu() override { opened += 1; }
    int opened = 0;
};

constexpr uint32_t DaySky = PackRGBA(100, 150, 250), Sunset = PackRGBA(250, 120, 60),
                   Stars = PackRGBA(5, 5, 40);
constexpr uint32_t SkyEdge = PackRGBA(255, 0, 0), Sun = PackRGBA(255, 255, 0), Moon = PackRGBA(200, 200, 200);
constexpr uint32_t DayGround = PackRGBA(0, 100, 0), NightGround = PackRGBA(0, 40, 0);
constexpr uint32_t TreeColour = PackRGBA(120, 60, 0), GlowColour = PackRGBA(255, 255, 200);

uint32_t DigitColour(char digit) {
    return PackRGBA(static_cast<uint8_t>(20 + (digit - '0') * 20), 0, 255);
}

// A background under a stand-in game, drawn from plain pictures: each sky has a red left edge,
// every ground is 100 pixels high (the night grounds darker), every tree picture 100 x 150.
class CBackgroundTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        saved_ = {App.mouseDown, App.directStart, App.quit};
        for (const auto& [sky, colour] :
             {std::pair{"sky_day.tga", DaySky}, {"sunset.tga", Sunset}, {"bg_stars.tga", Stars}}) {
            std::vector<uint32_t> pixels(800 * 600, colour);
            for (size_t y = 0; y < 600; ++y) {
                pixels[y * 800] = SkyEdge;
            }
            WritePicture(Interface(sky), 800, 600, pixels);
        }
        const auto solids = [this](std::initializer_list<std::string> names, int w, int h, uint32_t colour) {
            for (const std::string& name : names) {
                WriteSolid(Interface(name), w, h, colour);
            }
        };
        solids({"soil_counters_bushes.tga", "beachbg.png", "junglebg.png", "icebg1.png", "desertbg.png",
                "citybg.png", "cloudsbg.png", "volcansbg.png"},
               800, 100, DayGround);
        solids({"citynightbg.png", "volcansnightbg.png"}, 800, 100, NightGround);
        solids({"tree.tga", "tree1.tga", "oyster0.png", "oyster1.png", "palmtree0.png", "palmtree1.png",
                "freezer0.png", "freezer1.png", "oven0.png", "oven1.png", "mailbox0.png", "mailbox1.png",
                "cloud0.png", "cloud1.png", "geyser0.png", "geyser1.png", "geyser2.png"},
               100, 150, TreeColour);
        for (int i = 0; i < CTree::LeafFrames; ++i) {
            solids({"leaves" + std::to_string(i) + ".tga"}, 10, 10, TreeColour);
        }
        solids({"sun.png"}, 20, 20, Sun);
        solids({"moon.png"}, 20, 20, Moon);
        solids({"counters.png"}, 10, 10, Black);
        solids({"menue_glow.png"}, 20, 10, GlowColour);
        std::vector<uint32_t> numbers(170 * 17);
        for (size_t i = 0; i < numbers.size(); ++i) {
            numbers[i] = DigitColour(static_cast<char>('0' + i % 170 / 17));
        }
        WritePicture(Interface("numbers.tga"), 170, 17, numbers);
        background = std::make_unique<CBackground>();
        background->counterSource = &count;
        root.AddChild(&game);
        game.AddChild(background.get());
        background->SetWorld(1, 1);
        input.MoveMouse(5, 5);
    }

    void TearDown() override {
        root.RemoveAllChildren();
        background.reset();
        std::tie(App.mouseDown, App.directStart, App.quit) = saved_;
        ToolkitTest::TearDown();
    }

    static std::string Interface(const std::string& name) { return "data/gfx/interface/" + name; }

    MenuGame game;
    std::unique_ptr<CBackground> background;
    int32_t count = 0;
    std::tuple<bool, bool, bool> saved_;
};

TEST_F(CBackgroundTest, TheSkyScrollsOnePixelEveryThreeTicksAndWrapsAfter2400) {
    const auto edgeAt = [this](int x) {
        DrawTree();
        return RgbAt(x, 300) == Rgb(SkyEdge) && RgbAt(x + 1, 300) != Rgb(SkyEdge);
    };
    EXPECT_TRUE(edgeAt(0));
    Ticks(300);
    EXPECT_TRUE(edgeAt(700));
    Ticks(2100);
    EXPECT_TRUE(edgeAt(0));
    EXPECT_EQ(background->scroll, 0);
}

// Day, sunset and night by the stage; the city and the volcanos have night grounds. Numbers out
// of range are taken as the nearest valid ones.
TEST_F(CBackgroundTest, TheStageSetsSkyCelestialAndNightGrounds) {
    const std::tuple<int, int, uint32_t, uint32_t, uint32_t> cases[] = {
        {1, 1, DaySky, Sun, DayGround},   {6, 2, DaySky, Sun, DayGround},   {6, 3, Sunset, Moon, DayGround},
        {6, 4, Stars, Moon, NightGround}, {8, 5, Stars, Moon, NightGround}, {3, 5, Stars, Moon, DayGround},
        {8, 0, DaySky, Sun, DayGround},   {9, 6, Stars, Moon, NightGround}, {0, 4, Stars, Moon, DayGround}};
    for (const auto& [world, stage, sky, celestial, ground] : cases) {
        SCOPED_TRACE(testing::Message() << "world " << world << " stage " << stage);
        background->SetWorld(world, stage);
        DrawTree();
        EXPECT_EQ(RgbAt(400, 300), Rgb(sky));
        EXPECT_EQ(RgbAt(5, 5), Rgb(celestial));
        EXPECT_EQ(RgbAt(400, 590), Rgb(ground));
    }
}

// Each world shifts its trees; only the park's stand behind the ground (which starts at y 500).
TEST_F(CBackgroundTest, TreesStandByTheWorldAndOnlyTheParksBehindTheGround) {
    const int shifts[8][2] = {{0, 0}, {0, 10}, {0, 0}, {50, 0}, {0, 50}, {20, 0}, {0, 0}, {0, 0}};
    for (int world = 1; world <= 8; ++world) {
        SCOPED_TRACE(world);
        background->SetWorld(world, 1);
        DrawTree();
        const auto [dx, dy] = shifts[world - 1];
        for (const int left : {dx + 14, dx + 686}) {
            EXPECT_EQ(RgbAt(left, dy + 398), Rgb(TreeColour)) << left;
            EXPECT_NE(RgbAt(left - 1, dy + 398), Rgb(TreeColour)) << left;
            EXPECT_EQ(RgbAt(left + 50, 520), Rgb(world == 1 ? DayGround : TreeColour)) << left;
        }
    }
}

// Digits 17 wide, 10 apart: each shows its colour at its left edge.
TEST_F(CBackgroundTest, TheCounterIsCentredOnThePanel) {
    for (const auto& [value, firstX] : {std::pair{7, 565}, {123, 555}}) {
        count = value;
        DrawTree();
        const std::string digits = std::to_string(value);
        EXPECT_NE(RgbAt(firstX - 1, 560), Rgb(DigitColour(digits[0]))) << value;
        for (size_t i = 0; i < digits.size(); ++i) {
            EXPECT_EQ(RgbAt(firstX + 10 * static_cast<int>(i), 560), Rgb(DigitColour(digits[i]))) << value;
        }
    }
}

// The button glows under the mouse, edges included. Escape, or a click let go of over the button,
// opens the game's menu; a level started from the command line quits instead.
TEST_F(CBackgroundTest, TheMenuButtonGlowsAndEscapeOrAReleasedClickOpensTheMenu) {
    struct Case {
        const char* name;
        int x, y;
        bool escape, wasDown, isDown, directStart, lit;
        int opened;
    };
    const Case cases[] = {
        {"released at the top left corner", 340, 540, false, true, false, false, true, 1},
        {"released left of the button", 339, 540, false, true, false, false, false, 0},
        {"released at the bottom right corner", 480, 600, false, true, false, false, true, 1},
        {"released right of the button", 481, 560, false, true, false, false, false, 0},
        {"released above the button", 400, 539, false, true, false, false, false, 0},
        {"button still held", 400, 570, false, true, true, false, true, 0},
        {"no click", 400, 570, false, false, false, false, true, 0},
        {"escape", 5, 5, true, false, false, false, false, 1},
        {"escape on a direct start", 5, 5, true, false, false, true, false, 0},
        {"click on a direct start", 400, 570, false, true, false, true, true, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        game.opened = 0;
        App.quit = false;
        App.directStart = test.directStart;
        input.SetKey(KeyEscape, test.escape);
        input.MoveMouse(test.x, test.y);
        App.mouseDown = test.wasDown;
        input.SetButton(test.isDown);
        Tick();
        DrawTree();
        EXPECT_EQ(RgbAt(315, 525) == Rgb(GlowColour), test.lit);
        EXPECT_EQ(game.opened, test.opened);
        EXPECT_EQ(App.quit, test.directStart);
    }
    input.SetKey(KeyEscape, false);
}

}  // namespace
