#pragma once

#include <string>
#include <vector>

#include "gfx/Sprite.h"

// Capital letters cut from one picture of the alphabet, A to Z side by side in
// glyphs of equal width; the width is also the advance from letter to letter.
class BitmapFont {
public:
    // The glyphs share alphabet's picture, which must outlive the font. Only
    // whole glyphs are cut when the width is not a multiple of glyphWidth.
    void Load(const Sprite& alphabet, int glyphWidth);
    void SetAlpha(float a);

    // First glyph's top-left at (x, y). Anything but 'A'..'Z' is left blank
    // and advances like a space.
    void DrawText(const std::string& text, int x, int y) const;
    // The same on a sine wave that moves on by one step per call.
    void DrawWavyText(const std::string& text, int x, int y);

    int GlyphWidth() const { return glyphWidth_; }
    int GlyphHeight() const { return glyphHeight_; }
    int TextWidth(const std::string& text) const { return static_cast<int>(text.size()) * glyphWidth_; }

    std::vector<Sprite> glyphs;  // glyphs[k] is 'A' + k
    float wavePhase = 0.0f;

private:
    const Sprite* GlyphFor(char c) const;

    int glyphWidth_ = 0;
    int glyphHeight_ = 0;
};
