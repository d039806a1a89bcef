#include "ui/CCustomPointer.h"

#include <string>


namespace {

const char* const ArrowPath = "data/gfx/general/mouse_pointer.tga";
const char* const DigitsPath = "data/gfx/items/xnumbers.tga";
constexpr int DigitWidth = 19;
constexpr int DigitLeft[CCustomPointer::MaxUses] = {0, 24, 50, 76, 102};

}  // namespace

CCustomPointer::CCustomPointer() {
    arrow.LoadRequired(ArrowPath);
    for (int i = 0; i < MaxUses; ++i) {
        // Each digit has its own copy of the strip.
        Sprite& digit = counterDigits[i];
        digit.LoadRequired(DigitsPath);
        digit.SetSource(DigitLeft[i], 0, DigitWidth, digit.height);
    }
    picture = &arrow;
    CentreHotSpot();
}

void CCustomPointer::Hold(Sprite* itemPicture, int32_t itemType) {
    heldPicture = itemPicture;
    picture = itemPicture;
    heldType = itemType;
}

void CCustomPointer::DropHeld() {
    heldType = NoItem;
    picture = &arrow;
    CentreHotSpot();
    usesLeft = 0;
    showCount = false;
}

void CCustomPointer::ConsumeUse() {
    if (heldType == NoItem) {
        return;
    }
    usesLeft -= 1;
    if (usesLeft <= 0) {
        DropHeld();
    }
}

void CCustomPointer::Draw() {
    if (picture == nullptr) {
        return;
    }
    // The item's own animation may have zoomed its picture.
    picture->zoom = 1.0f;
    CPointer::Draw();
    if (usesLeft >= 1 && showCount) {
        DrawCount();
    }
}

void CCustomPointer::DrawCount() const {
    const int count = usesLeft < MaxUses ? usesLeft : MaxUses;
    const Sprite& digit = counterDigits[count - 1];
    digit.Draw(mouseX + picture->width - digit.width, mouseY - digit.height);
}
