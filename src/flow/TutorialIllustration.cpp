#include "flow/TutorialIllustration.h"

#include <algorithm>
#include <cmath>

#include "core/App.h"
#include "gfx/PictureBank.h"

namespace {

constexpr int ColumnX[3] = {350, 414, 478};
constexpr int CellY = 370;
constexpr int ItemX = 250;
constexpr int MiddleX = 414;
constexpr int PointerShift = 10;  // the pointer's tip, not its corner, on the spot
constexpr float Swing = 20.0f;    // how far the pointer dips on its way
constexpr float HalfTurn = 3.14f;
constexpr int RestingX = 424;
constexpr int RestingY = 380;
constexpr float FramesPerMove = 20.0f;  // clearing frames are shown at the start of a move

void DrawPicture(const char* path, int x, int y) {
    if (path != nullptr) {
        App.pictures->Load(path)->Draw(x, y);
    }
}

// Between a and b, t of the way from a.
int Between(float a, float b, float t) {
    return static_cast<int>((1.0f - t) * a + t * b);
}

}  // namespace

std::string TutorialPictures::ClearingFrame(int frame) {
    return "data/gfx/cells/ploc" + std::to_string(frame) + ".png";
}

void TutorialIllustration::Draw(int32_t phase, int32_t tickCount) const {
    if (!hasIllustration) {
        return;
    }
    // Even phases move, odd ones pause at the end of the move.
    const float t = phase % 2 == 0 ? static_cast<float>(tickCount) / PhaseTicks : 1.0f;
    const int swingY = CellY - static_cast<int>(std::sin(HalfTurn * t) * -Swing);
    switch (phase / 2) {
        case 0:
            DrawFirstStage(t, swingY);
            break;
        case 1:
            DrawMiddleStage(t, swingY);
            break;
        default:
            DrawLastStage(t);
            break;
    }
}

// The cells stand on their squares unless the first row is all empty.
bool TutorialIllustration::HasSquares() const {
    return std::any_of(row1.begin(), row1.end(), [](const char* cell) { return cell != nullptr; });
}

// The pointer goes from the middle cell to the item.
void TutorialIllustration::DrawFirstStage(float t, int swingY) const {
    if (item != nullptr && std::string(item) == TutorialPictures::NoPet) {
        DrawPicture(row1[0], ItemX, CellY);  // the forbidden item shows the pet it clears
    }
    DrawPicture(item, ItemX, CellY);
    const bool squares = HasSquares();
    for (size_t column = 0; column < 3; ++column) {
        if (squares) {
            DrawPicture(TutorialPictures::Square, ColumnX[column], CellY);
        }
        DrawPicture(row1[column], ColumnX[column], CellY);
    }
    DrawPicture(TutorialPictures::Pointer, Between(MiddleX, ItemX, t) + PointerShift, swingY + PointerShift);
}

// What the pointer took comes back to the middle cell.
void TutorialIllustration::DrawMiddleStage(float t, int swingY) const {
    const bool squares = HasSquares();
    const int frame = static_cast<int>(FramesPerMove * t);
    for (size_t column = 0; column < 3; ++column) {
        if (squares) {
            DrawPicture(TutorialPictures::Square, ColumnX[column], CellY);
        }
        DrawPicture(row2[column], ColumnX[column], CellY);
        if (pops[column] && !popLate && frame < TutorialPictures::ClearingFrames) {
            DrawPicture(TutorialPictures::ClearingFrame(frame).c_str(), ColumnX[column], CellY);
        }
    }
    const bool pointer = carried != nullptr && std::string(carried) == TutorialPictures::Pointer;
    DrawPicture(carried, Between(ItemX, MiddleX, t) + PointerShift, pointer ? swingY + PointerShift : swingY);
}

// The outcome, the pointer at rest on the middle cell.
void TutorialIllustration::DrawLastStage(float t) const {
    const bool squares = HasSquares();
    const int frame = static_cast<int>(FramesPerMove * t);
    for (size_t column = 0; column < 3; ++column) {
        if (pops[column] && turnBackgrounds) {
            DrawPicture(TutorialPictures::ClearedSquare, ColumnX[column], CellY);
        } else if (squares) {
            DrawPicture(TutorialPictures::Square, ColumnX[column], CellY);
        }
        DrawPicture(row3[column], ColumnX[column], CellY);
        if (pops[column] && popLate && frame < TutorialPictures::ClearingFrames) {
            DrawPicture(TutorialPictures::ClearingFrame(frame).c_str(), ColumnX[column], CellY);
        }
    }
    DrawPicture(TutorialPictures::Pointer, RestingX, RestingY);
}
