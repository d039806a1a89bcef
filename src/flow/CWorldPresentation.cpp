#include "flow/CWorldPresentation.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/App.h"
#include "engine/Input.h"
#include "flow/CGame.h"

namespace {

constexpr const char* ContinueText = "CLICK MOUSE TO CONTINUE";

constexpr int ScreenWidth = 800;
constexpr int TitleY = 70;
constexpr int TitleSwing = 20;
constexpr int LabelX = 270;
constexpr int NumberX = 480;
constexpr int FrameY = 230;
constexpr int FrameBorder = 19;
constexpr int TextY = 550;
constexpr float PhaseStep = 0.07f;
constexpr float FullTurn = 6.28f;

std::string Presentation(const std::string& name) {
    return "data/gfx/levelpresentation/" + name;
}

}  // namespace

CWorldPresentation::CWorldPresentation() {
    curtainPicture.LoadRequired(Presentation("courtain1.png"));
    labelPicture.LoadRequired(Presentation("world1.png"));
    worldNumbers[0].LoadRequired(Presentation("worldnumbers.png"));
    CutStrip(worldNumbers, PieceWidth, worldNumbers[0].height);
    framePicture.LoadRequired(Presentation("marco.png"));

    curtain_ = new CMovingBB();
    curtain_->finishWhenDone = true;
    curtain_->Move(&curtainPicture, 0.0f, 0.0f, 0.0f, -static_cast<float>(curtainPicture.height),
                   CurtainTicks, 1.0f, 1.0f);
    AddChild(curtain_);
}

// The tree destroys the curtain when it is up; one still rising goes with the presentation.
CWorldPresentation::~CWorldPresentation() {
    CMovingBB* curtain = Curtain();
    RemoveAllChildren();
    delete curtain;
}

CMovingBB* CWorldPresentation::Curtain() const {
    return HasChild(curtain_) ? curtain_ : nullptr;
}

void CWorldPresentation::Start() {
    if (auto* game = dynamic_cast<CGame*>(Find("../game"))) {
        world_ = std::clamp(game->world, 1, Worlds);
    }
    worldPicture.LoadRequired(std::string("data/gfx/miniworlds/win_") + CGame::WorldName(world_) + ".png");
    PlaySound("data/sfx/inworld.ogg");
}

bool CWorldPresentation::Update() {
    // The click that ended the last level is still held when the presentation comes: only a
    // press made while it shows ends it.
    buttonWasUp_ = buttonWasUp_ || !IsMouseButtonDown();
    if (buttonWasUp_ && IsMouseButtonDown()) {
        if (CGameObject* game = Find("../game")) {
            game->SetActive(true);
        }
        return false;
    }
    phase += PhaseStep;
    if (phase > FullTurn) {
        phase -= FullTurn;
    }
    return true;
}

void CWorldPresentation::Draw() {
    ClearScreen();
    const int y = TitleY - static_cast<int>(-TitleSwing * std::sin(phase));
    labelPicture.Draw(LabelX, y);
    worldNumbers[static_cast<size_t>(world_ - 1)].Draw(NumberX, y);
    const int frameX = (ScreenWidth - framePicture.width) / 2;
    framePicture.Draw(frameX, FrameY);
    worldPicture.Draw(frameX + FrameBorder, FrameY + FrameBorder);
    if (font != nullptr) {
        font->DrawWavyText(ContinueText, (ScreenWidth - font->TextWidth(ContinueText)) / 2, TextY);
    }
}
