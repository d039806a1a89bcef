#pragma once

#include "scene/GameObject.h"

class Sprite;

// Stands in for the game screen until the real one exists: a world's sky,
// ground and trees, a board of pets laid out as the board lays them out, and
// the counters with the time bar. Chosen with /preview=WORLD (and /sky=STAGE).
class CScreenPreview : public CGameObject {
public:
    CScreenPreview(int world, int stage);
    void Draw() override;

private:
    static constexpr int columns = 10;
    static constexpr int rows = 8;

    void DrawTrees() const;
    void DrawBoard() const;
    void DrawCounters() const;

    int world_;
    Sprite* sky_;
    Sprite* celestial_;
    Sprite* ground_;
    Sprite* tree_;
    Sprite* square_;
    Sprite* clearedSquare_;
    Sprite* counters_;
    Sprite* timeBar_;
    Sprite* digits_;
    Sprite* cells_[rows][columns];
    bool cleared_[rows][columns];
};
