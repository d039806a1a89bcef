#pragma once

#include <memory>

#include "scene/GameObject.h"

// A root that runs the game's own root tick by tick, exactly as the main loop does, but draws it
// only when asked: a scripted player needs no pictures, and drawing every frame in software costs
// far more than the game's logic.
class CUndrawnRoot : public CGameObject {
public:
    explicit CUndrawnRoot(std::unique_ptr<CGameObject> gameRoot);
    ~CUndrawnRoot() override;
    CUndrawnRoot(const CUndrawnRoot&) = delete;
    CUndrawnRoot& operator=(const CUndrawnRoot&) = delete;

    bool Update() override;
    void Draw() override;

    CGameObject& GameRoot() { return *gameRoot_; }

    bool drawNextFrame = false;  // a screenshot is due

private:
    std::unique_ptr<CGameObject> gameRoot_;
};
