#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GLPicture;
struct FT_FaceRec_;

// Single lines of text in a TrueType font. The character codes 32..255 (Latin-1) are rendered
// once into one picture, the glyph atlas, and every character drawn is a blended piece of it:
// white, with the glyph's coverage as its transparency. A font whose file cannot be read draws
// nothing and measures 0.
class TrueTypeFont {
public:
    static constexpr int FirstCode = 32;
    static constexpr int CodeCount = 224;
    static constexpr int DefaultPixelSize = 14;
    // Below this line height the atlas is laid out 256 pixels wide, else 512.
    static constexpr int WideAtlasLineHeight = 20;
    static constexpr int GlyphGap = 2;  // between glyphs in the atlas, so filtering never bleeds

    struct Glyph {
        float atlasX = 0;
        float atlasY = 0;
        float width = 0;
        float height = 0;
        int32_t xOffset = 0;  // left bearing
        int32_t yOffset = 0;  // from the line's top (the ascender) to the bitmap's top
        int32_t advance = 0;
        bool present = false;  // false: the font has no glyph for the code
    };

    // Opens the font file (any path; the file layer reads it) at 14 pixels.
    explicit TrueTypeFont(const std::string& path);
    ~TrueTypeFont();
    TrueTypeFont(const TrueTypeFont&) = delete;
    TrueTypeFont& operator=(const TrueTypeFont&) = delete;

    bool HasFace() const { return face_ != nullptr; }
    void SetPixelSize(int height);
    // The distance from one line to the next at this size, in whole pixels; 0 without a face.
    int GetLineHeight() const;
    // Exactly how far DrawText moves along: codes below 32 and codes without a glyph count nothing.
    int GetTextWidth(const std::string& text, int spacing);
    // The text's top-left at (x, y); bytes below 32 (tabs, line breaks) are skipped.
    void DrawText(const std::string& text, int x, int y, int spacing);
    void DrawTextCentered(const std::string& text, int x1, int x2, int y, int spacing);

    // The atlas once a draw has built it, else null.
    const GLPicture* Atlas() const { return atlas_.get(); }

    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    float alpha = 1.0f;  // the only colour drawing uses

private:
    bool LoadCode(int code) const;
    void LayOut();
    void BuildAtlas();
    void DropAtlas();

    std::unique_ptr<GLPicture> atlas_;
    FT_FaceRec_* face_ = nullptr;
    std::vector<uint8_t> fontBytes_;     // FreeType reads the face from these while it is open
    std::vector<uint32_t> atlasPixels_;  // the atlas picture refreshes itself from them
    std::array<Glyph, CodeCount> glyphs_{};
    bool laidOut_ = false;
    int atlasWidth_ = 0;
    int atlasHeight_ = 0;
    int pixelSize_ = 0;
};

std::unique_ptr<TrueTypeFont> CreateTrueTypeFont(const std::string& path);
