#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/CellKinds.h"
#include "gfx/Sprite.h"

class CCell;

// Every picture a cell can show, loaded once by the board and shared with the
// board effects, the floating bubbles and the forbidden item.
class CCellPictures {
public:
    static constexpr int StarFrames = 6;
    static constexpr int BubbleFrames = 4;  // 0, 1, 2 and 1 again
    static constexpr int VirusFrames = 3;
    static constexpr int EffectPictures = 13;  // light 0..4, plok_star 5..9, ploc 10..12

    // Loads every picture; one that is missing is a fatal error naming it.
    CCellPictures();

    // The picture the cell shows now; null when it shows none (gone, hole).
    const Sprite* PictureFor(const CCell& cell) const;
    // A pet's resting picture, or the first picture of any other kind (null for a hole).
    const Sprite* BasePicture(int32_t kind) const;
    // Zoom and filtering of every picture for the level's board scale.
    void SetScale(float scale);
    // Once per board tick: all stars twinkle together, on average once every 500 ticks.
    void Twinkle();

    static const char* KindName(int32_t kind);

    int32_t starTwinkle = 0;

private:
    struct PetPictures {
        Sprite base;
        Sprite interBlink;
        Sprite blink;
        Sprite extra;
    };

    const Sprite* PetPicture(const CCell& cell) const;
    const Sprite* SpecialPicture(const CCell& cell) const;

    std::array<PetPictures, CellKind::PetCount> pets_;
    std::array<Sprite, StarFrames> star_;
    std::array<std::array<Sprite, 3>, 4> bubbles_;  // red, green, blue, violet (kinds 18..21)
    std::array<Sprite, VirusFrames> virus_;
    std::array<Sprite, EffectPictures> effects_;
};

// The one cell picture bank; the board makes it and frees it.
extern CCellPictures* cellPictures;
