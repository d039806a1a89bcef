#include "flow/CWorldPresentation.h"
#include "gfx/ToolkitFixture.h"

namespace {

class CWorldPresentationTest : public ToolkitTest {
protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        for (const char* name : {"courtain1", "world1", "marco", "worldnumbers"}) {
            WriteSolid(std::string("data/gfx/levelpresentation/") + name + ".png", 456, 300, White);
        }
        game.name = "game";
        game.active = false;
        root.AddChild(&game);
        root.AddChild(presentation = new CWorldPresentation());  // the tree ends it
    }
    CGameObject game;
    CWorldPresentation* presentation = nullptr;
};

// The click that ended the last level, still held, does not end it; a new press does.
TEST_F(CWorldPresentationTest, OnlyAPressMadeWhileItShowsEndsItAndWakesTheGame) {
    input.SetButton(true);
    Ticks(3);
    EXPECT_TRUE(root.HasChild(presentation));
    input.SetButton(false);
    Tick();
    input.SetButton(true);
    Tick();
    EXPECT_FALSE(root.HasChild(presentation));
    EXPECT_TRUE(game.active);
}

// The curtain's mover goes once the curtain is up; the presentation waits for the press.
TEST_F(CWorldPresentationTest, TheCurtainGoesAfter400Ticks) {
    Ticks(CWorldPresentation::CurtainTicks - 1);
    ASSERT_NE(presentation->Curtain(), nullptr);
    Ticks(2);
    EXPECT_EQ(presentation->Curtain(), nullptr);
    input.SetButton(true);
    Tick();
    EXPECT_FALSE(root.HasChild(presentation));
}

}  // namespace
