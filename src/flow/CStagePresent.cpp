#include "flow/CStagePresent.h"

#include <algorithm>

#include "engine/GLPicture.h"

namespace {

constexpr int ScreenWidth = 800;
constexpr int TitleY = 80;
constexpr int FirstNumberX = 315;
constexpr float FadePerTick = 0.01f;

}  // namespace

CStagePresent::CStagePresent() {
    stagePicture.LoadRequired("data/gfx/levelpresentation/stage.png");
    numberPieces[0].LoadRequired("data/gfx/levelpresentation/mainnumbers.png");
    numberPieces[0].picture->SetLinearFiltering(true);
    CutStrip(numberPieces, PieceWidth, numberPieces[0].height);
    AddChild(&titleMover);
    for (CMovingBB& mover : numberMovers) {
        AddChild(&mover);
    }
    Start(1, 1);
}

// The movers are members: they must not stay listed as children of a dead object.
CStagePresent::~CStagePresent() {
    RemoveAllChildren();
}

void CStagePresent::Start(int world, int stage) {
    SetAlpha(1.0f);
    ticks = 0;
    const float pieceHeight = static_cast<float>(numberPieces[Separator].height);
    const float titleX = static_cast<float>((ScreenWidth - stagePicture.width) / 2);
    titleMover.Move(&stagePicture, titleX, -(static_cast<float>(stagePicture.height) + pieceHeight), titleX,
                    TitleY, FallTicks, 1.0f, 1.0f);

    const int lastDigit = static_cast<int>(numberPieces.size()) - 1;
    const std::array<int, 3> pieces = {std::clamp(world, 1, lastDigit), Separator,
                                       std::clamp(stage, 1, lastDigit)};
    const float landY = static_cast<float>(stagePicture.height + TitleY);
    for (size_t i = 0; i < numberMovers.size(); ++i) {
        const float x = static_cast<float>(FirstNumberX + PieceWidth * static_cast<int>(i));
        numberMovers[i].Move(&numberPieces[static_cast<size_t>(pieces[i])], x, -pieceHeight, x, landY,
                             FallTicks, 1.0f, 1.0f);
    }
}

bool CStagePresent::Update() {
    // The count stops once the title is gone, so a level played for days cannot overflow it.
    if (ticks >= GoneTick) {
        return true;
    }
    ticks += 1;
    if (ticks >= FadeStartTick) {
        // Worked out from the count rather than summed, so the title is gone exactly at GoneTick.
        SetAlpha(std::max(0.0f, 1.0f - FadePerTick * static_cast<float>(ticks - FadeStartTick + 1)));
    }
    return true;
}

void CStagePresent::SetAlpha(float value) {
    alpha = value;
    stagePicture.alpha = value;
    for (Sprite& piece : numberPieces) {
        piece.alpha = value;
    }
}
