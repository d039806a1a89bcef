#include <cmath>
#include <string>
#include <vector>

#include "gfx/Sprite.h"
#include "gfx/ToolkitFixture.h"
#include "ui/BitmapFont.h"

namespace {

constexpr int GlyphWidth = 8;
constexpr int GlyphHeight = 50;

// Letter k of the alphabet is a solid block in a red of its own.
uint32_t LetterColour(int k) {
    return PackRGBA(static_cast<uint8_t>(30 + 8 * k), 40, 0);
}

class BitmapFontTest : public ToolkitTest {
protected:
    // A strip of the first letters, with extra columns of blue after them.
    void LoadAlphabet(Sprite& strip, const std::string& name, int letters, int extraColumns) {
        const int width = letters * GlyphWidth + extraColumns;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * GlyphHeight);
        for (size_t i = 0; i < pixels.size(); ++i) {
            const int x = static_cast<int>(i) % width;
            pixels[i] = x < letters * GlyphWidth ? LetterColour(x / GlyphWidth) : PackRGBA(0, 0, 250);
        }
        WritePicture(name, width, GlyphHeight, pixels);
        ASSERT_TRUE(strip.Load(name));
    }

    void SetUp() override {
        ToolkitTest::SetUp();
        LoadAlphabet(alphabet, "data/gfx/menu/abecedary.png", 26, 0);
        font.Load(alphabet, alphabet.width / 26);
    }

    // The letter drawn at (x, y), -1 when blank.
    int LetterAt(int x, int y) {
        const RGBA pixel = ReadPixel(x, y);
        if (IsBlack(pixel)) {
            return -1;
        }
        EXPECT_EQ(pixel.g, 40);
        return (pixel.r - 30) / 8;
    }

    Sprite alphabet;
    BitmapFont font;
};

TEST_F(BitmapFontTest, EachCharacterTakesOneWidthAndOnlyCapitalsDraw) {
    const std::string text = "NEW Ab1?Z";
    font.DrawText(text, 100, 100);
    for (size_t i = 0; i < text.size(); ++i) {
        const int expected = text[i] >= 'A' && text[i] <= 'Z' ? text[i] - 'A' : -1;
        const int x = 100 + static_cast<int>(i) * GlyphWidth;
        EXPECT_EQ(LetterAt(x, 100), expected) << "cell " << i;
        EXPECT_EQ(LetterAt(x + GlyphWidth - 1, 100 + GlyphHeight - 1), expected) << "cell " << i;
    }
    EXPECT_EQ(font.TextWidth(text), static_cast<int>(text.size()) * GlyphWidth);
    EXPECT_EQ(LetterAt(100 + font.TextWidth(text), 120), -1);
    EXPECT_EQ(LetterAt(99, 120), -1);
    EXPECT_EQ(LetterAt(101, 99), -1);

    font.SetAlpha(0.5f);  // fades every glyph
    font.DrawText("AZ", 10, 300);
    EXPECT_NEAR(ReadPixel(12, 310).r, 30 / 2, 2);
    EXPECT_NEAR(ReadPixel(12 + GlyphWidth, 310).r, (30 + 8 * 25) / 2, 2);
}

TEST_F(BitmapFontTest, OnlyWholeGlyphsAreCut) {
    Sprite shortAlphabet;
    LoadAlphabet(shortAlphabet, "data/gfx/menu/short.png", 3, 5);
    BitmapFont shortFont;
    shortFont.Load(shortAlphabet, GlyphWidth);
    EXPECT_EQ(shortFont.glyphs.size(), 3u);
    shortFont.DrawText("CDA", 200, 200);
    EXPECT_EQ(LetterAt(201, 210), 2);
    EXPECT_EQ(LetterAt(209, 210), -1);  // no glyph for D: nothing, not the strip's leftover
    EXPECT_EQ(LetterAt(217, 210), 0);

    BitmapFont noGlyphs;
    noGlyphs.Load(shortAlphabet, 0);
    EXPECT_TRUE(noGlyphs.glyphs.empty());
    noGlyphs.DrawText("ABC", 0, 0);
    noGlyphs.DrawWavyText("ABC", 0, 0);
}

TEST_F(BitmapFontTest, WavyTextRidesASineThatMovesOnEachCallAndWraps) {
    const std::string text = "WAVY TEXT";
    for (int call = 0; call < 2; ++call) {
        ClearTo(0, 0, 0);
        font.DrawWavyText(text, 100, 300);
        for (size_t i = 0; i < text.size(); ++i) {
            // Amplitude a fifth of the glyph height, truncated toward zero; 0.1 on per call.
            const float wave =
                10.0f * std::sin(0.4f * static_cast<float>(i) + 0.1f * static_cast<float>(call));
            const int x = 100 + static_cast<int>(i) * GlyphWidth;
            const int top = 300 + static_cast<int>(wave);
            EXPECT_EQ(LetterAt(x, top - 1), -1) << "call " << call << ", letter " << i;
            EXPECT_EQ(LetterAt(x, top), text[i] == ' ' ? -1 : text[i] - 'A')
                << "call " << call << ", letter " << i;
        }
    }
    for (int call = 2; call < 63; ++call) {
        font.DrawWavyText("", 0, 0);
        ASSERT_LE(font.wavePhase, 6.28f);
    }
    EXPECT_NEAR(font.wavePhase, 0.02f, 1e-3f);
}

}  // namespace
