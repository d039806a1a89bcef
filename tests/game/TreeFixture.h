#pragma once

#include "BoardFixture.h"

// The board with its trees going, as in the game; the left tree drops its items unless told.
class TreeTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        background.active = true;
        EmptyTrees();
        Build({"DDDK", "KFPM"});  // a set is left: no help item comes
        PointAway();
    }

    CTree& tree() { return *leftTree; }

    // An item linked to the game, as the lottery makes it.
    template <class Item, class... Args>
    Item* Make(Args... args) {
        auto* item = new Item(args...);
        game.SetParentLink(item);
        return item;
    }

    void Updates(int count) { Ticks(count * CTree::TicksPerUpdate); }

    // In the left tree, on the ground, the tree still again.
    template <class Item>
    Item* Landed(Item* item) {
        tree().ThrowItem(item);
        Updates(16);
        return item;
    }

    void PressOn(const CItem& item) {
        input.MoveMouse(static_cast<int>(item.x) + 2, static_cast<int>(item.y) + 2);
        input.SetButton(true);
        Updates(1);
        input.SetButton(false);
    }

    // The items are drawn over the rest, as the game's over-drawing pass does.
    void DrawAll() {
        DrawTree();
        tree().DrawItems();
    }
};
