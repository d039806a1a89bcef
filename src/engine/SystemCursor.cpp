#include "engine/SystemCursor.h"

#include "engine/GLPicture.h"
#include "engine/Input.h"

namespace {

constexpr int CursorSide = 16;

// The built-in pointer: W white, B black, '.' transparent.
constexpr const char* CursorRows[CursorSide] = {
    "WW..............", "WBW.............", "WBBW............", "WBBBW...........",
    "WBBBBW..........", "WBBBBBW.........", "WBBBBBBW........", "WBBBBBBBW.......",
    "WBBBBBBBBW......", "WBBBBBBBW.......", "WBBBBBWW........", "WBBBBBW.........",
    "WBBWBW..........", "WBW.W...........", "WW..............", "................",
};

std::vector<uint32_t> CursorPixels() {
    std::vector<uint32_t> pixels;
    pixels.reserve(CursorSide * CursorSide);
    for (const char* row : CursorRows) {
        for (int x = 0; x < CursorSide; ++x) {
            pixels.push_back(row[x] == 'W' ? 0xFFFFFFFFu : row[x] == 'B' ? 0xFF000000u : 0u);
        }
    }
    return pixels;
}

}  // namespace

SystemCursor::SystemCursor() = default;

SystemCursor::~SystemCursor() = default;

void SystemCursor::Draw() {
    if (!picture_) {
        pixels_ = CursorPixels();
        picture_ = CreatePicture();
        picture_->MakePictureFromArray(pixels_.data(), CursorSide, CursorSide, true);
    }
    picture_->BlitBlended(0, 0, CursorSide, CursorSide, GetMouseX(), GetMouseY(), false, false);
}

void SystemCursor::Release() {
    picture_.reset();
}
