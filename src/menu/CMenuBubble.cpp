#include "menu/CMenuBubble.h"

#include <cmath>

#include "core/App.h"
#include "core/Random.h"
#include "engine/GLPicture.h"
#include "engine/Input.h"
#include "gfx/CAnimation.h"
#include "gfx/PictureBank.h"
#include "menu/CMenuBase.h"

namespace {

constexpr const char* BubblePictures[] = {"data/gfx/general/bluebubble.png", "data/gfx/general/redbubble.png",
                                          "data/gfx/general/violetbubble.png",
                                          "data/gfx/general/greenbubble.png"};
constexpr const char* PetPictures[] = {
    "data/gfx/cells/cat.tga",    "data/gfx/cells/dog.tga",    "data/gfx/cells/dogy.tga",
    "data/gfx/cells/frog.tga",   "data/gfx/cells/monkey.tga", "data/gfx/cells/parrot.tga",
    "data/gfx/cells/rotten.tga", "data/gfx/cells/snake.tga",  "data/gfx/cells/virus.tga"};
constexpr int TopOut = -100;
constexpr int BottomOut = 601;
constexpr float MaxTilt = -30.0f;

// Loaded once through the picture bank: a bubble rises every few ticks.
Sprite SmoothPicture(const char* path) {
    Sprite* sprite = App.pictures->Load(path);
    if (sprite == nullptr || sprite->picture == nullptr) {
        return {};
    }
    sprite->picture->SetLinearFiltering(true);
    return *sprite;
}

}  // namespace

CMenuBubble::CMenuBubble(int startX) : x(static_cast<float>(startX)) {
    name = ObjectName;
    phaseOffset_ = RandomDraw() % 360;
    bubble_ = SmoothPicture(BubblePictures[RandomDraw() & 3]);
    pet_ = SmoothPicture(PetPictures[RandomDraw() % 9]);
}

bool CMenuBubble::Update() {
    const float sway = std::sin(static_cast<float>(App.tickCount) * 0.02f + static_cast<float>(phaseOffset_));
    y -= 2;
    x += sway;
    bubble_.angle = sway * MaxTilt;
    pet_.angle = sway * MaxTilt;
    if (y < TopOut) {
        return false;
    }
    if (IsMouseButtonDown() && IsUnderPointer()) {
        Pop(sway);
        return false;
    }
    return true;
}

bool CMenuBubble::IsUnderPointer() const {
    const float px = static_cast<float>(GetMouseX());
    const int py = GetMouseY();
    return x < px && px < x + static_cast<float>(bubble_.width) && y < py && py < y + bubble_.height;
}

void CMenuBubble::Pop(float sway) {
    auto* panel = dynamic_cast<CMenuBase*>(Find(".."));
    if (panel == nullptr) {
        return;
    }
    const int left = static_cast<int>(x);
    panel->AddChild(new CMenuPetFalling(pet_, left, y, static_cast<int>(sway * MaxTilt)));
    auto* sparkle = new CAnimation();
    sparkle->Start("data/gfx/cells/light{xx}.png", left, y, 0.5f, 5);
    panel->AddChild(sparkle);
    panel->popped += 1;
    PlaySound("data/sfx/pop.ogg");
}

void CMenuBubble::Draw() {
    const int left = static_cast<int>(x);
    pet_.Draw(left + 8, y + 8);
    bubble_.Draw(left, y);
}

CMenuPetFalling::CMenuPetFalling(const Sprite& pet, int x, int y, int angle)
    : x_(x), y_(y), angle_(angle), pet_(pet) {
    name = "menupetfalling";
}

bool CMenuPetFalling::Update() {
    angle_ = (angle_ + 15) % 360;
    y_ += 5;
    return y_ < BottomOut;
}

void CMenuPetFalling::Draw() {
    pet_.angle = static_cast<float>(angle_);
    pet_.Draw(x_, y_);
}
