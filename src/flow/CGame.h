#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/CBackground.h"
#include "game/CBoard.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "game/CTutorials.h"
#include "game/GameMenu.h"
#include "game/ItemSource.h"
#include "gfx/CAnimCenter.h"
#include "scene/GameObject.h"
#include "ui/CCustomPointer.h"

class LevelFile;

// The play screen and what runs a level on it: the board, the world's background with its two
// item trees, the time bar, the banners, the pointer that carries items, and the item lottery
// the trees draw from. Object name "game"; its parent is the root.
class CGame : public CGameObject, public ItemSource, public GameMenu {
public:
    static constexpr int ItemTypes = 8;                // by item type; type 4 is "no item" and always 0
    static constexpr int32_t FirstLevelSeconds = 120;  // a level that never said its TIME

    // A world 1 to 8 and a stage 1 to 5.
    static bool IsPlayableLevel(int world, int stage);
    // "levels/levelW-S.txt".
    static std::string LevelPath(int world, int stage);

    // Loads every picture of the play screen; the pointer becomes App.pointer.
    CGame();
    ~CGame() override;
    CGame(const CGame&) = delete;
    CGame& operator=(const CGame&) = delete;

    // The first level of a game at world and stage (as the command line gave them, 1 to 8 and
    // 1 to 5, else 1 and 1): the world's look, the level, then its reveal. false with
    // "file:line: ..." in error when the level cannot be played; nothing of it was applied then.
    bool BeginGame(const LevelFile& level, std::string& error);
    // Hands a level read whole to the board, the time bar and the lottery. Keys the file leaves
    // out keep the values in force (the item chances start from 0 at every level).
    bool ApplyLevel(const LevelFile& level, std::string& error);
    void PlayWorldMusic() const;

    // The level is over when the board is cleared or the bar empty: the banner then says so.
    bool Update() override;
    // The trees' items, over the board.
    void DrawOver() override;

    CItem* MakeItem() override;
    // An item of the type, linked to the game as the lottery's are.
    CItem* MakeItemOfType(int32_t type);
    // A soap spent on a cell it does nothing to goes back to a tree with room for it.
    void GiveSoap();
    void CountClearedCell();
    // No menu to go back to yet: leaving the level ends the program.
    void OpenGameMenu() override;

    CBoard board;
    CBackground background;
    CCustomPointer pointer;
    CAnimCenter bannerCentre;
    CTimer timer;
    CTutorials tutorials;

    std::array<int32_t, ItemTypes> itemChances{};
    int32_t world = 1;
    int32_t stage = 1;
    int32_t clearedCells = 0;
    int32_t levelSeconds = FirstLevelSeconds;

private:
    void StartReveal();
    void ShowBanner(int kind);
    std::array<CGameObject*, 5> Members();
    bool IsMember(const CGameObject* child);
};
