#pragma once

#include <array>
#include <cstdint>
#include <string>

// The pictures of the tutorial pages.
namespace TutorialPictures {
constexpr const char* Pointer = "data/gfx/general/mouse_pointer.tga";
constexpr const char* Square = "data/gfx/grid/square_bgbgray.tga";
constexpr const char* ClearedSquare = "data/gfx/grid/square_invert.tga";
constexpr const char* Panel = "data/gfx/general/tutor_menu.png";
constexpr const char* WellDone = "data/gfx/interface/welldone.png";
constexpr const char* NoPet = "data/gfx/items/nopet.png";
constexpr int ClearingFrames = 4;
// "data/gfx/cells/ploc0.png" ... "ploc3.png".
std::string ClearingFrame(int frame);
}  // namespace TutorialPictures

// The small looping demonstration on a tutorial page, in three stages of two phases each (a
// move, then a pause): the pointer goes from the middle cell to the item, carries the item (or
// itself) back, and the cells show what came of it. Three rows of three cell pictures, one a
// stage; pictures are file names, null an empty cell (or no item).
struct TutorialIllustration {
    using Row = std::array<const char*, 3>;
    static constexpr int32_t PhaseTicks = 120;
    static constexpr int32_t Phases = 6;

    // phase 0..5, tickCount 0..119 within it; the pictures come from the picture bank.
    void Draw(int32_t phase, int32_t tickCount) const;

    bool hasIllustration = false;
    Row row1{};
    Row row2{};
    Row row3{};
    const char* item = nullptr;
    const char* carried = nullptr;  // the mouse pointer or the item
    std::array<bool, 3> pops{};     // the columns whose cells clear
    bool popLate = false;           // they clear in the last stage rather than the middle one
    bool turnBackgrounds = false;   // the cleared cells show the cleared square in the last stage

private:
    bool HasSquares() const;
    void DrawFirstStage(float t, int swingY) const;
    void DrawMiddleStage(float t, int swingY) const;
    void DrawLastStage(float t) const;
};
