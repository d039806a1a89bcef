#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "gfx/Sprite.h"
#include "scene/GameObject.h"

class CBoard;
class CCustomPointer;
class CTimer;

// The item types; also the order of the item chances of a level.
namespace ItemType {
constexpr int32_t None = -1;
constexpr int32_t Clock = 0;
constexpr int32_t Vaccine = 1;
constexpr int32_t Soap = 2;
constexpr int32_t NoPet = 3;
constexpr int32_t Spoon = 5;
constexpr int32_t SandClock = 6;
constexpr int32_t Eddy = 7;
constexpr int32_t Count = 8;  // type 4 is no item

// "clock", "vaccine", "soap", "nopet", "spoon", "sandclock", "eddy"; "-" for no item.
std::string Name(int32_t type);
// The type of a name Name gives, or None.
int32_t FromName(std::string_view name);
}  // namespace ItemType

// A tool the trees hand out. It is no child in the object tree: its tree keeps, moves and
// draws it; its parent link is the game, so "../board", "../timer" and "../tutorials" reach
// what its effect works on.
class CItem : public CGameObject {
public:
    static constexpr int SlideLine = 270;  // dropped items come out from behind the crown here
    static constexpr int GroundLine = 490;

    // The tree's item area: its left edge and width.
    virtual void Place(int areaX, int areaWidth, bool inSlotA);
    // The effect of taking the item; false: the tree lets it go.
    virtual bool Use() = 0;
    virtual int32_t GetType() const = 0;

    // A thrown item flies up in an arc; a dropped one falls straight.
    void SetThrown(bool flag);
    bool HitTest(int mouseX, int mouseY) const;
    bool Landed() const { return static_cast<int>(y) == GroundLine + restOffset; }
    // One flight step; the tree calls it on its own updates.
    bool Update() override;
    void Draw() override;

    Sprite* picture = nullptr;
    Sprite* selectedPicture = nullptr;
    float x = 0;
    float y = 0;
    bool slotA = false;
    int32_t selectedOffsetX = 0;
    int32_t selectedOffsetY = 0;
    int32_t restOffset = 0;
    bool thrown = false;
    float vx = 0;
    float vy = 0;
    bool help = false;  // given because no set was left: it pulses while the board is idle

protected:
    CItem(const char* picturePath, const char* selectedPath, int32_t offsetX, int32_t offsetY);
    CItem() = default;

    // Only the part below the crown's line shows while it slides out; true when that was all.
    bool DrawSlidingOut() const;
    bool ShowsSelected() const;
    // The pointer carries the item's picture for the given number of clicks.
    void PutInHand(int32_t uses, bool showCount);
    void Notify(int32_t category, int32_t index, int32_t related);
    CBoard* Board();
    CTimer* Timer();
    static CCustomPointer* Pointer();
};

class CClock : public CItem {
public:
    CClock();
    bool Use() override;
    int32_t GetType() const override { return ItemType::Clock; }
};

// Carried: five clicks that each remove a virus.
class CVaccine : public CItem {
public:
    CVaccine();
    bool Use() override;
    int32_t GetType() const override { return ItemType::Vaccine; }
};

// Carried: one click on a bubble starts a blast.
class CSoap : public CItem {
public:
    CSoap();
    bool Use() override;
    int32_t GetType() const override { return ItemType::Soap; }
};

// Carried: one click removes any one cell.
class CSpoon : public CItem {
public:
    static constexpr int HotX = 14;
    static constexpr int HotY = 38;
    CSpoon();
    bool Use() override;
    int32_t GetType() const override { return ItemType::Spoon; }
};

// The time bar stands still for ten seconds.
class CSandClock : public CItem {
public:
    CSandClock();
    bool Use() override;
    int32_t GetType() const override { return ItemType::SandClock; }
};

// The spiral: the board's cells change places.
class CEddy : public CItem {
public:
    static constexpr const char* TwisterFrames = "data/gfx/general/effect-twister/twister{xx}.png";
    CEddy();
    bool Use() override;
    int32_t GetType() const override { return ItemType::Eddy; }
};

// The forbidden item: every pet of its kind leaves the board. It shows the pet crossed out.
class CNoPet : public CItem {
public:
    explicit CNoPet(int32_t kind);
    bool Use() override;
    int32_t GetType() const override { return ItemType::NoPet; }
    void Draw() override;

    int32_t petKind = 0;

private:
    Sprite pet_;
    Sprite circle_;
    Sprite overlay_;
};
