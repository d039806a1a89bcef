#pragma once

#include <array>
#include <cstdint>

#include "gfx/Sprite.h"
#include "ui/CPointer.h"

// The in-game pointer: an arrow, or the picture of a held item with the uses
// it has left shown at its upper right.
class CCustomPointer : public CPointer {
public:
    static constexpr int32_t NoItem = -1;
    static constexpr int MaxUses = 5;

    // Loads the arrow and the counter digits; a missing picture is a fatal error.
    CCustomPointer();

    void Draw() override;

    // The item's picture and type; the item then sets the hot spot, usesLeft and showCount.
    void Hold(Sprite* itemPicture, int32_t itemType);
    // Back to the arrow.
    void DropHeld();
    // One use of the held item; the last one drops it.
    void ConsumeUse();

    Sprite arrow;
    std::array<Sprite, MaxUses> counterDigits;  // counterDigits[n - 1] shows n
    Sprite* heldPicture = nullptr;
    int32_t heldType = NoItem;
    int32_t usesLeft = 0;
    bool showCount = false;

private:
    void DrawCount() const;
};
