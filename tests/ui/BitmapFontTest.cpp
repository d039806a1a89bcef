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
    void WriteAlphabet(const std::string& name, int letters, int extraColumns) {
        const int width = letters * GlyphWidth + extraColumns;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * GlyphHeight, PackRGBA(0, 0, 250));
        for (int y = 0; y < GlyphHeight; ++y) {
            for (int x = 0; x < letters * GlyphWidth; ++x) {
                pixels[y * width + x] = LetterColour(x / GlyphWidth);
            }
        }
        WritePicture(name, width, GlyphHeight, pixels);
    }

    void SetUp() override {
        ToolkitTest::SetUp();
        WriteAlphabet("data/gfx/menu/abecedary.png", 26, 0);
        ASSERT_TRUE(alphabet.Load("data/gfx/menu/abecedary.png"));
        font.Load(alphabet, alphabet.width / 26);
    }

    // The letter drawn in the cell at column x (middle of the glyph height at y), -1 when blank.
    int LetterAt(int x, int y) {
        const RGBA pixel = ReadPixel(x, y);
        if (IsBlack(pixel)) {
            return -1;
        }
        EXPECT_EQ(pixel.g, 40);
        return (pixel.r - 30) / 8;
    }

    // Top row of the glyph drawn in column x, searched from top down; -1 when none.
    int TopOfColumn(int x, int fromY, int toY) {
        for (int y = fromY; y <= toY; ++y) {
            if (!IsBlack(ReadPixel(x, y))) {
                return y;
            }
        }
        return -1;
    }

    Sprite alphabet;
    BitmapFont font;
};

TEST_F(BitmapFontTest, EachCharacterTakesOneWidthAndOnlyCapitalsDraw) {
    int y = 100;
    for (const std::string text : {"NEW GAME", "Ab1?Z"}) {
        SCOPED_TRACE(text);
        font.DrawText(text, 100, y);
        for (size_t i = 0; i < text.size(); ++i) {
            const int expected = text[i] >= 'A' && text[i] <= 'Z' ? text[i] - 'A' : -1;
            const int x = 100 + static_cast<int>(i) * GlyphWidth;
            EXPECT_EQ(LetterAt(x + 1, y + 20), expected) << "cell " << i;
            EXPECT_EQ(LetterAt(x + GlyphWidth - 1, y + GlyphHeight - 1), expected) << "cell " << i;
        }
        EXPECT_EQ(LetterAt(100 + static_cast<int>(text.size()) * GlyphWidth, y + 20), -1);
        EXPECT_EQ(LetterAt(99, y + 20), -1);
        EXPECT_EQ(font.TextWidth(text), static_cast<int>(text.size()) * GlyphWidth);
        y += 100;
    }
    EXPECT_EQ(LetterAt(101, 99), -1);

    font.SetAlpha(0.5f);  // fades every glyph
    font.DrawText("AZ", 10, 300);
    EXPECT_NEAR(ReadPixel(12, 310).r, 30 / 2, 2);
    EXPECT_NEAR(ReadPixel(12 + GlyphWidth, 310).r, (30 + 8 * 25) / 2, 2);
}

TEST_F(BitmapFontTest, OnlyWholeGlyphsAreCut) {
    WriteAlphabet("data/gfx/menu/short.png", 3, 5);
    Sprite shortAlphabet;
    ASSERT_TRUE(shortAlphabet.Load("data/gfx/menu/short.png"));
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

TEST_F(BitmapFontTest, WavyTextMovesBetweenCallsAndThePhaseWraps) {
    const std::string text = "WAVY TEXT";
    std::vector<int> first;
    std::vector<int> second;
    for (std::vector<int>* tops : {&first, &second}) {
        ClearTo(0, 0, 0);
        const float phase = font.wavePhase;
        font.DrawWavyText(text, 100, 300);
        for (size_t i = 0; i < text.size(); ++i) {
            const int top = TopOfColumn(100 + static_cast<int>(i) * GlyphWidth + 3, 280, 320);
            tops->push_back(top);
            // Amplitude a fifth of the glyph height, truncated toward zero.
            const float wave = 10.0f * std::sin(0.4f * static_cast<float>(i) + phase);
            EXPECT_EQ(top, text[i] == ' ' ? -1 : 300 + static_cast<int>(wave)) << "letter " << i;
        }
    }
    EXPECT_NE(first, second);
    EXPECT_FLOAT_EQ(font.wavePhase, 0.2f);
    for (int call = 2; call < 63; ++call) {
        font.DrawWavyText("", 0, 0);
        ASSERT_LE(font.wavePhase, 6.28f);
    }
    EXPECT_NEAR(font.wavePhase, 0.02f, 1e-3f);
}

}  // namespace
