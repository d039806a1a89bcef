#pragma once

class CItem;

// What a tree needs of the game, which lives in a layer above it: the item lottery of the
// level. A tree finds the implementation at "../..".
class ItemSource {
public:
    virtual ~ItemSource() = default;
    // A new item linked to the game, or none (no luck, or the level is over).
    virtual CItem* MakeItem() = 0;
};
