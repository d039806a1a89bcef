#include "menu/CChooseWorld.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "core/App.h"
#include "engine/GLPicture.h"
#include "engine/Input.h"
#include "flow/CGame.h"
#include "menu/GameStarter.h"

namespace {

constexpr float GrowPerTick = 0.05f;
constexpr float GrowDelay = 0.33f;  // each world starts growing this much after the one before
constexpr float HoveredScale = 1.2f;
constexpr float DimmedShade = 0.4f;

}  // namespace

CChooseWorld::CChooseWorld() {
    name = "chooseworld";
    for (int world = 1; world <= Worlds; ++world) {
        Sprite& miniature = miniatures_[world - 1];
        miniature.LoadRequired(std::string("data/gfx/miniworlds/") + CGame::WorldName(world) + "_small.png");
        miniature.picture->SetLinearFiltering(true);
    }
    lockPicture_.LoadRequired("data/gfx/miniworlds/bglocked.png");
    // Three rows, the last of two worlds set in by half a miniature's width and a gap.
    const int rowHeight = miniatures_[0].height + 20;
    for (int world = 1; world <= Worlds; ++world) {
        const int row = (world - 1) / 3;
        const int column = (world - 1) % 3;
        const int width = miniatures_[world - 1].width;
        places_[world - 1] = {(row < 2 ? 240 : 295) + (width + 10) * column, 180 + rowHeight * row};
    }
}

void CChooseWorld::OnActivate() {
    for (int world = 1; world <= Worlds; ++world) {
        grow_[world - 1] = -GrowDelay * static_cast<float>(world - 1);
    }
    hovered_ = -1;
    ReadProgress();
}

// A missing file leaves world 1 open at stage 1; so does one with no open world, and an open
// world whose entry is 0 starts at stage 1 (ForWorldChoice), so the player can always start.
void CChooseWorld::ReadProgress() {
    ProgressFile file;
    std::string error;
    if (!file.Read(CGame::ProgressFileName, error)) {
        std::fprintf(stderr, "tandolo: %s\n", error.c_str());
    }
    progress_ = file.ForWorldChoice();
}

bool CChooseWorld::Update() {
    hovered_ = WorldUnderPointer();
    if (hovered_ != -1 && IsMouseButtonDown()) {
        StartWorld(hovered_);
    }
    Grow();
    return true;
}

int32_t CChooseWorld::WorldUnderPointer() const {
    const int mouseX = GetMouseX();
    const int mouseY = GetMouseY();
    // Every world is pointed at with world 1's size; the later one wins where they would overlap.
    const int width = miniatures_[0].width;
    const int height = miniatures_[0].height;
    int32_t under = -1;
    for (int world = 1; world <= progress_.lastWorld; ++world) {
        const Place& place = places_[world - 1];
        if (place.x < mouseX && mouseX < place.x + width && place.y < mouseY && mouseY < place.y + height) {
            under = world;
        }
    }
    return under;
}

void CChooseWorld::AddKeyTargets(std::vector<KeyTarget>& targets) const {
    // Pointed at with world 1's size, as the mouse is.
    const int width = miniatures_[0].width;
    const int height = miniatures_[0].height;
    for (int world = 1; world <= progress_.lastWorld; ++world) {
        const Place& place = places_[world - 1];
        targets.push_back({place.x + width / 2, place.y + height / 2, KeyTarget::Control});
    }
}

void CChooseWorld::StartWorld(int world) {
    if (auto* starter = dynamic_cast<GameStarter*>(Find("../../.."))) {
        starter->StartGame(world, progress_.startStage[world]);
    }
    PlaySound("data/sfx/pressed.ogg");
    SetActive(false);
}

void CChooseWorld::Grow() {
    for (float& grow : grow_) {
        grow = std::min(grow + GrowPerTick, 1.0f);
    }
}

void CChooseWorld::Style(Sprite& picture, int world) const {
    const bool hovered = world == hovered_;
    const float shade = hovered ? 1.0f : DimmedShade;
    picture.SetColour(shade, shade, shade, 1.0f);
    const float grow = grow_[world - 1];
    picture.zoom = grow < 0.0f ? 0.0f : (grow < 1.0f ? grow : (hovered ? HoveredScale : 1.0f));
}

void CChooseWorld::Draw() {
    for (int world = 1; world <= Worlds; ++world) {
        Sprite& picture = world <= progress_.lastWorld ? miniatures_[world - 1] : lockPicture_;
        Style(picture, world);
        if (picture.zoom > 0.0f) {
            picture.Draw(places_[world - 1].x, places_[world - 1].y);
        }
    }
}
