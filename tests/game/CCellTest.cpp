#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "game/BoardFixture.h"
#include "game/CCellBubble.h"
#include "game/CCellNormal.h"
#include "game/CCellVirus.h"

namespace {

class CCellTest : public BoardTest {
protected:
    // The pictures a cell shows over some updates as letters: the same letter, the same picture.
    std::string Shows(CCell& cell, int updates) {
        std::vector<const Sprite*> seen;
        std::string letters;
        for (int i = 0; i <= updates; ++i) {
            const Sprite* picture = cellPictures->PictureFor(cell);
            auto at = std::find(seen.begin(), seen.end(), picture);
            if (at == seen.end()) {
                at = seen.insert(seen.end(), picture);
            }
            letters += static_cast<char>('A' + (at - seen.begin()));
            if (i < updates) {
                cell.Update();
            }
        }
        return letters;
    }
};

TEST_F(CCellTest, BlinksAndBubblesRunThroughTheirPictures) {
    CCellNormal pet(CellKind::Frog);
    pet.SetState(CellState::Blinking);
    EXPECT_EQ(Shows(pet, 3), "ABAC");  // half-closed, closed, half-closed, open
    EXPECT_EQ(pet.state, CellState::Idle);
    EXPECT_EQ(cellPictures->PictureFor(pet), cellPictures->BasePicture(CellKind::Frog));

    CCellBubble bubble(CellKind::GreenBubble);
    EXPECT_EQ(Shows(bubble, 4), "ABCBA");

    CCellVirus virus;
    virus.OnUselessClick();
    EXPECT_EQ(Shows(virus, 3), "ABAC");
    EXPECT_EQ(virus.frame, 0);
    EXPECT_EQ(virus.blinkPhase, 0);
}

// Each effect runs through its pictures, one an update, and the cell is then gone and not drawn.
TEST_F(CCellTest, ClearingRunsThroughItsEffectsPicturesThenShowsNothing) {
    for (const auto& [effect, frames] : {std::pair{ClearEffect::Light, 5}, std::pair{ClearEffect::Ploc, 3},
                                         std::pair{ClearEffect::PlokStar, 5}}) {
        SCOPED_TRACE(effect);
        CCellNormal pet(CellKind::Frog);
        pet.effectClass = effect;
        pet.SetState(CellState::Clearing);
        for (int i = 0; i < frames; ++i) {
            ASSERT_EQ(pet.state, CellState::Clearing);
            EXPECT_NE(cellPictures->PictureFor(pet), nullptr);
            pet.Update();
        }
        EXPECT_EQ(pet.state, CellState::Gone);
        EXPECT_EQ(cellPictures->PictureFor(pet), nullptr);
    }
}

TEST_F(CCellTest, AllStarsTwinkleTogetherThroughSixPictures) {
    Build({"*F*"});
    cellPictures->starTwinkle = 1;
    std::vector<const Sprite*> shown;
    for (int i = 0; i < 23; ++i) {
        EXPECT_EQ(cellPictures->PictureFor(*At(0, 0)), cellPictures->PictureFor(*At(2, 0)));
        shown.push_back(cellPictures->PictureFor(*At(0, 0)));
        Tick();
    }
    EXPECT_EQ(cellPictures->starTwinkle, 0);
    EXPECT_NE(shown[2], shown[3]);  // 1..3 frame 0, 4..7 frame 1
    EXPECT_EQ(shown[3], shown[6]);
    EXPECT_NE(shown[22], shown[0]);
}

TEST_F(CCellTest, TheForbiddenItemClearsEveryPetOfItsKindButNoSquare) {
    Build({"FKF", "KFK"});
    PointAt(0, 1);
    board->ClearAllOfKind(CellKind::Frog + 1);
    EXPECT_EQ(States(), (Rows{"030", "303"}));
    EXPECT_EQ(Squares(), (Rows{"###", "###"}));
}

TEST_F(CCellTest, WhileATutorialShowsTheBoardHighlightsButTakesNoClick) {
    Build({"FFFK"});
    tutorials.showing = true;
    ClickAt(0, 0);
    EXPECT_EQ(States()[0], "2220");
    EXPECT_FALSE(board->mousePressed);
    tutorials.showing = false;
    ClickAt(0, 0);
    EXPECT_EQ(States()[0], "3330");
}

}  // namespace
