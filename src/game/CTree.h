#pragma once

#include <cstdint>

#include "scene/GameObject.h"

class CItem;

// An item thrower at a side of the screen. So far only its two slots: the
// board asks what waits there and hands it help items.
class CTree : public CGameObject {
public:
    CTree() = default;
    ~CTree() override;
    CTree(const CTree&) = delete;
    CTree& operator=(const CTree&) = delete;

    // Shakes; with an item, takes it into a slot (the oldest item is pushed out when both are full).
    void ThrowItem(CItem* item);
    bool HasItemOfType(int32_t type) const;

    CItem* slotA = nullptr;
    CItem* slotB = nullptr;
    int32_t shake = 0;
    int32_t throwCount = 0;
    bool nextToB = false;
};
