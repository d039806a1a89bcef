#include "game/CTree.h"

#include "game/CItem.h"

CTree::~CTree() {
    delete slotA;
    delete slotB;
}

void CTree::ThrowItem(CItem* item) {
    shake = 1;
    throwCount += 1;
    if (item == nullptr) {
        return;
    }
    const bool intoB =
        (slotA != nullptr && slotB == nullptr) || ((slotA != nullptr) == (slotB != nullptr) && nextToB);
    CItem*& slot = intoB ? slotB : slotA;
    delete slot;  // pushed out; the real tree lets it blink a while first
    slot = item;
    nextToB = (&slot == &slotA);
}

bool CTree::HasItemOfType(int32_t type) const {
    return (slotA != nullptr && slotA->GetType() == type) || (slotB != nullptr && slotB->GetType() == type);
}
