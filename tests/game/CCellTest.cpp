#include <string>
#include <vector>

#include "game/BoardFixture.h"
#include "game/CCellBubble.h"
#include "game/CCellNormal.h"
#include "game/CCellVirus.h"

namespace {

using CCellTest = BoardTest;

TEST_F(CCellTest, ABlinkingPetShowsHalfClosedClosedHalfClosedThenRests) {
    CCellNormal pet(CellKind::Frog);
    pet.SetState(CellState::Blinking);
    std::vector<const Sprite*> shown;
    for (int i = 0; i < 3; ++i) {
        shown.push_back(cellPictures->PictureFor(pet));
        pet.Update();
    }
    EXPECT_EQ(pet.state, CellState::Idle);
    EXPECT_EQ(shown[0], shown[2]);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], cellPictures->BasePicture(CellKind::Frog));
    EXPECT_EQ(cellPictures->PictureFor(pet), cellPictures->BasePicture(CellKind::Frog));
}

TEST_F(CCellTest, ClearingTicksEveryFiveTicksAndGoneShowsNothing) {
    CCellNormal pet(CellKind::Frog);
    EXPECT_EQ(pet.ticksperbla, 15);
    pet.effectClass = ClearEffect::Ploc;
    pet.SetState(CellState::Clearing);
    EXPECT_EQ(pet.ticksperbla, 5);
    ASSERT_NE(cellPictures->PictureFor(pet), nullptr);
    pet.Update();
    pet.Update();
    EXPECT_EQ(pet.state, CellState::Clearing);
    pet.Update();
    EXPECT_EQ(pet.state, CellState::Gone);
    EXPECT_EQ(pet.frame, 3);
    EXPECT_EQ(cellPictures->PictureFor(pet), nullptr);
}

TEST_F(CCellTest, BubblesCycleThroughThreePicturesAndBack) {
    CCellBubble bubble(CellKind::GreenBubble);
    std::vector<const Sprite*> shown;
    for (int i = 0; i < 5; ++i) {
        shown.push_back(cellPictures->PictureFor(bubble));
        bubble.Update();
    }
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[2]);
    EXPECT_EQ(shown[3], shown[1]);
    EXPECT_EQ(shown[4], shown[0]);
}

TEST_F(CCellTest, AVirusBlinksThroughItsThreePictures) {
    CCellVirus virus;
    virus.OnUselessClick();
    std::vector<int> frames = {virus.frame};
    for (int i = 0; i < 3; ++i) {
        virus.Update();
        frames.push_back(virus.frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 2, 1, 0}));
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

TEST_F(CCellTest, TheForbiddenItemClearsEveryPetOfItsKindButNoSquare) {
    Build({"FKF", "KFK"});
    PointAt(0, 1);
    board->ClearAllOfKind(CellKind::Frog + 1);
    EXPECT_EQ(States(), (std::vector<std::string>{"030", "303"}));
    EXPECT_EQ(Squares(), (std::vector<std::string>{"###", "###"}));
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
