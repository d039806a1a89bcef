#pragma once

#include <array>
#include <cstdint>

#include "game/CTree.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"

// Everything of the play screen behind and around the board: the sky scrolling by the stage's
// time of day, the sun or moon, the world's ground, the two item trees, the panel counting the
// cleared cells and the menu button. The game ("..", a GameMenu) sets the world at every level.
class CBackground : public CGameObject {
public:
    static constexpr int Worlds = 8;
    static constexpr int Stages = 5;
    static constexpr int TicksPerScroll = 3;
    static constexpr int SkyWidth = 800;
    static constexpr int CounterY = 560;
    static constexpr int DigitSize = 17;
    static constexpr int DigitStep = 10;
    // The menu button, edges included.
    static constexpr int ButtonLeft = 340;
    static constexpr int ButtonRight = 480;
    static constexpr int ButtonTop = 540;
    static constexpr int ButtonBottom = 600;

    // Loads the pictures that do not change with the world; a missing one is a fatal error.
    CBackground();
    CBackground(const CBackground&) = delete;
    CBackground& operator=(const CBackground&) = delete;

    // Pictures and trees of a world (1..8) at a stage (1..5); numbers outside are taken as the
    // nearest valid one.
    void SetWorld(int world, int stage);

    bool Update() override;
    void Draw() override;
    // The trees' items, over the board: the game calls this after drawing its children.
    void DrawItems();

    // Where the first of count digits of the counter is drawn.
    static int CounterX(int digitCount);

    Sprite sky;
    Sprite ground;
    Sprite counters;
    Sprite celestial;
    Sprite glow;
    CTree leftTree;
    CTree rightTree;
    int32_t scroll = 0;  // 0 .. -799
    int32_t scrollSub = 0;
    std::array<Sprite, 10> digits;
    const int32_t* counterSource = nullptr;  // the game's count of cleared cells
    bool treesBehind = true;
    bool glowOn = false;

private:
    void ScrollSky();
    bool MouseOnButton() const;
    bool MenuWanted() const;
    void OpenMenu();
    void DrawTrees();
    void DrawCounter() const;
};
