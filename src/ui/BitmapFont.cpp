#include "ui/BitmapFont.h"

#include <cmath>

namespace {

constexpr float WaveStep = 0.1f;
constexpr float WavePeriod = 6.28f;

}  // namespace

void BitmapFont::Load(const Sprite& alphabet, int glyphWidth) {
    glyphs.clear();
    glyphWidth_ = glyphWidth > 0 ? glyphWidth : 0;
    glyphHeight_ = alphabet.height;
    if (glyphWidth_ == 0) {
        return;
    }
    const int count = alphabet.width / glyphWidth_;
    glyphs.reserve(count);
    for (int k = 0; k < count; ++k) {
        Sprite glyph;
        alphabet.SharePicture(glyph);
        glyph.SetSource(k * glyphWidth_, 0, glyphWidth_, alphabet.height);
        glyphs.push_back(glyph);
    }
}

void BitmapFont::SetAlpha(float a) {
    for (Sprite& glyph : glyphs) {
        glyph.alpha = a;
    }
}

const Sprite* BitmapFont::GlyphFor(char c) const {
    if (c < 'A' || c > 'Z') {
        return nullptr;
    }
    const size_t index = static_cast<size_t>(c - 'A');
    return index < glyphs.size() ? &glyphs[index] : nullptr;
}

void BitmapFont::DrawText(const std::string& text, int x, int y) const {
    for (char c : text) {
        if (const Sprite* glyph = GlyphFor(c)) {
            glyph->Draw(x, y);
        }
        x += glyphWidth_;
    }
}

void BitmapFont::DrawWavyText(const std::string& text, int x, int y) {
    const float amplitude = 0.2f * static_cast<float>(glyphHeight_);
    for (size_t i = 0; i < text.size(); ++i) {
        if (const Sprite* glyph = GlyphFor(text[i])) {
            const float wave = amplitude * std::sin(0.4f * static_cast<float>(i) + wavePhase);
            glyph->Draw(x, y + static_cast<int>(wave));
        }
        x += glyphWidth_;
    }
    wavePhase += WaveStep;
    if (wavePhase > WavePeriod) {
        wavePhase -= WavePeriod;
    }
}
