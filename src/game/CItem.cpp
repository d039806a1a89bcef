#include "game/CItem.h"

#include <algorithm>
#include <cmath>

#include "core/App.h"
#include "engine/Input.h"
#include "game/CBoard.h"
#include "game/CCellPictures.h"
#include "game/CTimer.h"
#include "game/TutorialEvents.h"
#include "gfx/CAnimation.h"
#include "gfx/PictureBank.h"
#include "ui/CCustomPointer.h"

namespace {

constexpr float ThrowSpeedX = 2;
constexpr float ThrowSpeedY = -13;
constexpr float Gravity = 2;
constexpr int ThrowStartY = 480;
constexpr int DropInset = 20;

constexpr std::string_view ItemNames[ItemType::Count] = {"clock", "vaccine", "soap",      "nopet",
                                                         "-",     "spoon",   "sandclock", "eddy"};

}  // namespace

std::string ItemType::Name(int32_t type) {
    return std::string(type >= 0 && type < Count ? ItemNames[static_cast<size_t>(type)] : "-");
}

int32_t ItemType::FromName(std::string_view name) {
    for (int32_t type = 0; type < Count; ++type) {
        if (name == ItemNames[static_cast<size_t>(type)] && name != "-") {
            return type;
        }
    }
    return None;
}

CItem::CItem(const char* picturePath, const char* selectedPath, int32_t offsetX, int32_t offsetY)
    : picture(App.pictures->Load(picturePath)),
      selectedPicture(App.pictures->Load(selectedPath)),
      selectedOffsetX(offsetX),
      selectedOffsetY(offsetY) {}

void CItem::SetThrown(bool flag) {
    thrown = flag;
    vx = flag ? ThrowSpeedX : 0;
    vy = flag ? ThrowSpeedY : 0;
}

void CItem::Place(int areaX, int areaWidth, bool inSlotA) {
    if (thrown) {
        x = static_cast<float>(areaX + areaWidth / 2);
        y = ThrowStartY;
    } else {
        x = static_cast<float>(inSlotA ? areaX + DropInset : areaX - picture->width + areaWidth - DropInset);
        y = SlideLine;
    }
    slotA = inSlotA;
    if (!inSlotA) {
        vx = -vx;  // slot B throws fly the other way
    }
}

bool CItem::HitTest(int mouseX, int mouseY) const {
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    return left <= mouseX && mouseX < left + picture->width && top <= mouseY &&
           mouseY < top + picture->height;
}

bool CItem::Update() {
    y += vy;
    x += vx;
    vy += Gravity;
    const float ground = static_cast<float>(GroundLine + restOffset);
    if (y > ground) {
        y = ground;
        x -= vx;  // it stops where it lands
    }
    return true;
}

bool CItem::DrawSlidingOut() const {
    const int top = static_cast<int>(y);
    const int height = picture->height;
    if (top >= height + SlideLine) {
        return false;
    }
    const int shown = std::min(top - SlideLine, height);
    if (shown > 0) {
        picture->DrawPart(static_cast<int>(x), SlideLine + height, picture->srcX,
                          picture->srcY + height - shown, picture->width, shown);
    }
    return true;
}

bool CItem::ShowsSelected() const {
    return Landed() && HitTest(GetMouseX(), GetMouseY());
}

void CItem::Draw() {
    if (DrawSlidingOut()) {
        return;
    }
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    if (ShowsSelected()) {
        selectedPicture->Draw(left + selectedOffsetX, top + selectedOffsetY);
    }
    const CBoard* board = Board();
    const bool pulsing = help && board != nullptr && board->IdleSinceLastClear();
    picture->zoom =
        pulsing ? (std::sin(static_cast<float>(App.tickCount) * 0.1f) + 1.0f) * 0.25f + 1.2f : 1.0f;
    picture->Draw(left, top);
}

void CItem::PutInHand(int32_t uses, bool showCount) {
    if (CCustomPointer* pointer = Pointer()) {
        pointer->Hold(picture, GetType());
        pointer->usesLeft = uses;
        pointer->showCount = showCount;
    }
}

void CItem::Notify(int32_t category, int32_t index, int32_t related) {
    NotifyTutorialsFrom(*this, category, index, related);
}

CBoard* CItem::Board() {
    return dynamic_cast<CBoard*>(Find("../board"));
}

CTimer* CItem::Timer() {
    return dynamic_cast<CTimer*>(Find("../timer"));
}

CCustomPointer* CItem::Pointer() {
    return dynamic_cast<CCustomPointer*>(App.pointer);
}

// ---------------------------------------------------------------- the items

CClock::CClock() : CItem("data/gfx/items/clock.tga", "data/gfx/items/clock_selected.tga", -5, -5) {}

bool CClock::Use() {
    if (CTimer* timer = Timer()) {
        timer->AddTime();
    }
    Notify(2, ItemType::Clock, -1);
    return false;
}

CVaccine::CVaccine() : CItem("data/gfx/items/vaccine.tga", "data/gfx/items/vaccine_selected.tga", -4, 3) {}

bool CVaccine::Use() {
    // The needle's point is the picture's bottom-left corner: the pointer takes it where it lies.
    SetMousePosition(static_cast<int>(x), static_cast<int>(y) + picture->height);
    PutInHand(CCustomPointer::MaxUses, true);
    if (CCustomPointer* pointer = Pointer()) {
        pointer->hotX = 0;
        pointer->hotY = picture->height;
    }
    return false;
}

CSoap::CSoap() : CItem("data/gfx/items/soap.tga", "data/gfx/items/soap_selected.tga", -6, -6) {}

bool CSoap::Use() {
    PutInHand(1, false);
    if (CCustomPointer* pointer = Pointer()) {
        pointer->CentreHotSpot();
    }
    return false;
}

CSpoon::CSpoon() : CItem("data/gfx/items/spoon.png", "data/gfx/items/spoon_selected.png", -11, -13) {
    restOffset = 15;
}

bool CSpoon::Use() {
    PutInHand(1, false);
    if (CCustomPointer* pointer = Pointer()) {
        pointer->hotX = HotX;
        pointer->hotY = HotY;
    }
    Notify(2, ItemType::Spoon, -1);
    return false;
}

CSandClock::CSandClock()
    : CItem("data/gfx/items/sandclock.tga", "data/gfx/items/sandclock_selected.tga", -4, 0) {}

bool CSandClock::Use() {
    if (CTimer* timer = Timer()) {
        timer->SetHold(true);
    }
    Notify(2, ItemType::SandClock, -1);
    return false;
}

CEddy::CEddy() : CItem("data/gfx/items/eddy.png", "data/gfx/items/eddy_selected.png", -6, -6) {}

bool CEddy::Use() {
    if (CGameObject* game = Find("..")) {
        auto* twister = new CAnimation();
        twister->Start(TwisterFrames, 0, 0, 0.25f, 10);
        game->AddChild(twister);
    }
    if (CBoard* board = Board()) {
        board->Shuffle();
    }
    return false;
}

CNoPet::CNoPet(int32_t kind) : petKind(kind) {
    if (cellPictures != nullptr) {
        if (const Sprite* base = cellPictures->BasePicture(kind)) {
            base->SharePicture(pet_);
        }
    }
    App.pictures->Load("data/gfx/grid/circletga.tga")->SharePicture(circle_);
    App.pictures->Load("data/gfx/items/nopet.png")->SharePicture(overlay_);
    pet_.zoom = 1.0f;
    circle_.zoom = 1.0f;
    picture = &pet_;
    selectedPicture = &circle_;
}

bool CNoPet::Use() {
    if (CBoard* board = Board()) {
        board->ClearAllOfKind(petKind);
    }
    Notify(2, ItemType::NoPet, -1);
    return false;
}

void CNoPet::Draw() {
    if (DrawSlidingOut()) {
        return;
    }
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);
    picture->Draw(left, top);
    overlay_.Draw(left, top);
    if (ShowsSelected()) {
        selectedPicture->Draw(left + selectedOffsetX, top + selectedOffsetY);
    }
}
