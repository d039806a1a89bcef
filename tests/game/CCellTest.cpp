#include <algorithm>
#include <string>
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

}  // namespace
