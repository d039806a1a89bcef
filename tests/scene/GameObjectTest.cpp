#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "scene/GameObject.h"

namespace {

// Records every call into one shared journal.
class Probe : public CGameObject {
public:
    Probe(std::string probeName, std::vector<std::string>& journal) : journal_(journal) {
        name = std::move(probeName);
    }
    ~Probe() override { journal_.push_back("~" + name); }
    bool Update() override {
        journal_.push_back("update " + name);
        if (onUpdate) {
            onUpdate();
        }
        return keep;
    }
    void Draw() override { journal_.push_back("draw " + name); }
    void DrawOver() override { journal_.push_back("over " + name); }
    void OnActivate() override { journal_.push_back("on " + name); }
    void OnDeactivate() override { journal_.push_back("off " + name); }

    bool keep = true;
    std::function<void()> onUpdate;

private:
    std::vector<std::string>& journal_;
};

class GameObjectTest : public ::testing::Test {
protected:
    void SetUp() override { root.MakeRoot(); }
    std::vector<std::string> journal;
    Probe root{"root", journal};
};

TEST_F(GameObjectTest, UpdatePassIsDepthFirstPreOrderAndDrawWrapsChildren) {
    Probe a("a", journal), b("b", journal), a1("a1", journal);
    root.AddChild(&a);
    root.AddChild(&b);
    a.AddChild(&a1);
    root.UpdateChildren();
    EXPECT_EQ(journal, (std::vector<std::string>{"update a", "update a1", "update b"}));
    journal.clear();
    root.DrawChildren();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"draw a", "draw a1", "over a1", "over a", "draw b", "over b"}));
}

TEST_F(GameObjectTest, SlowObjectUpdatesEveryNthTickWhileItsChildrenUpdateEveryTick) {
    Probe slow("slow", journal), child("child", journal);
    slow.ticksperbla = 15;
    root.AddChild(&slow);
    slow.AddChild(&child);
    for (int tick = 1; tick <= 45; ++tick) {
        root.UpdateChildren();
    }
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "update slow"), 3);
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "update child"), 45);
}

TEST_F(GameObjectTest, FinishedChildIsDestroyedAfterItsChildrenAndTheNextSiblingStillRuns) {
    auto* doomed = new Probe("doomed", journal);
    Probe grandchild("grandchild", journal), next("next", journal);
    doomed->keep = false;
    root.AddChild(doomed);
    root.AddChild(&next);
    doomed->AddChild(&grandchild);
    root.UpdateChildren();
    EXPECT_EQ(journal,
              (std::vector<std::string>{"update doomed", "update grandchild", "~doomed", "update next"}));
    EXPECT_FALSE(root.HasChild(doomed));
    EXPECT_EQ(root.Find("doomed"), nullptr);  // the index never hands out a destroyed object
    EXPECT_EQ(grandchild.GetParent(), nullptr);
}

TEST_F(GameObjectTest, ChildrenAddedOrRemovedDuringAPass) {
    Probe first("first", journal), second("second", journal), third("third", journal),
        appended("appended", journal), inserted("inserted", journal), stranger("stranger", journal);
    root.AddChild(&first);
    root.AddChild(&second);
    root.AddChild(&third);
    // Appended runs in this pass; inserted behind does not; a removed sibling is skipped.
    first.onUpdate = [&] { root.AddChild(&appended); };
    second.onUpdate = [&] {
        root.InsertChildBefore(&inserted, &second);
        root.RemoveChild(&third);
    };
    root.UpdateChildren();
    EXPECT_EQ(journal, (std::vector<std::string>{"update first", "update second", "update appended"}));
    // Inserted two places ahead of its anchor; anchors without that place change nothing.
    const std::list<CGameObject*> expected{&inserted, &first, &second, &appended};
    EXPECT_EQ(root.Children(), expected);
    root.InsertChildBefore(&third, &inserted);
    root.InsertChildBefore(&third, &stranger);
    EXPECT_EQ(root.Children(), expected);
}

TEST_F(GameObjectTest, InactiveParentHidesSubtreeAndActivationSwitchesDepthFirst) {
    Probe parent("parent", journal), on("on", journal), off("off", journal), caption("caption", journal);
    root.AddChild(&parent);
    parent.AddChild(&on);
    parent.AddChild(&off);
    on.AddChild(&caption);
    off.active = false;
    parent.SetActive(false);
    journal.clear();
    root.UpdateChildren();
    root.DrawChildren();
    EXPECT_TRUE(journal.empty());
    parent.SetActive(true);
    parent.SetActive(true);  // notified even without a change
    root.UpdateChildren();
    EXPECT_EQ(journal, (std::vector<std::string>{"on parent", "on parent", "update parent", "update on",
                                                 "update caption"}));
    EXPECT_FALSE(off.active);

    journal.clear();
    parent.SetChildrenActive(false);
    EXPECT_EQ(journal, (std::vector<std::string>{"off on", "off caption", "off off"}));
    EXPECT_TRUE(parent.active);
}

TEST_F(GameObjectTest, PathLookup) {
    Probe intro("intro", journal), game("game", journal), board("board", journal), cell("cell", journal),
        timer("timer", journal), member("member", journal), loose("loose", journal);
    root.AddChild(&intro);
    root.AddChild(&game);
    game.AddChild(&board);
    game.AddChild(&timer);
    board.AddChild(&cell);
    // A member driven by its owner finds others through its parent link.
    timer.SetParentLink(&member);

    const std::pair<const char*, CGameObject*> fromRoot[] = {
        {"/intro", &intro},
        {"intro", &intro},
        {"game/board/", &board},
        {"", &root},
        {"/", &root},
        {"..", &root},
        {".", nullptr},
        {"game/missing/board", nullptr},
        {"game//intro", &intro},  // a doubled slash restarts at the root
        {"game//board", nullptr},
    };
    for (const auto& [path, expected] : fromRoot) {
        EXPECT_EQ(root.Find(path), expected) << path;
    }
    EXPECT_EQ(cell.Find("/intro"), &intro);
    EXPECT_EQ(cell.Find("../../../intro"), &intro);
    EXPECT_EQ(board.Find("../../intro"), &intro);
    EXPECT_EQ(cell.Find("../../timer"), &timer);
    EXPECT_EQ(member.Find("../../../intro"), &intro);
    EXPECT_FALSE(timer.HasChild(&member));
    // An unlinked object has no root to climb to.
    EXPECT_EQ(loose.Find("/"), nullptr);
    EXPECT_EQ(loose.Find("/anything"), nullptr);
}

TEST_F(GameObjectTest, NameIndexKeepsOldNamesTheLastAddedAndRemovedChildren) {
    Probe child("before", journal), newer("twin", journal), removed("removed", journal);
    root.AddChild(&child);
    child.name = "after";
    EXPECT_EQ(root.Find("before"), &child);  // found by the old name, named by the new one
    EXPECT_EQ(root.Find("after"), nullptr);
    EXPECT_TRUE(root.HasChildNamed("after"));
    EXPECT_FALSE(root.HasChildNamed("before"));

    auto* older = new Probe("twin", journal);
    root.AddChild(older);
    root.AddChild(&newer);
    EXPECT_EQ(root.Find("twin"), &newer);
    root.RemoveChild(older);
    delete older;
    EXPECT_EQ(root.Find("twin"), &newer);

    // Removed, not destroyed: still alive, linked and indexed.
    root.AddChild(&removed);
    root.RemoveChild(&removed);
    EXPECT_FALSE(root.HasChild(&removed));
    EXPECT_EQ(removed.GetParent(), &root);
    EXPECT_EQ(root.Find("removed"), &removed);
}

TEST_F(GameObjectTest, RemoveChildrenNamedDestroysEveryOneAndACopyLeavesTheOriginalsLinks) {
    Probe keep1("keep", journal), keep2("keep", journal);
    root.AddChild(new Probe("bubble", journal));
    root.AddChild(&keep1);
    root.AddChild(new Probe("bubble", journal));
    root.AddChild(&keep2);
    root.AddChild(new Probe("bubble", journal));
    root.RemoveChildrenNamed("bubble");
    EXPECT_EQ(root.Children(), (std::list<CGameObject*>{&keep1, &keep2}));
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "~bubble"), 3);
    EXPECT_EQ(root.Find("bubble"), nullptr);

    Probe child("child", journal);
    CGameObject original;
    original.AddChild(&child);
    {
        CGameObject copy(original);
        EXPECT_EQ(copy.Find("child"), &child);  // children are shared
    }
    EXPECT_EQ(child.GetParent(), &original);
}

}  // namespace
