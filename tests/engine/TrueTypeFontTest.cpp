#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Files.h"
#include "engine/GLPicture.h"
#include "engine/ScreenPixels.h"
#include "engine/TrueTypeFont.h"
#include "support/GLTestWindow.h"

namespace {

// The game's font, as the build makes it, drawn on the real window and read back.
class TrueTypeFontTest : public GLTestWindow {
protected:
    static std::string GameFont() { return MakeFilePath("data/gfx/general/frahv.ttf"); }

    // The red channel of the whole screen, rows top-down.
    static std::vector<uint8_t> Screen() {
        const std::vector<uint8_t> rgba = ReadScreenPixels(800, 600);
        std::vector<uint8_t> red(rgba.size() / 4);
        for (size_t i = 0; i < red.size(); ++i) {
            red[i] = rgba[i * 4];
        }
        return red;
    }
    // The leftmost lit column and the topmost lit row of the screen; -1 when nothing is lit.
    static std::pair<int, int> FirstLit(const std::vector<uint8_t>& screen) {
        int left = -1;
        int top = -1;
        for (int y = 0; y < 600; ++y) {
            for (int x = 0; x < 800; ++x) {
                if (screen[static_cast<size_t>(y) * 800 + x] > 0) {
                    left = left < 0 ? x : std::min(left, x);
                    top = top < 0 ? y : top;
                }
            }
        }
        return {left, top};
    }
};

// A line height under 20 pixels lays the atlas out 256 pixels wide, any other 512.
TEST_F(TrueTypeFontTest, TheAtlasIsNarrowBelowATwentyPixelLine) {
    for (const auto& [pixels, wide] : {std::pair{TrueTypeFont::DefaultPixelSize, false}, {24, true}}) {
        TrueTypeFont font(GameFont());
        font.SetPixelSize(pixels);
        EXPECT_EQ(font.GetLineHeight() >= TrueTypeFont::WideAtlasLineHeight, wide) << pixels;
        font.DrawText("x", 0, 0, 0);
        ASSERT_NE(font.Atlas(), nullptr);
        const float width = font.Atlas()->GetWidth();
        EXPECT_GT(width, wide ? 256 : 200) << pixels;
        EXPECT_LE(width, wide ? 512 : 256) << pixels;
    }
}

// A missing font, or a folder in its place, measures 0 and leaves the screen as it was.
TEST_F(TrueTypeFontTest, AFontThatCannotBeReadDrawsNothing) {
    TempDir dir;
    for (const std::string& path : {dir.File("missing.ttf"), dir.Path()}) {
        TrueTypeFont font(path);
        EXPECT_FALSE(font.HasFace());
        EXPECT_EQ(font.GetLineHeight(), 0);
        EXPECT_EQ(font.GetTextWidth("Tandolo", 2), 0);
        font.SetPixelSize(30);
        font.DrawText("Tandolo", 10, 10, 0);
        font.DrawTextCentered("Tandolo", 0, 800, 10, 0);
        EXPECT_EQ(font.Atlas(), nullptr);
        EXPECT_EQ(FirstLit(Screen()).first, -1) << path;
    }
}

// Text drawn whole is each glyph drawn where the width of the text before it says, with the
// spacing; control bytes are skipped, and text wider than a centring span starts left of it.
TEST_F(TrueTypeFontTest, GlyphsLandWhereTheWidthSays) {
    TrueTypeFont font(GameFont());
    for (const int spacing : {0, 3}) {
        SCOPED_TRACE(spacing);
        ClearTo(0, 0, 0);
        font.DrawText("H\tIH", 100, 50, spacing);
        const std::vector<uint8_t> whole = Screen();
        ClearTo(0, 0, 0);
        font.DrawText("H", 100, 50, spacing);
        font.DrawText("I", 100 + font.GetTextWidth("H\t", spacing), 50, spacing);
        font.DrawText("H", 100 + font.GetTextWidth("H\tI", spacing), 50, spacing);
        EXPECT_EQ(Screen(), whole);
        const auto [left, top] = FirstLit(whole);
        EXPECT_GE(left, 100);
        EXPECT_LT(left, 100 + font.GetTextWidth("H", spacing));
        EXPECT_GT(top, 50);  // a capital starts below the line's top, by the ascender it lacks
        EXPECT_LT(top, 50 + font.GetLineHeight());
    }
    ClearTo(0, 0, 0);
    const std::string wide(20, 'W');
    font.DrawTextCentered(wide, 300, 400, 50, 0);
    const std::vector<uint8_t> centred = Screen();
    EXPECT_LT(FirstLit(centred).first, 300);
    ClearTo(0, 0, 0);
    font.DrawText(wide, 300 + (100 - font.GetTextWidth(wide, 0)) / 2, 50, 0);
    EXPECT_EQ(Screen(), centred);
}

}  // namespace
