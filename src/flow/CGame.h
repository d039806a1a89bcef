#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "flow/CGameOverMenu.h"
#include "flow/CStagePresent.h"
#include "flow/CTutorials.h"
#include "game/CBackground.h"
#include "game/CBoard.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "game/GameMenu.h"
#include "game/ItemSource.h"
#include "gfx/CAnimCenter.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "ui/BitmapFont.h"
#include "ui/CCustomPointer.h"

class GameMenuPanel;
class LevelFile;

// The games played between start-up and exit: the play screen (board, the world's background
// with its two item trees, time bar, banners, the pointer that carries items), the level files
// read one after another through 8 worlds of 5 stages, the saved progress, the item lottery the
// trees draw from and the in-game menu. Object name "game"; its parent is the root.
class CGame : public CGameObject, public ItemSource, public GameMenu {
public:
    static constexpr int ItemTypes = ItemType::Count;  // type 4 is "no item": its chance stays 0
    static constexpr int Worlds = CBackground::Worlds;
    static constexpr int Stages = CBackground::Stages;
    static constexpr int32_t FirstLevelSeconds = 120;  // a level that never said its TIME
    static constexpr const char* ProgressFileName = "world.dat";
    static constexpr const char* ErrorFileName = "error.txt";

    // The name its pictures are filed under: "park" for world 1 ... "volcanos" for world 8.
    static const char* WorldName(int world);
    // A world 1 to 8 and a stage 1 to 5.
    static bool IsPlayableLevel(int world, int stage);
    // The level file of world and stage in folder ("levels/levelW-S.txt").
    static std::string LevelPath(const std::string& folder, int world, int stage);
    // Sets the progress entry of world to stage; a file that cannot be written is reported on
    // standard error and play goes on.
    static void SaveProgress(int world, int stage);

    // Loads every picture of the play screen; the pointer becomes App.pointer. World and stage
    // come from the command line (/world=, /stage=), 1 and 1 when either is missing or wrong.
    CGame();
    ~CGame() override;
    CGame(const CGame&) = delete;
    CGame& operator=(const CGame&) = delete;

    // A game from the menus at a world and the stage recorded for it.
    void Start(int newWorld, int newStage);
    // The first level of a game; tutorialWorld -1 (a direct start) builds no tutorial pages.
    void BeginGame(int tutorialWorld);
    // The current level again, or the next one once world and stage moved on.
    void BeginLevel();
    // Reads the level file of world and stage, or world 1 stage 1's when it is missing or
    // malformed (saying why on standard error). When neither can be played, "error.txt" is
    // written and the game ends with a message.
    void LoadLevel(int levelWorld, int levelStage);
    // Hands a level read whole to the board, the time bar and the lottery. Keys the file leaves
    // out keep the values in force (the item chances start from 0 at every level). false with
    // "file:line: ..." in error when the level cannot be played; nothing of it is applied then.
    bool ApplyLevel(const LevelFile& level, std::string& error);
    void PlayWorldMusic() const;

    bool Update() override;
    // The trees' items, over the board.
    void DrawOver() override;

    CItem* MakeItem() override;
    // An item of the type, linked to the game as the lottery's are.
    CItem* MakeItemOfType(int32_t type);
    // A soap spent on a cell it does nothing to goes back to a tree with room for it.
    void GiveSoap();
    void CountClearedCell();
    // The menu panel over the halted play screen; with no menus to go back to, leaving the level
    // ends the program.
    void OpenGameMenu() override;
    // CONTINUE: play goes on while the panel slides out.
    void CloseGameMenu();

    CBoard board;
    CBackground background;
    CCustomPointer pointer;
    CAnimCenter bannerCentre;
    CTimer timer;
    CStagePresent stagePresent;
    CTutorials tutorials;
    CGameOverMenu gameOverMenu;

    std::array<int32_t, ItemTypes> itemChances{};
    int32_t world = 1;
    int32_t stage = 1;
    int32_t clearedCells = 0;
    int32_t levelSeconds = FirstLevelSeconds;
    // Where the level files are: game-relative, or an absolute folder (tests, tools).
    std::string levelFolder = "levels";

private:
    void StartReveal();
    void ShowWorldPresentation();
    void ShowBanner(int kind);
    void NextLevel();
    void ActOnGameOverChoice();
    void DetachClosedMenu();
    bool TryLevel(int levelWorld, int levelStage, std::string& error);
    GameMenuPanel* MenuPanel();
    std::array<CGameObject*, 7> Members();
    bool IsMember(const CGameObject* child);

    // The intro's font, until the intro exists to lend its own.
    Sprite fontAlphabet_;
    BitmapFont font_;
};
