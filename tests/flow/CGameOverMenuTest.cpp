#include <memory>

#include "flow/CGameOverMenu.h"
#include "gfx/ToolkitFixture.h"

namespace {

class CGameOverMenuTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        WriteSolid("data/gfx/general/tutor_menu.png", 600, 320, Blue);
        LoadSolid(alphabet, "data/gfx/menu/abecedary.png", 260, 30, White);
        font.Load(alphabet, 10);  // "RESTART WORLD" spans x 240..370
        root.AddChild((menu = std::make_unique<CGameOverMenu>()).get());
        menu->font = &font;
    }
    int HoverAt(int x, int y) {
        input.MoveMouse(x, y);
        Tick();
        return menu->hover;
    }
    Sprite alphabet;
    BitmapFont font;
    std::unique_ptr<CGameOverMenu> menu;
};

TEST_F(CGameOverMenuTest, RowsOf50PixelsFrom221AsWideAsTheLongestEntry) {
    const int cases[][3] = {{241, 221, 1}, {369, 269, 1}, {300, 270, 2}, {300, 319, 2}, {300, 320, 3},
                            {300, 369, 3}, {300, 220, 0}, {300, 370, 0}, {240, 250, 0}, {370, 250, 0}};
    for (const auto& [x, y, hover] : cases) {
        EXPECT_EQ(HoverAt(x, y), hover) << x << ", " << y;
    }
    EXPECT_EQ(menu->choice, 0);
}

TEST_F(CGameOverMenuTest, APressOutsideChoosesNothingUntilItMovesOntoAnEntry) {
    input.SetButton(true);
    HoverAt(100, 100);
    EXPECT_EQ(menu->choice, 0);
    HoverAt(300, 300);
    EXPECT_EQ(menu->choice, 2);
    menu->SetActive(false);
    menu->SetActive(true);
    EXPECT_EQ(menu->choice, 0);
}

}  // namespace
