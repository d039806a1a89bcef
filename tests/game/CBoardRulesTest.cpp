#include <algorithm>
#include <string>
#include <vector>

#include "game/BoardFixture.h"

namespace {

using CBoardRulesTest = BoardTest;

// Each cell in a set as its effect: 'l' light (3 cells), 'p' ploc (4 or 5), 's' plok star (6 or
// more); '.' for a cell in no set.
TEST_F(CBoardRulesTest, SetsOfThreeJoinThroughStarsAndTheirSizeChoosesTheEffect) {
    const std::vector<std::pair<Rows, Rows>> cases = {
        {{"FP", "F*", "KM"}, {"l.", "ll", ".."}},
        {{"***"}, {"lll"}},
        {{"FF*KKKK"}, {"llppppp"}},  // a star in two sets takes the effect of the last one found
        {{"FKKF", "FFFF"}, {"s..s", "ssss"}},
        {{"FFFPP", "KKKKP", "MMMMD", "MMDDD", "SSSSS"}, {"lllll", "ppppl", "ssssp", "ssppp", "ppppp"}},
        {{"----", "%%%F", "||||"}, {"....", "....", "...."}},
        {{"FfF"}, {"..."}},  // a second look never matches its pet
    };
    for (const auto& [grid, sets] : cases) {
        SCOPED_TRACE(::testing::PrintToString(grid));
        Build(grid);
        EXPECT_EQ(Picture([](const CCell* cell, int) {
                      for (int group = 0; group < CBoard::MaxCells; ++group) {
                          if (cell->IsInGroup(group)) {
                              return "lsp"[cell->effectClass];
                          }
                      }
                      return '.';
                  }),
                  sets);
    }
}

// A highlighted pet swings between two pictures every 15 ticks. A tutorial on screen lets the
// board highlight but not take a click; with no time left nothing is highlighted.
TEST_F(CBoardRulesTest, PointingHighlightsASetWithItsStarsAndAClickClearsItAndItsSquares) {
    Build({"KKKK*FF"});
    board->toClear[1] = board->toClear[2] = board->toClear[3] = 0;  // one cat's square is left
    PointAt(4, 0);                                                  // a star selects nothing of its own
    Tick();
    EXPECT_EQ(States(), (Rows{"0000000"}));
    PointAt(6, 0);
    Tick();
    EXPECT_EQ(States(), (Rows{"0000222"}));
    std::vector<int> frames;
    for (int i = 0; i < 4; ++i) {
        Ticks(i == 0 ? 14 : 15);
        frames.push_back(At(6, 0)->frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{1, 0, 1, 0}));
    PointAway();
    Tick();
    EXPECT_EQ(States(), (Rows{"0000000"}));
    tutorials.showing = true;
    ClickAt(0, 0);
    EXPECT_EQ(States(), (Rows{"2222200"}));
    EXPECT_FALSE(board->mousePressed);  // nor kept for when the tutorial is gone
    tutorials.showing = false;
    timer().remaining = 0;
    Tick();
    EXPECT_EQ(States(), (Rows{"0000000"}));
    timer().remaining = 1;

    ClickAt(0, 0);
    EXPECT_EQ(States(), (Rows{"3333300"}));
    EXPECT_EQ(Squares(), (Rows{"-----##"}));
    EXPECT_EQ(clearedCells, 5);
    EXPECT_EQ(board->lastClearTick, App.tickCount);
    EXPECT_EQ(At(4, 0)->effectClass, ClearEffect::Light);  // from the frogs' set, found last
    Ticks(5);
    EXPECT_EQ(At(4, 0)->effectClass, ClearEffect::Ploc);  // the star leaves with the cats
}

// A frame every 5 ticks, the first within 5 ticks of the click; a click meanwhile waits.
// Only a square still to clear makes a clear count against idling.
TEST_F(CBoardRulesTest, AClearedSetPlaysItsEffectsFramesThenIsGoneAndShowsNothing) {
    for (const auto& [grid, frames] : {std::pair{Rows{"FFFK", "KKKP"}, 5}, std::pair{Rows{"FFFF", "KKKP"}, 3},
                                       std::pair{Rows{"FFFFFF", "KKKPPP"}, 5}}) {
        SCOPED_TRACE(grid[0]);
        Build(grid);
        board->clickCooldown = 0;
        board->toClear.fill(0);
        const uint32_t lastClear = board->lastClearTick;
        ClickAt(0, 0);
        EXPECT_EQ(board->lastClearTick, lastClear);  // no square was left to clear
        ClickAt(0, 1);
        CCell* frog = At(0, 0);
        int ticks = 0;
        for (; frog->state == CellState::Clearing && ticks < 100; ++ticks) {
            ASSERT_NE(cellPictures->PictureFor(*frog), nullptr);
            EXPECT_NE(At(0, 1)->state, CellState::Clearing);
            Tick();
        }
        EXPECT_EQ(frog->state, CellState::Gone);
        EXPECT_EQ(frog->frame, frames);
        EXPECT_EQ(cellPictures->PictureFor(*frog), nullptr);
        EXPECT_GT(ticks, 5 * frames - 5);
        EXPECT_LE(ticks, 5 * frames);
        Settle();
    }
}

// Every cell above a gone one moves to the next square below that is not a hole, a new one
// comes in at the top; only sets clear squares.
TEST_F(CBoardRulesTest, CellsFallPastHolesAndTwoGoneCellsInAColumnNeedTwoSteps) {
    Build({"K", "F", "P", "F"});
    At(0, 1)->SetState(CellState::Gone);
    At(0, 3)->SetState(CellState::Gone);
    Tick();
    EXPECT_EQ(Kinds(), (Rows{"D", "K", "F", "P"}));
    EXPECT_EQ(States(), (Rows{"0", "0", "4", "0"}));
    EXPECT_EQ(At(0, 3)->fallOffset, 1);
    EXPECT_EQ(At(0, 0)->fallOffset, 1);
    Ticks(10);  // falling takes 11 busy ticks; the next step follows on the tick it ends
    EXPECT_EQ(States()[2], "4");
    Tick();
    EXPECT_EQ(Kinds(), (Rows{"D", "D", "K", "P"}));
    Settle();
    EXPECT_EQ(Squares(), (Rows{"#", "#", "#", "#"}));

    Build({"FK", ".P", ".M", "KS"});
    At(0, 3)->SetState(CellState::Gone);
    Tick();
    EXPECT_EQ(Kinds(), (Rows{"DK", ".P", ".M", "FS"}));
    EXPECT_EQ(At(0, 3)->fallOffset, 1);
    Settle();
    EXPECT_EQ(board->CountCellsOfKind(CellKind::Hole), 2);
}

// One click with an item in hand (five uses): the cells it starts clearing, the squares it
// clears, what is left in hand.
TEST_F(CBoardRulesTest, AnItemInHandActsOnTheCellClicked) {
    struct Case {
        Rows grid;
        int32_t held;
        int column, row;
        Rows states;
        Rows squares;
        int32_t heldAfter;
        int usesAfter;
    };
    const int32_t none = CCustomPointer::NoItem;
    const std::vector<Case> cases = {
        {{"FFF", "KPM"}, ItemType::Spoon, 1, 0, {"030", "000"}, {"###", "###"}, ItemType::Spoon, 4},
        {{"%F%", "KPM"}, none, 0, 0, {"000", "000"}, {"###", "###"}, none, 5},  // a virus needs the vaccine
        {{"%F%", "KPM"}, ItemType::Vaccine, 0, 0, {"300", "000"}, {"###", "###"}, ItemType::Vaccine, 4},
        {{"%F%", "KPM"}, ItemType::Vaccine, 1, 1, {"000", "010"}, {"###", "###"}, ItemType::Vaccine, 4},
        {{"%FK", "KPM"}, ItemType::Vaccine, 0, 0, {"300", "000"}, {"###", "###"}, none, 0},  // the last virus
        {{"FFF%", "KPMD"}, ItemType::Vaccine, 1, 0, {"3330", "0000"}, {"---#", "####"}, ItemType::Vaccine, 4},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.grid) + " holding " + std::to_string(test.held));
        Build(test.grid);
        board->clickCooldown = 0;
        Hold(test.held, 5);
        ClickAt(test.column, test.row);
        EXPECT_EQ(States(), test.states);
        EXPECT_EQ(Squares(), test.squares);
        EXPECT_EQ(pointer->heldType, test.heldAfter);
        EXPECT_EQ(pointer->usesLeft, test.usesAfter);
    }
    EXPECT_TRUE(Notified(2, ItemType::Spoon, -1));
    EXPECT_TRUE(Notified(2, ItemType::Vaccine, -1));
    EXPECT_EQ(clearedCells, 3);  // only sets count

    // The forbidden item: every cell of its kind, no square.
    Build({"FKF", "KFK"});
    board->ClearAllOfKind(CellKind::Frog + 1);
    EXPECT_EQ(States(), (Rows{"030", "303"}));
    EXPECT_EQ(Squares(), (Rows{"###", "###"}));
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
    Ticks(45);
    EXPECT_EQ(At(0, 0)->state, CellState::Idle);
}

TEST_F(CBoardRulesTest, AClickStaysPendingThroughTheCooldownAndAReleaseElsewhere) {
    Build({"FFFK", "KPMD"});
    ClickAt(3, 0);  // useless: the cooldown starts
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
    Build({"FFFK", "KPMD"});
    board->clickCooldown = 0;
    PointAt(3, 1);
    input.SetButton(true);
    Tick();
    PointAway();
    input.SetButton(false);
    Ticks(5);
    PointAt(1, 0);
    Tick();
    EXPECT_EQ(States()[0], "3330");
}

TEST_F(CBoardRulesTest, AShuffleOfTwoCellsSwapsThemAndLeavesTheSquares) {
    Build({"F.K"});
    board->toClear[0] = 0;
    board->Shuffle();
    EXPECT_EQ(Kinds(), (Rows{"K.F"}));
    EXPECT_EQ(Squares(), (Rows{"--#"}));
}

// A vaccine while viruses are left, else soap while bubbles are, else a spoon or an eddy; none
// while the one that fits is at hand or waits in a tree.
TEST_F(CBoardRulesTest, WhenNoSetIsLeftTheBoardThrowsTheHelpItemThatFits) {
    struct Case {
        Rows grid;
        int32_t held;
        std::vector<int32_t> thrown;
        int32_t related;  // told with the item, as the lottery tells it
    };
    const std::vector<Case> cases = {
        {{"FK", "PM"}, CCustomPointer::NoItem, {ItemType::Spoon, ItemType::Eddy}, -1},
        {{"F%", "-M"}, CCustomPointer::NoItem, {ItemType::Vaccine}, 2},
        {{"F%", "PM"}, ItemType::Vaccine, {}, 0},
        {{"F-", "PM"}, ItemType::Soap, {}, 0},
        {{"FK", "PM"}, ItemType::Spoon, {}, 0},
        {{"F-", "PM"}, CCustomPointer::NoItem, {ItemType::Soap}, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(::testing::PrintToString(test.grid) + " holding " + std::to_string(test.held));
        EmptyTrees();
        tutorials.notifications.clear();
        Build(test.grid);
        Hold(test.held, 1);
        board->ThrowHelpItem();
        const CItem* item = leftTree->slotA != nullptr ? leftTree->slotA : rightTree->slotA;
        ASSERT_EQ(item == nullptr, test.thrown.empty());
        ASSERT_EQ(tutorials.notifications.size(), test.thrown.empty() ? 0u : 1u);
        if (item != nullptr) {
            EXPECT_TRUE(item->help);
            EXPECT_NE(std::find(test.thrown.begin(), test.thrown.end(), item->GetType()), test.thrown.end());
            EXPECT_TRUE(Notified(1, item->GetType(), test.related));
        }
    }
    board->ThrowHelpItem();  // the soap of the last throw waits in a tree
    EXPECT_EQ(tutorials.notifications.size(), 1u);
}

TEST_F(CBoardRulesTest, TheHintBlinksOnlyOnceAtMostHalfTheSquaresAreLeft) {
    Build({"FK", "PM"});
    board->toClear[0] = 0;  // 3 of 4 left
    for (int i = 0; i < 60 * 14; ++i) {
        Tick();
        ASSERT_FALSE(board->hintOn) << i;
    }
    EXPECT_TRUE(board->IdleSinceLastClear());  // nothing cleared for 14 seconds
    board->toClear[1] = 0;                     // 2 of 4 left
    board->hintCycleStart = App.tickCount;
    int shown = 0;
    for (int i = 0; i < 60 * 13; ++i) {
        Tick();
        shown += board->hintOn ? 1 : 0;
    }
    EXPECT_GE(shown, 50);  // half of about two seconds of the 13-second cycle
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
    Ticks(58);  // the next spread when the clock reaches 120
    EXPECT_EQ(board->virusSpread.step, 0);
    if (board->CountCellsOfKind(CellKind::Virus) < 4) {
        Tick();
        EXPECT_EQ(board->virusSpread.step, 1);
    }
}

// Hemmed in by edges, holes and viruses, held by a sand clock or without a period. A sand clock
// or no period leaves the clock counting.
TEST_F(CBoardRulesTest, VirusesWithNowhereToGoHeldOrWithoutAPeriodNeverSpread) {
    struct Case {
        Rows grid;
        int32_t period;
        int32_t holdTicks;
    };
    for (const Case& test : {Case{{"%.", "..", "FF"}, 1, 0}, Case{{"%%.", "%..", "..F"}, 1, 0},
                             Case{{"%F", "FF"}, 0, 0}, Case{{"%F", "KP"}, 1, 600}}) {
        SCOPED_TRACE(::testing::PrintToString(test.grid));
        Build(test.grid);
        board->virusSpread.period = test.period;
        timer().holdTicks = test.holdTicks;
        const int viruses = board->CountCellsOfKind(CellKind::Virus);
        const int32_t clock = board->virusSpread.clock;
        for (int i = 0; i < 300; ++i) {
            Tick();
            for (const CCell* cell : board->cells) {  // no copy ever on its way
                const auto* virus = dynamic_cast<const CCellVirus*>(cell);
                ASSERT_TRUE(virus == nullptr || virus->direction == CCellVirus::NoDirection) << i;
            }
        }
        EXPECT_EQ(board->CountCellsOfKind(CellKind::Virus), viruses);
        if (test.period == 0 || test.holdTicks > 0) {
            EXPECT_EQ(board->virusSpread.clock, clock + 300);
        }
    }
}

// A level on a new board from a fixed seed, clicked by a fixed script with a soap in hand; the
// board as text every 50 ticks.
TEST_F(CBoardRulesTest, TheSameSeedAndClicksGiveTheSameGame) {
    auto play = [this] {
        NewBoard();
        App.tickCount = 0;
        SeedRandom(2024);
        EmptyTrees();  // help items of the last run would change the draws
        std::string error;
        EXPECT_TRUE(board->generator.SetPets("FKPM", error));
        board->generator.probStar = board->generator.probBubble = 8;
        board->generator.probVirus = 6;
        board->virusSpread.period = 2;
        LoadGrid({"XXXXXX", "XX..XX", "XXXXXX", "XXXXXX"});
        EXPECT_TRUE(board->Fill(error));
        Hold(ItemType::Soap, 1);
        std::string dumps;
        for (int tick = 0; tick < 900; ++tick) {
            PointAt((tick / 60) % 6, (tick / 60) % 4);
            input.SetButton(tick % 60 == 0);
            Tick();
            dumps += tick % 50 == 0 ? BoardText::Dump(*board) : "";
        }
        return dumps;
    };
    const std::string first = play();
    EXPECT_EQ(first, play());
    EXPECT_NE(first.find(" 3"), std::string::npos);  // something was cleared on the way
}

}  // namespace
