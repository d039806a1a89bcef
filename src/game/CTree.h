#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"
#include "scene/KeyboardTargets.h"

class CBoard;
class CItem;

// An item thrower at a bottom corner of the screen: a tree that drops items from its crown, or
// a thing that throws them up in an arc. It holds two items in two slots, plus one pushed out
// that blinks until its successor lands. It lives in the background, which ticks and draws it;
// "../../board", "../../timer", "../../tutorials" and "../.." (the game) are what it works with.
class CTree : public CGameObject {
public:
    static constexpr int TicksPerUpdate = 5;
    static constexpr int LeafFrames = 9;

    // Loads the default pictures; a missing one is a fatal error.
    CTree();
    ~CTree() override;
    CTree(const CTree&) = delete;
    CTree& operator=(const CTree&) = delete;

    void SetMode(bool throws);
    void SetPicture(int index, const std::string& file);

    // Shakes; then throws in the given item, or one of the game's lottery when none is given.
    void ThrowItem(CItem* item);
    void AddItem(CItem* item);
    bool HasItemOfType(int32_t type) const;
    // 1 or 2 for an empty slot, 0 when both are full or an item is leaving.
    int FreeSlot() const;
    // Into slot 1 (A) or 2 (B), coming the way this tree's items come, so it lands where the
    // slot shows its items.
    void PutInSlot(int slot, CItem* item);
    // A new level: the slots empty; a leaving item is left to finish.
    void EmptySlots();
    // Hands the item in a slot (slotA, slotB or leaving) to the player.
    void UseSlot(CItem*& slot);

    bool Update() override;
    void Draw() override;
    // Over the board, in the game's over-drawing pass.
    void DrawItems();
    // The middles of the items that have landed, for Tab to walk.
    void AddItemTargets(std::vector<KeyTarget>& targets) const;

    std::array<Sprite, 3> pictures;  // at rest; shaking or open; unused
    std::array<Sprite, LeafFrames> leaves;
    int32_t x = 0;
    int32_t y = 0;  // the picture's bottom edge
    int32_t shake = 0;
    CItem* slotA = nullptr;
    CItem* slotB = nullptr;
    CItem* leaving = nullptr;
    bool nextToB = false;
    int32_t blink = 0;
    bool throwMode = false;
    int32_t shakeLength = 8;
    int32_t itemOffset = 0;

private:
    CBoard* Board();
    bool GivesItems();
    // A press on an item hands it over; true when one was taken.
    bool TakeItemAtMouse();
    bool MouseOnPicture() const;
    void FinishLeaving();
};
