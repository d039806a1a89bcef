#include "app/CShowcase.h"

#include <cmath>

#include "core/App.h"
#include "gfx/PictureBank.h"

namespace {
const char* const petNames[] = {"frog", "cat", "parrot", "monkey", "dog", "dogy", "snake", "rotten"};
constexpr int hopPeriodTicks = 240;
constexpr int petRowY = 420;
constexpr int petPitch = 80;
}  // namespace

CShowcase::CShowcase() {
    backdrop_ = App.pictures->Load("data/gfx/menu/intro.png");
    for (const char* pet : petNames) {
        pets_.push_back(App.pictures->Load(std::string("data/gfx/cells/") + pet + ".tga"));
    }
    pets_[1]->SharePicture(spinner_);

    Sprite* logo = App.pictures->Load("data/gfx/menu/tandolo_logo5.png");
    logo_.Drop(logo, (800 - logo->width) / 2, 100, 0.2f, 0.5f);
    AddChild(&logo_);

    CutButtonFaces();
    button_.idleFace = App.pictures->Get("buttonidle");
    button_.rolloverFace = App.pictures->Get("buttonrollover");
    button_.pressedFace = App.pictures->Get("buttonpressed");
    button_.x = (800 - button_.idleFace->width) / 2;
    button_.y = 262;
    button_.onClick = [this] { SpinPet(); };
    AddChild(&button_);
    AddChild(&spin_);

    pointer_.picture = App.pictures->Load("data/gfx/general/mouse_pointer.tga");
    pointer_.CentreHotSpot();
    App.pointer = &pointer_;
}

CShowcase::~CShowcase() {
    if (App.pointer == &pointer_) {
        App.pointer = nullptr;
    }
}

// Every menu button draws from the same three faces of one picture.
void CShowcase::CutButtonFaces() {
    Sprite* sheet = App.pictures->Load("data/gfx/menu/buttons.png");
    const char* const faces[] = {"buttonidle", "buttonrollover", "buttonpressed"};
    const int faceTops[] = {23, 75, 127};
    for (int i = 0; i < 3; ++i) {
        sheet->SetSource(0, faceTops[i], sheet->width, 52);
        App.pictures->AddCopy(faces[i], *sheet);
    }
}

void CShowcase::SpinPet() {
    const float x = static_cast<float>(button_.x + button_.idleFace->width + 16);
    spin_.MoveEx(&spinner_, x, 256.0f, x, 256.0f, 60, 0, 1.0f, 0);
}

bool CShowcase::Update() {
    hopTicks_ = (hopTicks_ + 1) % hopPeriodTicks;
    return true;
}

void CShowcase::Draw() {
    backdrop_->Draw(0, 0);
    const int rowLeft = (800 - static_cast<int>(pets_.size()) * petPitch) / 2;
    for (size_t i = 0; i < pets_.size(); ++i) {
        pets_[i]->Draw(rowLeft + static_cast<int>(i) * petPitch + 8, petRowY);
    }
    // The first pet hops from left to right along a chain of arcs.
    const float progress = static_cast<float>(hopTicks_) / hopPeriodTicks;
    const float x = -64.0f + progress * (800.0f + 64.0f);
    const float y = 344.0f - 40.0f * std::fabs(std::sin(progress * 3.14159265f * 4.0f));
    pets_.front()->Draw(static_cast<int>(x), static_cast<int>(y));
}
