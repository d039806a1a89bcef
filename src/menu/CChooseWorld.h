#pragma once

#include <array>
#include <cstdint>

#include "flow/ProgressFile.h"
#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "scene/KeyboardTargets.h"

// The world choice: the eight worlds as miniatures, the locked ones behind a lock. A press on
// an open world starts the game there. Object name "chooseworld".
class CChooseWorld : public CGameObject, public KeyboardTargets {
public:
    static constexpr int Worlds = ProgressFile::Worlds;

    // Loads the miniatures and the lock; a missing one is a fatal error.
    CChooseWorld();

    bool Update() override;
    void Draw() override;
    // Reads the progress afresh and lets the worlds grow in one after another.
    void OnActivate() override;
    // The open worlds' middles.
    void AddKeyTargets(std::vector<KeyTarget>& targets) const override;

private:
    struct Place {
        int x = 0;
        int y = 0;
    };

    void ReadProgress();
    int32_t WorldUnderPointer() const;
    void StartWorld(int world);
    void Grow();
    // Scale and tint by hover and grow.
    void Style(Sprite& picture, int world) const;

    std::array<Sprite, Worlds> miniatures_;  // miniatures_[w - 1] shows world w
    Sprite lockPicture_;
    int32_t hovered_ = -1;
    ProgressFile::WorldChoice progress_;
    std::array<Place, Worlds> places_;
    std::array<float, Worlds> grow_{};
};
