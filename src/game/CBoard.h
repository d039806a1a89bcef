#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "game/BubbleBlast.h"
#include "game/CBubbleHandler.h"
#include "game/CellGenerator.h"
#include "game/VirusSpread.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "scene/KeyboardTargets.h"

class CCell;
class CCellPictures;
class CCustomPointer;
class CTimer;
class CTree;
class TutorialEvents;

// The playing field: a grid of up to 30 x 30 cells with the square behind each
// that the player must clear, and the rules that run on it.
class CBoard : public CGameObject, public KeyboardTargets, public KeyboardGrid {
public:
    static constexpr int MaxSide = 30;
    static constexpr int MaxCells = MaxSide * MaxSide;
    static constexpr int SquareWidth = 64;
    static constexpr int SquareHeight = 65;
    static constexpr int ClickCooldownTicks = 40;
    static_assert(BubbleBlast::MaxCells == MaxCells);

    // Loads the board's pictures and makes the cell picture bank.
    CBoard();
    ~CBoard() override;
    CBoard(const CBoard&) = delete;
    CBoard& operator=(const CBoard&) = delete;

    // --- the grid (level loading) ---
    // Lays out the grid of a level, top row first: '.' a hole, any other character a square to
    // clear. Rows of unequal length or more than 30 of anything leave the board empty (false):
    // the level reader refuses those with a message first.
    bool LoadGrid(const std::vector<std::string>& rows);
    // false with a message when the grid does not fit the 800 x 600 screen at boardScale.
    bool FitsScreen(std::string& error) const;
    // The same for a grid of columns x rows at a scale, before anything of it is laid out.
    static bool GridFitsScreen(int columns, int rows, float scale, std::string& error);
    void Layout();
    // A random cell in every empty slot, then a search for sets; false when no pet can be made.
    bool Fill(std::string& error);
    CCell* NewRandomCell();

    // --- cells ---
    CCell* CellAt(int column, int row) const;
    bool Inside(int column, int row) const {
        return column >= 0 && row >= 0 && column < width && row < height;
    }
    // Where a slot is in cells, toClear and the effects' marks.
    int Index(int column, int row) const { return row * width + column; }
    bool IsHoleAt(int column, int row) const;
    // Puts a new cell of kind into a slot, destroying what was there.
    CCell* SetCell(int column, int row, int32_t kind);
    bool CellAtMouse(int& column, int& row) const;
    bool IsCleared() const;
    bool AnyCellInState(int32_t state) const;
    bool AnyCellOfKind(int32_t kind) const;
    int CountCellsOfKind(int32_t kind) const;
    bool IdleSinceLastClear() const;

    // --- rules ---
    bool FindSets();
    void FloodFill(int32_t kind, uint8_t* visited, int column, int row);
    int32_t Hover(int column, int row);
    void ClearGroup(int32_t group);
    bool ApplyItemAt(int column, int row, int32_t heldType);
    void DropColumn(int column);
    void ThrowHelpItem();
    void Shuffle();
    void UpdateHint();
    // The forbidden item: every cell of the kind starts clearing; squares stay as they are.
    void ClearAllOfKind(int32_t kind);

    bool Update() override;
    void Draw() override;

    // --- keyboard play ---
    // The items lying in the trees.
    void AddKeyTargets(std::vector<KeyTarget>& targets) const override;
    int GridColumns() const override { return width; }
    int GridRows() const override { return height; }
    bool GridCellExists(int column, int row) const override;
    KeyTarget GridCellCentre(int column, int row) const override;
    bool GridCellAtPointer(int& column, int& row) const override { return CellAtMouse(column, row); }
    void ShowKeyCursor(bool shown, int column, int row) override;

    // --- geometry ---
    int SquareX(int column) const;
    int SquareY(int row) const;
    int PetX(int column) const;
    int PetY(int row) const;

    int32_t width = 0;
    int32_t height = 0;
    std::array<CCell*, MaxCells> cells{};
    std::array<uint8_t, MaxCells> toClear{};
    CellGenerator generator;
    bool busy = false;
    Sprite squareNormal;
    Sprite circle;
    Sprite squareCleared;
    int32_t originX = 0;
    int32_t originY = 0;
    int32_t petOffsetX = 0;
    int32_t petOffsetY = 0;
    CTree* leftTree = nullptr;
    CTree* rightTree = nullptr;
    // The effects that keep the board busy while they run.
    VirusSpread virusSpread;
    BubbleBlast bubbleBlast;
    int32_t clickCooldown = 0;
    CBubbleHandler bubbles;
    bool mousePressed = false;
    Sprite* arrowBlue = nullptr;
    Sprite* arrowGreen = nullptr;
    Sprite* arrowRed = nullptr;
    Sprite* arrowViolet = nullptr;
    uint32_t hintCycleStart = 0;
    bool hintOn = false;
    int32_t hintSoundState = 0;
    uint32_t lastClearTick = 0;

    // The game's counter of cleared cells, called once per cell of a cleared set.
    std::function<void()> countClearedCell;
    // The game puts a new soap into a tree when a held soap was spent on a cell it does nothing to.
    std::function<void()> giveSoap;

private:
    void ClearBoard();
    void PlaceCell(int index, CCell* cell);
    void DestroyCell(CCell* cell);

    CTimer* Timer();
    TutorialEvents* Tutorials();
    static CCustomPointer* Pointer();
    void Notify(int32_t category, int32_t index, int32_t related);
    bool ItemAtHand(int32_t type) const;

    void AdvanceFalls();
    void Gravity();
    void HelpIfNoSetIsLeft();
    bool VirusesHeld();
    void HandleMouse();
    void Click(int column, int row, int32_t group);
    void UnhighlightAll();

    void DrawSquares() const;
    void DrawRestingCells() const;
    void DrawFallingCells() const;
    void DrawFallingCell(int column, int row, const CCell& cell) const;
    void DrawSandClocks() const;
    void DrawSoapArrows() const;
    void DrawKeyCursor() const;
    bool HiddenByHint(int index) const { return hintOn && toClear[static_cast<size_t>(index)] == 1; }

    CCellPictures* pictures_ = nullptr;
    bool keyCursorShown_ = false;
    int keyCursorColumn_ = 0;
    int keyCursorRow_ = 0;
};
