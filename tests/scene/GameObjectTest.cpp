#include "scene/GameObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Records every call into one shared journal.
class Probe : public CGameObject {
public:
    Probe(std::string probeName, std::vector<std::string>& journal) : journal_(journal) { name = std::move(probeName); }
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
    EXPECT_EQ(journal, (std::vector<std::string>{"draw a", "draw a1", "over a1", "over a", "draw b", "over b"}));
}

TEST_F(GameObjectTest, SlowObjectUpdatesEveryNthTickWhileItsChildrenUpdateEveryTick) {
    Probe slow("slow", journal), child("child", journal);
    slow.ticksperbla = 15;
    root.AddChild(&slow);
    slow.AddChild(&child);
    std::vector<int> slowTicks;
    slow.onUpdate = [&] { slowTicks.push_back(static_cast<int>(journal.size())); };
    int childUpdates = 0;
    child.onUpdate = [&] { ++childUpdates; };
    for (int tick = 1; tick <= 45; ++tick) {
        root.UpdateChildren();
    }
    EXPECT_EQ(slowTicks.size(), 3u);
    EXPECT_EQ(childUpdates, 45);
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

TEST_F(GameObjectTest, ChildAppendedDuringPassRunsInThatPassButOneInsertedBehindDoesNot) {
    Probe first("first", journal), second("second", journal), appended("appended", journal),
        inserted("inserted", journal);
    root.AddChild(&first);
    root.AddChild(&second);
    first.onUpdate = [&] { root.AddChild(&appended); };
    second.onUpdate = [&] { root.InsertChildBefore(&inserted, &second); };
    root.UpdateChildren();
    EXPECT_EQ(journal, (std::vector<std::string>{"update first", "update second", "update appended"}));
    // first, inserted, second, appended: inserted two places ahead of its anchor
    EXPECT_EQ(root.Children(), (std::list<CGameObject*>{&inserted, &first, &second, &appended}));
}

TEST_F(GameObjectTest, SiblingRemovedDuringPassIsSkipped) {
    Probe first("first", journal), second("second", journal), third("third", journal);
    root.AddChild(&first);
    root.AddChild(&second);
    root.AddChild(&third);
    first.onUpdate = [&] { root.RemoveChild(&second); };
    root.UpdateChildren();
    EXPECT_EQ(journal, (std::vector<std::string>{"update first", "update third"}));
}

TEST_F(GameObjectTest, InactiveParentHidesSubtreeAndKeepsChildrenFlags) {
    Probe parent("parent", journal), on("on", journal), off("off", journal);
    root.AddChild(&parent);
    parent.AddChild(&on);
    parent.AddChild(&off);
    off.active = false;
    parent.SetActive(false);
    journal.clear();
    root.UpdateChildren();
    root.DrawChildren();
    EXPECT_TRUE(journal.empty());
    parent.SetActive(true);
    journal.clear();
    root.UpdateChildren();
    EXPECT_EQ(journal, (std::vector<std::string>{"update parent", "update on"}));
    EXPECT_FALSE(off.active);
}

TEST_F(GameObjectTest, ActivationNotifiesEvenWithoutChangeAndSubtreeSwitchesDepthFirst) {
    Probe screen("screen", journal), button("button", journal), caption("caption", journal);
    root.AddChild(&screen);
    screen.AddChild(&button);
    button.AddChild(&caption);
    screen.SetActive(true);
    EXPECT_EQ(journal, (std::vector<std::string>{"on screen"}));
    journal.clear();
    screen.SetChildrenActive(false);
    EXPECT_EQ(journal, (std::vector<std::string>{"off button", "off caption"}));
    EXPECT_TRUE(screen.active);
}

TEST_F(GameObjectTest, PathLookup) {
    Probe intro("intro", journal), game("game", journal), board("board", journal), cell("cell", journal),
        timer("timer", journal);
    root.AddChild(&intro);
    root.AddChild(&game);
    game.AddChild(&board);
    game.AddChild(&timer);
    board.AddChild(&cell);

    EXPECT_EQ(cell.Find("/intro"), &intro);
    EXPECT_EQ(cell.Find("../../../intro"), &intro);
    EXPECT_EQ(board.Find("../../intro"), &intro);
    EXPECT_EQ(root.Find("/intro"), &intro);
    EXPECT_EQ(root.Find("intro"), &intro);
    EXPECT_EQ(cell.Find("../../timer"), &timer);
    EXPECT_EQ(root.Find("game/board/"), &board);
    EXPECT_EQ(root.Find("game//intro"), &intro);  // a doubled slash restarts at the root
    EXPECT_EQ(root.Find("game//board"), nullptr);
    EXPECT_EQ(root.Find(""), &root);
    EXPECT_EQ(root.Find("/"), &root);
    EXPECT_EQ(root.Find(".."), &root);
    EXPECT_EQ(root.Find("."), nullptr);
    EXPECT_EQ(root.Find("game/missing/board"), nullptr);
}

TEST_F(GameObjectTest, RenamedChildIsFoundByOldNameButNamedByNewOne) {
    Probe child("before", journal);
    root.AddChild(&child);
    child.name = "after";
    EXPECT_EQ(root.Find("before"), &child);
    EXPECT_EQ(root.Find("after"), nullptr);
    EXPECT_TRUE(root.HasChildNamed("after"));
    EXPECT_FALSE(root.HasChildNamed("before"));
}

TEST_F(GameObjectTest, LastAddedWinsANameAndDestroyingAnEarlierOneKeepsTheEntry) {
    auto* older = new Probe("twin", journal);
    Probe newer("twin", journal);
    root.AddChild(older);
    root.AddChild(&newer);
    EXPECT_EQ(root.Find("twin"), &newer);
    root.RemoveChild(older);
    delete older;
    EXPECT_EQ(root.Find("twin"), &newer);
}

TEST_F(GameObjectTest, RemovedChildStaysAliveAndLinked) {
    Probe child("child", journal);
    root.AddChild(&child);
    root.RemoveChild(&child);
    EXPECT_FALSE(root.HasChild(&child));
    EXPECT_EQ(child.GetParent(), &root);
    EXPECT_EQ(root.Find("child"), &child);
}

TEST_F(GameObjectTest, RemoveChildrenNamedDestroysEveryOneOfThatName) {
    Probe keep1("keep", journal), keep2("keep", journal);
    root.AddChild(new Probe("bubble", journal));
    root.AddChild(&keep1);
    root.AddChild(new Probe("bubble", journal));
    root.AddChild(&keep2);
    root.AddChild(new Probe("bubble", journal));
    root.RemoveChildrenNamed("bubble");
    EXPECT_FALSE(root.HasChildNamed("bubble"));
    EXPECT_EQ(root.Children(), (std::list<CGameObject*>{&keep1, &keep2}));
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "~bubble"), 3);
    EXPECT_EQ(root.Find("bubble"), nullptr);
}

TEST_F(GameObjectTest, UnlinkedObjectHasNoRootToClimbTo) {
    Probe loose("loose", journal);
    EXPECT_EQ(loose.Find("/anything"), nullptr);
    EXPECT_EQ(loose.Find("/"), nullptr);
    EXPECT_EQ(loose.GetParent(), nullptr);
}

TEST_F(GameObjectTest, MemberDrivenByItsOwnerFindsOthersThroughParentLink) {
    Probe owner("owner", journal), member("member", journal), sibling("sibling", journal);
    root.AddChild(&owner);
    root.AddChild(&sibling);
    owner.SetParentLink(&member);
    EXPECT_FALSE(owner.HasChild(&member));
    EXPECT_EQ(member.Find("../../sibling"), &sibling);
}

TEST_F(GameObjectTest, BadInsertAnchorsLeaveTheListUnchanged) {
    Probe first("first", journal), stranger("stranger", journal), extra("extra", journal);
    root.AddChild(&first);
    root.InsertChildBefore(&extra, &first);
    root.InsertChildBefore(&extra, &stranger);
    EXPECT_EQ(root.Children(), (std::list<CGameObject*>{&first}));
}

TEST_F(GameObjectTest, CopySharesChildrenButHasItsOwnLife) {
    Probe child("child", journal);
    CGameObject original;
    original.name = "original";
    original.AddChild(&child);
    {
        CGameObject copy(original);
        EXPECT_EQ(copy.Find("child"), &child);
        EXPECT_EQ(copy.name, "original");
    }
    EXPECT_EQ(child.GetParent(), &original);  // the copy's end does not blank links to the original
}

}  // namespace
