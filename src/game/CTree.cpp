#include "game/CTree.h"

#include "core/App.h"
#include "core/Random.h"
#include "engine/Input.h"
#include "game/CBoard.h"
#include "game/CItem.h"
#include "game/CTimer.h"
#include "game/ItemSource.h"
#include "game/TutorialEvents.h"

namespace {

constexpr int DropShakeLength = 8;
constexpr int ThrowShakeLength = 16;
constexpr int BlinkPeriod = 6;
constexpr int LeavesX = 50;
constexpr int LeafFall = 30;
constexpr int LeavesBelowCrown = 40;

}  // namespace

CTree::CTree() {
    ticksperbla = TicksPerUpdate;
    pictures[0].LoadRequired("data/gfx/interface/tree.tga");
    pictures[1].LoadRequired("data/gfx/interface/tree1.tga");
    for (int i = 0; i < LeafFrames; ++i) {
        leaves[static_cast<size_t>(i)].LoadRequired("data/gfx/interface/leaves" + std::to_string(i) + ".tga");
    }
    nextToB = (RandomDraw() & 1) == 0;
}

CTree::~CTree() {
    delete slotA;
    delete slotB;
    delete leaving;
}

void CTree::SetMode(bool throws) {
    throwMode = throws;
    shakeLength = throws ? ThrowShakeLength : DropShakeLength;
}

void CTree::SetPicture(int index, const std::string& file) {
    pictures.at(static_cast<size_t>(index)).LoadRequired(file);
}

void CTree::ThrowItem(CItem* item) {
    shake = 1;  // even when nothing comes
    if (item == nullptr) {
        if (auto* source = dynamic_cast<ItemSource*>(Find("../.."))) {
            item = source->MakeItem();
        }
        if (item == nullptr) {
            return;
        }
    }
    PlaySound("data/sfx/newitem.ogg");
    item->SetThrown(throwMode);
    AddItem(item);
}

void CTree::AddItem(CItem* item) {
    blink = 0;
    if (slotA != nullptr && slotB != nullptr) {
        CItem*& pushed = nextToB ? slotB : slotA;
        delete leaving;  // an item still leaving simply goes
        leaving = pushed;
        pushed = item;
        nextToB = !nextToB;
    } else if (slotA != nullptr) {
        slotB = item;
        nextToB = false;
    } else if (slotB != nullptr) {
        slotA = item;
        nextToB = true;
    } else if (nextToB) {
        slotB = item;
        nextToB = false;
    } else {
        slotA = item;
        nextToB = true;
    }
    item->Place(x + itemOffset, pictures[0].width, item == slotA);
}

bool CTree::HasItemOfType(int32_t type) const {
    return (slotA != nullptr && slotA->GetType() == type) || (slotB != nullptr && slotB->GetType() == type);
}

int CTree::FreeSlot() const {
    if (leaving != nullptr) {
        return 0;
    }
    return slotA == nullptr ? 1 : slotB == nullptr ? 2 : 0;
}

void CTree::PutInSlot(int slot, CItem* item) {
    (slot == 1 ? slotA : slotB) = item;
    item->SetThrown(throwMode);
    item->Place(x + itemOffset, pictures[0].width, slot == 1);
}

void CTree::EmptySlots() {
    delete slotA;
    delete slotB;
    slotA = nullptr;
    slotB = nullptr;
}

void CTree::UseSlot(CItem*& slot) {
    if (CBoard* board = Board()) {
        board->lastClearTick = App.tickCount;
    }
    if (!slot->Use()) {
        PlaySound("data/sfx/itemused.ogg");
        CItem* used = slot;
        slot = nullptr;
        delete used;
        delete leaving;  // null already when the leaving item was the one taken
        leaving = nullptr;
    }
}

CBoard* CTree::Board() {
    return dynamic_cast<CBoard*>(Find("../../board"));
}

// Nothing is given once the time is up or while a tutorial page waits to be read.
bool CTree::GivesItems() {
    const auto* timer = dynamic_cast<CTimer*>(Find("../../timer"));
    const auto* tutorials = dynamic_cast<TutorialEvents*>(Find("../../tutorials"));
    return (timer == nullptr || timer->remaining != 0) && (tutorials == nullptr || !tutorials->IsShowing());
}

bool CTree::TakeItemAtMouse() {
    const int mouseX = GetMouseX();
    const int mouseY = GetMouseY();
    for (CItem** slot : {&slotA, &slotB, &leaving}) {
        if (*slot != nullptr && (*slot)->HitTest(mouseX, mouseY)) {
            UseSlot(*slot);
            CBoard* board = Board();
            if (board != nullptr && !board->FindSets()) {
                board->ThrowHelpItem();
            }
            return true;
        }
    }
    return false;
}

bool CTree::MouseOnPicture() const {
    const int mouseX = GetMouseX();
    const int mouseY = GetMouseY();
    return x <= mouseX && mouseX < x + pictures[0].width && y - pictures[0].height <= mouseY && mouseY < y;
}

bool CTree::Update() {
    if (shake >= 1) {
        // A shaking tree gives nothing.
        shake += 1;
        if (shake >= shakeLength) {
            shake = 0;
        }
    } else if (IsMouseButtonDown() && GivesItems()) {
        if (TakeItemAtMouse()) {
            return true;
        }
        int column = 0;
        int row = 0;
        const CBoard* board = Board();
        if (MouseOnPicture() && (board == nullptr || !board->CellAtMouse(column, row))) {
            shake = 1;
        }
    }
    for (CItem* item : {slotA, slotB}) {
        if (item != nullptr) {
            item->Update();
        }
    }
    FinishLeaving();
    return true;
}

// A pushed-out item stays until the item that took its slot has landed.
void CTree::FinishLeaving() {
    if (leaving == nullptr) {
        return;
    }
    blink = (blink + 1) % BlinkPeriod;
    const CItem* successor = leaving->slotA ? slotA : slotB;
    if (slotA == nullptr || slotB == nullptr || successor->Landed()) {
        delete leaving;
        leaving = nullptr;
    }
}

void CTree::Draw() {
    const int index = throwMode ? (shake > 0 ? 1 : 0) : shake % 2;
    const int crownTop = y - pictures[0].height;
    pictures[static_cast<size_t>(index)].Draw(x, crownTop);
    if (!throwMode && shake >= 1 && shake < LeafFrames) {
        // The leaves fall from the crown while it shakes.
        leaves[static_cast<size_t>(shake)].Draw(x + LeavesX, crownTop + shake * LeafFall + LeavesBelowCrown);
    }
}

void CTree::DrawItems() {
    if (leaving != nullptr && blink >= BlinkPeriod / 2) {
        leaving->Draw();
    }
    for (CItem* item : {slotA, slotB}) {
        if (item != nullptr) {
            item->Draw();
        }
    }
}

void CTree::AddItemTargets(std::vector<KeyTarget>& targets) const {
    for (const CItem* item : {slotA, slotB}) {
        if (item != nullptr && item->Landed()) {
            targets.push_back({static_cast<int>(item->x) + item->picture->width / 2,
                               static_cast<int>(item->y) + item->picture->height / 2, KeyTarget::Item});
        }
    }
}
