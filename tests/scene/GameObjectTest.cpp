#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "scene/GameObject.h"

namespace {

using Journal = std::vector<std::string>;

// Records every call into the journal of the running test.
class Probe : public CGameObject {
public:
    explicit Probe(std::string probeName) { name = std::move(probeName); }
    ~Probe() override { journal.push_back("~" + name); }
    bool Update() override {
        journal.push_back("update " + name);
        if (onUpdate) {
            onUpdate();
        }
        return keep;
    }
    void Draw() override { journal.push_back("draw " + name); }

    static inline Journal journal;
    bool keep = true;
    std::function<void()> onUpdate;
};

class GameObjectTest : public ::testing::Test {
protected:
    void SetUp() override {
        root.MakeRoot();
        Probe::journal.clear();
    }
    // The journal so far, emptied.
    static Journal Take() { return std::exchange(Probe::journal, {}); }

    Probe root{"root"};
};

TEST_F(GameObjectTest, UpdateAndDrawPassesAreDepthFirstPreOrderAtEachObjectsPace) {
    Probe a("a"), b("b"), a1("a1"), slow("slow");
    root.AddChild(&a);
    root.AddChild(&b);
    a.AddChild(&a1);
    root.UpdateChildren();
    EXPECT_EQ(Take(), (Journal{"update a", "update a1", "update b"}));
    root.DrawChildren();
    EXPECT_EQ(Take(), (Journal{"draw a", "draw a1", "draw b"}));

    // A slow object updates every nth tick; its children still update every tick.
    slow.ticksperbla = 15;
    b.AddChild(&slow);
    slow.AddChild(&a1);
    for (int tick = 1; tick <= 45; ++tick) {
        b.UpdateChildren();
    }
    const Journal updates = Take();
    EXPECT_EQ(std::count(updates.begin(), updates.end(), "update slow"), 3);
    EXPECT_EQ(std::count(updates.begin(), updates.end(), "update a1"), 45);
}

TEST_F(GameObjectTest, InactiveObjectHidesItsSubtree) {
    Probe parent("parent"), child("child");
    root.AddChild(&parent);
    parent.AddChild(&child);
    parent.SetActive(false);
    root.UpdateChildren();
    root.DrawChildren();
    EXPECT_EQ(Take(), Journal{});
    parent.SetActive(true);
    root.UpdateChildren();
    EXPECT_EQ(Take(), (Journal{"update parent", "update child"}));
}

TEST_F(GameObjectTest, FinishedChildIsDestroyedAfterItsChildrenAndTheNextSiblingStillRuns) {
    auto* doomed = new Probe("doomed");
    Probe grandchild("grandchild"), next("next");
    doomed->keep = false;
    root.AddChild(doomed);
    root.AddChild(&next);
    doomed->AddChild(&grandchild);
    root.UpdateChildren();
    EXPECT_EQ(Take(), (Journal{"update doomed", "update grandchild", "~doomed", "update next"}));
    EXPECT_FALSE(root.HasChild(doomed));
    EXPECT_EQ(root.Find("doomed"), nullptr);  // the index never hands out a destroyed object
    EXPECT_EQ(grandchild.GetParent(), nullptr);
}

TEST_F(GameObjectTest, ChildAppendedDuringAPassRunsInItAndARemovedOneIsSkipped) {
    Probe first("first"), second("second"), third("third"), appended("appended");
    root.AddChild(&first);
    root.AddChild(&second);
    root.AddChild(&third);
    first.onUpdate = [&] { root.AddChild(&appended); };
    second.onUpdate = [&] { root.RemoveChild(&third); };
    root.UpdateChildren();
    EXPECT_EQ(Take(), (Journal{"update first", "update second", "update appended"}));
    // Removed, not destroyed: still alive, linked and indexed.
    EXPECT_EQ(third.GetParent(), &root);
    EXPECT_EQ(root.Find("third"), &third);
}

TEST_F(GameObjectTest, PathLookup) {
    Probe intro("intro"), game("game"), board("board"), cell("cell"), timer("timer"), member("member"),
        loose("loose");
    root.AddChild(&intro);
    root.AddChild(&game);
    game.AddChild(&board);
    game.AddChild(&timer);
    board.AddChild(&cell);
    // A member driven by its owner finds others through its parent link.
    timer.SetParentLink(&member);

    // A doubled slash restarts at the root; an unlinked object has no root to climb to.
    const struct {
        CGameObject* from;
        const char* path;
        CGameObject* expected;
    } cases[] = {{&root, "/intro", &intro},
                 {&root, "intro", &intro},
                 {&root, "game/board/", &board},
                 {&root, "", &root},
                 {&root, "/", &root},
                 {&root, "..", &root},
                 {&root, ".", nullptr},
                 {&root, "game/missing/board", nullptr},
                 {&root, "game//intro", &intro},
                 {&root, "game//board", nullptr},
                 {&cell, "/intro", &intro},
                 {&cell, "../../../intro", &intro},
                 {&cell, "../../timer", &timer},
                 {&member, "../../../intro", &intro},
                 {&loose, "/", nullptr},
                 {&loose, "/anything", nullptr}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.from->Find(c.path), c.expected) << c.from->name << " finds \"" << c.path << '"';
    }
    EXPECT_FALSE(timer.HasChild(&member));
}

TEST_F(GameObjectTest, TheIndexKeepsTheNameAChildWasAddedUnderAndTheLastOfTwins) {
    Probe child("before"), newer("twin");
    root.AddChild(&child);
    child.name = "after";
    EXPECT_EQ(root.Find("before"), &child);
    EXPECT_EQ(root.Find("after"), nullptr);

    auto* older = new Probe("twin");
    root.AddChild(older);
    root.AddChild(&newer);
    root.RemoveChild(older);
    delete older;
    EXPECT_EQ(root.Find("twin"), &newer);
}

}  // namespace
