// The game's course through the levels: loading a level file, beginning a game or a level, the
// end of a level and the saved progress.
#include <cstdio>
#include <filesystem>

#include "core/App.h"
#include "engine/Files.h"
#include "engine/MessageBox.h"
#include "flow/CEndScreen.h"
#include "flow/CGame.h"
#include "flow/CWorldPresentation.h"
#include "flow/LevelFile.h"
#include "flow/ProgressFile.h"
#include "flow/SaveFileBytes.h"
#include "game/BoardScale.h"
#include "game/CBoardEffects.h"
#include "game/CCellPictures.h"

namespace {

// The level keys of the item chances, by item type.
constexpr const char* ItemChanceKeys[CGame::ItemTypes] = {
    "PROB_CLOCK", "PROB_VACCINE", "PROB_SOAP",      "PROB_NOPET",
    nullptr,      "PROB_SPOON",   "PROB_SANDCLOCK", "PROB_EDDY",
};

}  // namespace

const char* CGame::WorldName(int world) {
    static constexpr const char* Names[Worlds] = {"park",   "beach", "jungle", "ice",
                                                  "desert", "city",  "clouds", "volcanos"};
    return IsPlayableLevel(world, 1) ? Names[world - 1] : "";
}

bool CGame::IsPlayableLevel(int world, int stage) {
    return 1 <= world && world <= Worlds && 1 <= stage && stage <= Stages;
}

std::string CGame::LevelPath(const std::string& folder, int world, int stage) {
    const std::string name = folder + "/level" + std::to_string(world) + "-" + std::to_string(stage) + ".txt";
    return std::filesystem::path(folder).is_absolute() ? name : MakeFilePath(name);
}

void CGame::SaveProgress(int world, int stage) {
    std::string error;
    if (!ProgressFile::Save(ProgressFileName, world, stage, error)) {
        std::fprintf(stderr, "tandolo: the progress was not saved: %s\n", error.c_str());
    }
}

void CGame::Start(int newWorld, int newStage) {
    world = newWorld;
    stage = newStage;
    BeginGame(world);
}

void CGame::BeginGame(int tutorialWorld) {
    background.SetWorld(world, stage);
    tutorials.Build(tutorialWorld);
    boardScale = 1.0f;
    LoadLevel(world, stage);
    PlayWorldMusic();
    StartReveal();
    if (stage == 1) {
        ShowWorldPresentation();
        SetActive(false);  // the presentation wakes the game when it is clicked away
    }
}

void CGame::BeginLevel() {
    if (stage == 1) {
        ShowWorldPresentation();
        tutorials.Build(world);
    }
    PlayWorldMusic();
    background.leftTree.EmptySlots();
    background.rightTree.EmptySlots();
    background.SetWorld(world, stage);
    pointer.DropHeld();
    timer.SetHold(false);
    LoadLevel(world, stage);
    StartReveal();
}

void CGame::ShowWorldPresentation() {
    CGameObject* root = GetParent();
    if (root == nullptr || root == this) {
        return;  // a game on its own (tests) has no screen to put it on
    }
    auto* presentation = new CWorldPresentation();
    presentation->font = &font_;
    root->AddChild(presentation);
    presentation->Start();
    presentation->SetActive(true);
}

void CGame::LoadLevel(int levelWorld, int levelStage) {
    tutorials.NotifyTutorials(0, levelStage, -1);
    std::string error;
    if (TryLevel(levelWorld, levelStage, error)) {
        return;
    }
    std::fprintf(stderr, "tandolo: %s\n", error.c_str());
    std::string fallbackError;
    if ((levelWorld != 1 || levelStage != 1) && TryLevel(1, 1, fallbackError)) {
        std::fprintf(stderr, "tandolo: playing world 1 stage 1 in its place\n");
        return;
    }
    if (!fallbackError.empty()) {
        std::fprintf(stderr, "tandolo: %s\n", fallbackError.c_str());
    }
    std::string ignored;
    SaveFileBytes::Replace(ErrorFileName, "couldn't load level", ignored);
    FatalError("No level could be loaded: " + (fallbackError.empty() ? error : fallbackError));
}

// Reads the level file whole; nothing of a file that is refused is applied.
bool CGame::TryLevel(int levelWorld, int levelStage, std::string& error) {
    LevelFile level;
    return level.Load(LevelPath(levelFolder, levelWorld, levelStage), error) && ApplyLevel(level, error);
}

// Everything is checked before anything is set: a level refused leaves the game as it was.
bool CGame::ApplyLevel(const LevelFile& level, std::string& error) {
    const LevelFile::Setting* pets = level.Find("CELLS_NORMAL");
    if (pets == nullptr && board.generator.petCount == 0) {
        error = level.Where(level.LineCount()) + ": the level has no CELLS_NORMAL line naming its pets";
        return false;
    }
    const LevelFile::Setting* scaleSetting = level.Find("SCALE");
    const float scale =
        scaleSetting != nullptr ? static_cast<float>(scaleSetting->number) / 100.0f : boardScale;
    const auto& rows = level.Rows();
    const int columns = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    if (!CBoard::GridFitsScreen(columns, static_cast<int>(rows.size()), scale, error)) {
        error = level.Where(scaleSetting != nullptr ? scaleSetting->line : 1) + ": " + error;
        return false;
    }

    board.LoadGrid(rows);
    boardScale = scale;
    for (int type = 0; type < ItemTypes; ++type) {
        itemChances[static_cast<size_t>(type)] =
            ItemChanceKeys[type] != nullptr ? level.NumberOr(ItemChanceKeys[type], 0) : 0;
    }
    CellGenerator& cells = board.generator;
    if (pets != nullptr) {
        std::string checkedAlready;
        cells.SetPets(pets->text, checkedAlready);
    }
    cells.probStar = level.NumberOr("PROB_STAR", cells.probStar);
    cells.probBubble = level.NumberOr("PROB_BUBBLE", cells.probBubble);
    cells.probVirus = level.NumberOr("PROB_VIRUS", cells.probVirus);
    board.virusSpread.period = level.NumberOr("TIMEVIRUS", board.virusSpread.period);
    // Every level starts on a full bar; one without TIME runs at the last level's length.
    levelSeconds = level.NumberOr("TIME", levelSeconds);
    timer.SetTime(levelSeconds);

    cellPictures->SetScale(boardScale);
    board.Layout();
    std::string cannotFail;  // the level names its pets, or an earlier one did
    board.Fill(cannotFail);
    return true;
}

void CGame::PlayWorldMusic() const {
    PlayMusic("data/sfx/world" + std::to_string(world) + (stage % 2 == 1 ? "b" : "a") + ".it");
}

// The cells appear one by one while the stage's title drops in; play starts when the last cell
// has appeared (the reveal then wakes the board and starts the bar).
void CGame::StartReveal() {
    auto* reveal = new CBoardEffects();
    SetParentLink(reveal);
    reveal->Init(world, stage);
    stagePresent.Start(world, stage);
    InsertChildBefore(reveal, &stagePresent);
    board.SetActive(false);
    timer.paused = true;
}

bool CGame::Update() {
    if (!bannerCentre.active) {
        if (board.IsCleared()) {
            ShowBanner(CAnimCenter::LevelCleared);
        } else if (timer.remaining == 0 && !timer.paused) {
            ShowBanner(CAnimCenter::GameOver);  // the time ran out during play
            gameOverMenu.SetActive(true);
        } else if (timer.remaining == 0 && gameOverMenu.active && gameOverMenu.choice != 0) {
            ActOnGameOverChoice();
        }
    } else if (bannerCentre.IsDone()) {
        bannerCentre.SetActive(false);
        if (board.IsCleared()) {
            NextLevel();
            if (!active) {
                return true;  // the game is won
            }
        }
    }
    DetachClosedMenu();
    return true;
}

// The level is over: play halts under the banner.
void CGame::ShowBanner(int kind) {
    bannerCentre.Show(kind);
    bannerCentre.SetActive(true);
    timer.paused = true;
}

// After the level-cleared banner: the next stage, the next world, or the end of the game.
void CGame::NextLevel() {
    stage += 1;
    if (stage > Stages) {
        world += 1;
        stage = 1;
        if (world > Worlds) {
            SetActive(false);
            CGameObject* root = GetParent();
            if (root != nullptr && root != this) {
                auto* ending = new CEndScreen();
                ending->font = &font_;
                root->AddChild(ending);
            }
            FadeOut();
            return;
        }
        SaveProgress(world - 1, 1);  // a completed world is replayed from its first stage
    }
    SaveProgress(world, stage);
    BeginLevel();
}

void CGame::ActOnGameOverChoice() {
    const int32_t choice = gameOverMenu.choice;
    gameOverMenu.SetActive(false);
    FadeOut();
    if (choice == CGameOverMenu::GoToMain) {
        SetActive(false);
        return;
    }
    if (choice == CGameOverMenu::RestartWorld) {
        stage = 1;
        SaveProgress(world, 1);
    }
    BeginLevel();
    FadeIn();
}
