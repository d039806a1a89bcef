#pragma once

#include <vector>

#include "gfx/CBouncingBB.h"
#include "gfx/CMovingBB.h"
#include "scene/GameObject.h"
#include "ui/CGUIButton.h"
#include "ui/CPointer.h"

class Sprite;

// Stands in as the root until the real screens exist: the backdrop, the logo
// dropping in, a row of pets, one that hops across, and a button that makes a
// pet spin.
class CShowcase : public CGameObject {
public:
    CShowcase();
    ~CShowcase() override;
    bool Update() override;
    void Draw() override;

private:
    void CutButtonFaces();
    void SpinPet();

    Sprite* backdrop_;
    std::vector<Sprite*> pets_;
    Sprite spinner_;
    int hopTicks_ = 0;
    CBouncingBB logo_;
    CGUIButton button_;
    CMovingBB spin_;
    CPointer pointer_;
};
