#pragma once

#include <vector>

#include "scene/GameObject.h"

class Sprite;

// Stands in as the root until the real screens exist: the backdrop, a row of
// pets and one that hops across the screen.
class CShowcase : public CGameObject {
public:
    CShowcase();
    bool Update() override;
    void Draw() override;

private:
    Sprite* backdrop_;
    std::vector<Sprite*> pets_;
    int hopTicks_ = 0;
};
