#include <string>
#include <vector>

#include "game/BoardFixture.h"
#include "game/CCellStar.h"
#include "game/CItem.h"

namespace {

class CBoardRulesTest : public BoardTest {
protected:
    void Hold(int32_t type, int uses) {
        pointer->Hold(&pointer->arrow, type);
        pointer->usesLeft = uses;
    }

    bool Notified(int category, int index, int related) const {
        for (const CTutorials::Notification& n : tutorials.notifications) {
            if (n == CTutorials::Notification{category, index, related}) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(CBoardRulesTest, TwoPetsAndAStarInAnLShapeAreASetClearedTogether) {
    Build({"FP", "F*", "KM"});
    ASSERT_TRUE(board->FindSets());
    EXPECT_EQ(At(0, 0)->GetGroup(), 0);
    EXPECT_TRUE(At(1, 1)->IsInGroup(0));
    EXPECT_EQ(At(1, 0)->GetGroup(), -1);
    EXPECT_EQ(At(1, 1)->GetGroup(), -1);  // pointing at a star selects nothing

    ClickAt(0, 0);
    EXPECT_EQ(States(), (Rows{"30", "33", "00"}));
    EXPECT_EQ(Squares(), (Rows{"-#", "--", "##"}));
    EXPECT_EQ(clearedCells, 3);
    EXPECT_EQ(board->clickCooldown, CBoard::ClickCooldownTicks);
}

TEST_F(CBoardRulesTest, AStarBetweenTwoSetsBelongsToBothAndTakesTheEffectOfTheOneItLeavesWith) {
    Build({"FF*KKKK"});
    ASSERT_TRUE(board->FindSets());
    EXPECT_TRUE(At(2, 0)->IsInGroup(0));
    EXPECT_TRUE(At(2, 0)->IsInGroup(1));
    EXPECT_EQ(At(3, 0)->GetGroup(), 1);

    PointAt(3, 0);
    Tick();
    EXPECT_EQ(States(), (Rows{"0022222"}));
    ClickAt(3, 0);  // the star and four cats: a set of 5
    EXPECT_EQ(States(), (Rows{"0033333"}));
    EXPECT_EQ(Squares(), (Rows{"##-----"}));
    Ticks(5);
    auto* star = dynamic_cast<CCellStar*>(At(2, 0));
    ASSERT_NE(star, nullptr);
    EXPECT_EQ(star->effectClass, ClearEffect::Ploc);
    EXPECT_EQ(star->partner, At(3, 0));
}

TEST_F(CBoardRulesTest, StarsAloneFormASetAndBubblesAndVirusesNever) {
    Build({"***"});
    ASSERT_TRUE(board->FindSets());
    EXPECT_TRUE(At(0, 0)->IsInGroup(0) && At(2, 0)->IsInGroup(0));

    Build({"----", "%%%F", "||||"});
    EXPECT_FALSE(board->FindSets());

    // A dc look never matches its pet.
    Build({"FfF"});
    EXPECT_FALSE(board->FindSets());
}

TEST_F(CBoardRulesTest, TheEffectClassFollowsTheSizeOfTheSet) {
    Build({"FFFPP", "KKKKP", "MMMMD", "MMDDD", "SSSSS"});
    ASSERT_TRUE(board->FindSets());
    EXPECT_EQ(At(0, 0)->effectClass, ClearEffect::Light);     // 3 frogs
    EXPECT_EQ(At(4, 1)->effectClass, ClearEffect::Light);     // 3 parrots
    EXPECT_EQ(At(0, 1)->effectClass, ClearEffect::Ploc);      // 4 cats
    EXPECT_EQ(At(4, 2)->effectClass, ClearEffect::Ploc);      // 4 dogs
    EXPECT_EQ(At(0, 4)->effectClass, ClearEffect::Ploc);      // 5 snakes
    EXPECT_EQ(At(1, 3)->effectClass, ClearEffect::PlokStar);  // 6 monkeys
}

TEST_F(CBoardRulesTest, ClearingRunsItsEffectFramesAndEndsGone) {
    Build({"FFFK", "KKKP"});
    ClickAt(0, 0);  // frogs: light, 5 frames
    ClickAt(0, 1);  // cats: the click waits while a cell clears
    CCell* frog = At(0, 0);
    EXPECT_NE(At(0, 1)->state, CellState::Clearing);
    int ticks = 0;  // one frame every 5 ticks, the first within 5 ticks of the click
    while (frog->state == CellState::Clearing && ticks < 100) {
        Tick();
        ++ticks;
    }
    EXPECT_EQ(frog->state, CellState::Gone);
    EXPECT_EQ(frog->frame, 5);
    EXPECT_GT(ticks, 20);
    EXPECT_LE(ticks, 25);
    EXPECT_EQ(clearedCells, 3);
}

TEST_F(CBoardRulesTest, LastClearTickMovesOnlyForSquaresStillToClear) {
    Build({"FFFK", "KPPM"});
    board->toClear.fill(0);
    const uint32_t before = board->lastClearTick;
    Ticks(30);
    ClickAt(0, 0);
    EXPECT_EQ(At(0, 0)->state, CellState::Clearing);
    EXPECT_EQ(board->lastClearTick, before);
    EXPECT_FALSE(board->IdleSinceLastClear());
    Ticks(450);
    EXPECT_TRUE(board->IdleSinceLastClear());

    Settle();
    Build({"FFFK", "KPPM"});
    board->toClear[1] = 0;  // one square of the set still to clear
    board->toClear[2] = 0;
    ClickAt(0, 0);
    EXPECT_EQ(board->lastClearTick, App.tickCount);
}

TEST_F(CBoardRulesTest, TwoGoneCellsInAColumnNeedTwoGravitySteps) {
    Build({"K", "F", "P", "F"});
    At(0, 1)->SetState(CellState::Gone);
    At(0, 3)->SetState(CellState::Gone);
    Tick();
    EXPECT_EQ(Kinds(), (Rows{"D", "K", "F", "P"}));
    EXPECT_EQ(States(), (Rows{"0", "0", "4", "0"}));
    EXPECT_EQ(At(0, 3)->fallOffset, 1);
    EXPECT_EQ(At(0, 0)->fallOffset, 1);
    EXPECT_TRUE(board->busy);
    // Falling takes 11 busy ticks; the next step follows on the tick the fall ends.
    Ticks(10);
    EXPECT_EQ(States()[2], "4");
    Tick();
    EXPECT_EQ(Kinds(), (Rows{"D", "D", "K", "P"}));
    EXPECT_FALSE(board->AnyCellInState(CellState::Gone));
    Settle();
    EXPECT_EQ(Squares(), (Rows{"#", "#", "#", "#"}));  // only sets clear squares
}

TEST_F(CBoardRulesTest, ACellAboveHolesFallsPastThemIntoTheNextSquare) {
    Build({"FK", ".P", ".M", "KS"});
    At(0, 3)->SetState(CellState::Gone);
    Tick();
    EXPECT_EQ(Kinds(), (Rows{"DK", ".P", ".M", "FS"}));
    EXPECT_EQ(At(0, 3)->fallOffset, 1);
    EXPECT_EQ(At(0, 0)->fallOffset, 1);
    // Drawing a cell that falls behind holes must stay inside the grid and the pictures.
    DrawTree();
    Settle();
    EXPECT_EQ(board->CountCellsOfKind(CellKind::Hole), 2);
}

TEST_F(CBoardRulesTest, WithTheSpoonPointingHighlightsNothingAndAClickTakesOneCell) {
    Build({"FFF", "KPM"});
    Hold(ItemType::Spoon, 1);
    PointAt(0, 0);
    Tick();
    EXPECT_EQ(States(), (Rows{"000", "000"}));
    ClickAt(1, 0);
    EXPECT_EQ(States(), (Rows{"030", "000"}));
    EXPECT_EQ(Squares(), (Rows{"###", "###"}));
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);
    EXPECT_TRUE(Notified(2, ItemType::Spoon, -1));
    EXPECT_EQ(clearedCells, 0);
}

TEST_F(CBoardRulesTest, TheVaccineCuresOneVirusAClickAndIsDroppedWithTheLast) {
    Build({"%F%", "KPM"});
    ClickAt(0, 0);  // without the vaccine a virus only blinks
    EXPECT_EQ(At(0, 0)->state, CellState::Idle);
    EXPECT_EQ(dynamic_cast<CCellVirus*>(At(0, 0))->blinkPhase, 1);
    Ticks(40);
    Hold(ItemType::Vaccine, 5);
    ClickAt(0, 0);
    EXPECT_EQ(At(0, 0)->state, CellState::Clearing);
    EXPECT_EQ(pointer->usesLeft, 4);
    EXPECT_EQ(pointer->heldType, ItemType::Vaccine);
    // A pet that forms no set spends a use and blinks.
    Ticks(40);
    ClickAt(1, 1);
    EXPECT_EQ(pointer->usesLeft, 3);
    EXPECT_EQ(At(1, 1)->state, CellState::Blinking);
    Ticks(40);
    ClickAt(2, 0);
    EXPECT_EQ(At(2, 0)->state, CellState::Clearing);
    EXPECT_EQ(pointer->heldType, CCustomPointer::NoItem);
    EXPECT_TRUE(Notified(2, ItemType::Vaccine, -1));
    EXPECT_EQ(Squares(), (Rows{"###", "###"}));

    // A set clicked with the vaccine in hand is cleared and spends a use.
    Build({"FFF%", "KPMD"});
    board->clickCooldown = 0;
    Hold(ItemType::Vaccine, 5);
    ClickAt(1, 0);
    EXPECT_EQ(States()[0], "3330");
    EXPECT_EQ(pointer->usesLeft, 4);
}

TEST_F(CBoardRulesTest, UselessClicksOnAPetBlinkThreeTimesThenAnnoyIt) {
    Build({"FK", "PM"});
    for (int click = 1; click <= 3; ++click) {
        ClickAt(0, 0);
        EXPECT_EQ(At(0, 0)->state, CellState::Blinking) << click;
        Ticks(60);
        EXPECT_EQ(At(0, 0)->state, CellState::Idle) << click;
    }
    ClickAt(0, 0);
    EXPECT_EQ(At(0, 0)->state, CellState::Annoyed);
    EXPECT_EQ(At(0, 0)->uselessClicks, 4);
    Ticks(45);
    EXPECT_EQ(At(0, 0)->state, CellState::Idle);
}

TEST_F(CBoardRulesTest, HoverHighlightsTheSetWhichSwingsAndLeavingClearsIt) {
    Build({"FFFK", "*KPM"});
    PointAt(1, 0);
    Tick();
    EXPECT_EQ(States(), (Rows{"2220", "2000"}));
    std::vector<int> frames;  // a highlighted pet swings between two pictures every 15 ticks
    for (int i = 0; i < 4; ++i) {
        Ticks(i == 0 ? 14 : 15);
        frames.push_back(At(0, 0)->frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 0, 1, 0}));
    PointAway();
    Tick();
    EXPECT_EQ(States(), (Rows{"0000", "0000"}));
    // No time left: no highlights.
    timer.remaining = 0;
    PointAt(0, 0);
    Tick();
    EXPECT_EQ(States(), (Rows{"0000", "0000"}));
}

TEST_F(CBoardRulesTest, AClickStaysPendingThroughTheCooldownAndAReleaseElsewhere) {
    Build({"FFFK", "KPMD"});
    ClickAt(3, 0);  // useless: the cooldown starts
    ASSERT_EQ(board->clickCooldown, 40);
    PointAt(0, 0);
    input.SetButton(true);
    Tick();
    input.SetButton(false);
    Ticks(38);
    EXPECT_EQ(board->clickCooldown, 1);
    EXPECT_EQ(At(0, 0)->state, CellState::Highlighted);
    Tick();
    EXPECT_EQ(At(0, 0)->state, CellState::Clearing);
    Settle();

    // Pressed over the board, released away from it: the click waits for the mouse to return.
    Build({"FFFK", "KPMD"});
    board->clickCooldown = 0;
    PointAt(3, 1);
    input.SetButton(true);
    Tick();
    PointAway();
    input.SetButton(false);
    Ticks(5);
    EXPECT_TRUE(board->mousePressed);
    PointAt(1, 0);
    Tick();
    EXPECT_EQ(States()[0], "3330");
    EXPECT_FALSE(board->mousePressed);
}

TEST_F(CBoardRulesTest, AShuffleOfTwoCellsSwapsThemAndLeavesTheSquares) {
    Build({"F.K"});
    board->toClear[0] = 0;
    board->Shuffle();
    EXPECT_EQ(Kinds(), (Rows{"K.F"}));
    EXPECT_EQ(Squares(), (Rows{"--#"}));
}

TEST_F(CBoardRulesTest, WhenNoSetIsLeftTheBoardThrowsTheHelpItemThatFits) {
    Build({"FK", "PM"});
    ASSERT_FALSE(board->FindSets());
    board->ThrowHelpItem();
    const CTree* tree = leftTree.slotA != nullptr ? &leftTree : &rightTree;
    ASSERT_NE(tree->slotA, nullptr);
    EXPECT_TRUE(tree->slotA->help);
    const int32_t type = tree->slotA->GetType();
    EXPECT_TRUE(type == ItemType::Spoon || type == ItemType::Eddy);
    EXPECT_TRUE(Notified(1, type, -1));

    Build({"F%", "PM"});
    board->ThrowHelpItem();
    EXPECT_TRUE(leftTree.HasItemOfType(ItemType::Vaccine) || rightTree.HasItemOfType(ItemType::Vaccine));
    const size_t count = tutorials.notifications.size();
    board->ThrowHelpItem();  // a vaccine already waits
    EXPECT_EQ(tutorials.notifications.size(), count);

    Build({"F-", "PM"});
    Hold(ItemType::Soap, 1);
    board->ThrowHelpItem();  // the soap is in hand
    EXPECT_EQ(tutorials.notifications.size(), count);
}

TEST_F(CBoardRulesTest, TheHintBlinksOnlyOnceAtMostHalfTheSquaresAreLeft) {
    Build({"FK", "PM"});
    board->toClear[0] = 0;  // 3 of 4 left
    for (int i = 0; i < 60 * 14; ++i) {
        Tick();
        ASSERT_FALSE(board->hintOn) << i;
    }
    board->toClear[1] = 0;  // 2 of 4 left
    board->hintCycleStart = App.tickCount;
    int shown = 0;
    for (int i = 0; i < 60 * 13; ++i) {
        Tick();
        shown += board->hintOn ? 1 : 0;
    }
    // Half of about two seconds of the 13-second cycle.
    EXPECT_GE(shown, 50);
    EXPECT_LE(shown, 70);
    EXPECT_EQ(board->hintSoundState, 2);
}

TEST_F(CBoardRulesTest, VirusesSpreadAtTheirPeriodCountedInFreeTicks) {
    Build({"%F", "KP"});
    board->virusSpread.period = 1;
    Ticks(59);
    EXPECT_EQ(board->virusSpread.step, 0);
    Tick();
    ASSERT_EQ(board->virusSpread.step, 1);
    EXPECT_TRUE(board->busy);
    const int32_t direction = dynamic_cast<CCellVirus*>(At(0, 0))->direction;
    Ticks(58);
    EXPECT_EQ(board->virusSpread.step, 59);
    Tick();
    EXPECT_EQ(board->virusSpread.step, 0);
    EXPECT_EQ(board->CountCellsOfKind(CellKind::Virus), direction == CCellVirus::NoDirection ? 1 : 2);
    EXPECT_EQ(board->virusSpread.clock, 62);  // the ending tick counts once more
    EXPECT_EQ(Squares(), (Rows{"##", "##"}));
    // The next spread when the clock reaches 120.
    Ticks(58);
    EXPECT_EQ(board->virusSpread.step, 0);
    if (board->CountCellsOfKind(CellKind::Virus) < 4) {
        Tick();
        EXPECT_EQ(board->virusSpread.step, 1);
    }
}

TEST_F(CBoardRulesTest, AVirusHemmedInHeldOrWithoutAPeriodNeverSpreads) {
    Build({"%%F", "%FF", "FF."});
    for (int i = 0; i < 200; ++i) {
        board->virusSpread.ChooseMoves(*board);
        ASSERT_EQ(dynamic_cast<CCellVirus*>(At(0, 0))->direction, CCellVirus::NoDirection);
    }
    Build({"%.", "..", "FF"});
    board->virusSpread.period = 1;
    Ticks(60 * 5);
    EXPECT_EQ(board->CountCellsOfKind(CellKind::Virus), 1);

    Build({"%F", "FF"});
    board->virusSpread.period = 0;
    Ticks(60 * 5);
    EXPECT_EQ(board->virusSpread.step, 0);
    EXPECT_EQ(board->CountCellsOfKind(CellKind::Virus), 1);

    // A sand clock's hold skips the spread while the clock still counts.
    Build({"%F", "KP"});
    board->virusSpread.period = 1;
    timer.holdTicks = 600;
    const int32_t clock = board->virusSpread.clock;
    Ticks(120);
    EXPECT_EQ(board->virusSpread.step, 0);
    EXPECT_EQ(board->virusSpread.clock, clock + 120);
}

class CBoardReplayTest : public BoardTest {
protected:
    // A level played on a new board by a fixed script from a fixed seed; the board as text at every
    // 50th tick.
    std::string Play() {
        NewBoard();
        App.tickCount = 0;
        SeedRandom(2024);
        for (CTree* tree : {&leftTree, &rightTree}) {  // help items of the last run would change the draws
            delete tree->slotA;
            delete tree->slotB;
            tree->slotA = tree->slotB = nullptr;
            tree->nextToB = false;
        }
        std::string error;
        EXPECT_TRUE(board->generator.SetPets("FKPM", error));
        board->generator.probStar = 8;
        board->generator.probBubble = 8;
        board->generator.probVirus = 6;
        board->virusSpread.period = 2;
        LoadGrid({"XXXXXX", "XX..XX", "XXXXXX", "XXXXXX"});
        EXPECT_TRUE(board->Fill(error));
        pointer->Hold(&pointer->arrow, ItemType::Soap);
        pointer->usesLeft = 1;
        std::string dumps;
        for (int tick = 0; tick < 900; ++tick) {
            if (tick % 60 == 0) {
                PointAt((tick / 60) % 6, (tick / 60) % 4);
                input.SetButton(true);
            } else if (tick % 60 == 1) {
                input.SetButton(false);
            }
            Tick();
            if (tick % 50 == 0) {
                dumps += BoardText::Dump(*board);
            }
        }
        return dumps;
    }
};

TEST_F(CBoardReplayTest, TheSameSeedAndClicksGiveTheSameGame) {
    const std::string first = Play();
    const std::string second = Play();
    EXPECT_EQ(first, second);
    EXPECT_NE(first.find(" 3"), std::string::npos);  // something was cleared on the way
}

}  // namespace
