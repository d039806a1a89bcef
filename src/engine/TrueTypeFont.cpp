#include "engine/TrueTypeFont.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "engine/EngineFile.h"
#include "engine/GLPicture.h"

namespace {

constexpr int NarrowAtlasWidth = 256;
constexpr int WideAtlasWidth = 512;
// Outlines only, rendered to 8-bit coverage: an embedded bitmap could come in another format.
constexpr FT_Int32 RenderFlags = FT_LOAD_RENDER | FT_LOAD_NO_BITMAP;
// The size the atlas falls back to when the face gives no line height: 12 points at 96 dpi.
constexpr FT_F26Dot6 FallbackPoints = 12 * 64;
constexpr FT_UInt FallbackDpi = 96;

// One FreeType library for every font, made with the first font and kept for the run.
FT_Library Library() {
    static struct Holder {
        Holder() {
            if (FT_Init_FreeType(&library) != 0) {
                library = nullptr;
            }
        }
        ~Holder() {
            if (library != nullptr) {
                FT_Done_FreeType(library);
            }
        }
        FT_Library library = nullptr;
    } holder;
    return holder.library;
}

int WholePixels(FT_Pos value) {
    return static_cast<int>(value >> 6);
}

}  // namespace

TrueTypeFont::TrueTypeFont(const std::string& path) {
    FT_Library library = Library();
    if (library == nullptr || ReadWholeFile(path, fontBytes_) != FileOk) {
        fontBytes_.clear();
        return;
    }
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library, fontBytes_.data(), static_cast<FT_Long>(fontBytes_.size()), 0, &face) !=
        0) {
        fontBytes_.clear();
        return;
    }
    face_ = face;
    SetPixelSize(DefaultPixelSize);
}

TrueTypeFont::~TrueTypeFont() {
    DropAtlas();
    if (face_ != nullptr) {
        FT_Done_Face(face_);
    }
}

// Any new size drops the atlas, not only a new line height: the glyphs change with the size.
void TrueTypeFont::SetPixelSize(int height) {
    if (face_ == nullptr || height < 1 || height == pixelSize_) {
        return;
    }
    if (FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(height)) == 0) {
        pixelSize_ = height;
        DropAtlas();
    }
}

int TrueTypeFont::GetLineHeight() const {
    return face_ != nullptr ? WholePixels(face_->size->metrics.height) : 0;
}

// Renders the code's glyph into the face's slot; false when the font has none to give.
bool TrueTypeFont::LoadCode(int code) const {
    if (FT_Load_Char(face_, static_cast<FT_ULong>(code), RenderFlags) != 0) {
        return false;
    }
    const FT_Bitmap& bitmap = face_->glyph->bitmap;
    return bitmap.width == 0 || bitmap.rows == 0 || bitmap.pixel_mode == FT_PIXEL_MODE_GRAY;
}

// Places every glyph in rows of the atlas's width, 2 pixels apart; no pixels are made yet, so
// text can be measured before a window exists.
void TrueTypeFont::LayOut() {
    laidOut_ = true;
    glyphs_ = {};
    atlasWidth_ = 0;
    atlasHeight_ = 0;
    if (face_ == nullptr) {
        return;
    }
    if (GetLineHeight() == 0) {
        FT_Set_Char_Size(face_, 0, FallbackPoints, FallbackDpi, FallbackDpi);
    }
    const int ascender = WholePixels(face_->size->metrics.ascender);
    const int rowWidth = GetLineHeight() < WideAtlasLineHeight ? NarrowAtlasWidth : WideAtlasWidth;
    int penX = 0;
    int penY = 0;
    int tallest = 0;
    int widest = 0;
    int rowRight = 0;  // the right edge of the row's last glyph, without the gap after it
    for (int code = FirstCode; code < FirstCode + CodeCount; ++code) {
        if (!LoadCode(code)) {
            continue;
        }
        const FT_GlyphSlot slot = face_->glyph;
        const int width = static_cast<int>(slot->bitmap.width);
        const int height = static_cast<int>(slot->bitmap.rows);
        if (penX + width > rowWidth) {
            widest = std::max(widest, rowRight);
            penY += tallest + GlyphGap;
            penX = 0;
        }
        glyphs_[static_cast<size_t>(code - FirstCode)] = {static_cast<float>(penX),
                                                          static_cast<float>(penY),
                                                          static_cast<float>(width),
                                                          static_cast<float>(height),
                                                          slot->bitmap_left,
                                                          ascender - slot->bitmap_top,
                                                          WholePixels(slot->advance.x),
                                                          true};
        tallest = std::max(tallest, height);
        rowRight = penX + width;
        penX = rowRight + GlyphGap;
    }
    // The last row counts too: a font of few glyphs may never start a second one.
    atlasWidth_ = std::max(widest, rowRight);
    atlasHeight_ = penY + tallest;
}

void TrueTypeFont::BuildAtlas() {
    if (!laidOut_) {
        LayOut();
    }
    // Made even when it stays empty, so a font that cannot have an atlas does not retry every draw.
    atlas_ = CreatePicture();
    if (atlasWidth_ < 1 || atlasHeight_ < 1) {
        return;
    }
    atlasPixels_.assign(static_cast<size_t>(atlasWidth_) * static_cast<size_t>(atlasHeight_), 0);
    for (int code = FirstCode; code < FirstCode + CodeCount; ++code) {
        const Glyph& glyph = glyphs_[static_cast<size_t>(code - FirstCode)];
        if (!glyph.present || glyph.width < 1 || !LoadCode(code)) {
            continue;
        }
        const FT_Bitmap& bitmap = face_->glyph->bitmap;
        const int width = std::min(static_cast<int>(bitmap.width), static_cast<int>(glyph.width));
        const int height = std::min(static_cast<int>(bitmap.rows), static_cast<int>(glyph.height));
        for (int row = 0; row < height; ++row) {
            const unsigned char* coverage = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
            uint32_t* out = &atlasPixels_[static_cast<size_t>(glyph.atlasY + row) * atlasWidth_ +
                                          static_cast<size_t>(glyph.atlasX)];
            for (int column = 0; column < width; ++column) {
                out[column] = 0x00FFFFFFu | uint32_t(coverage[column]) << 24;  // white, coverage as alpha
            }
        }
    }
    atlas_->SetLinearFiltering(true);
    atlas_->MakePictureFromArray(atlasPixels_.data(), atlasWidth_, atlasHeight_, true);
    atlas_->SetLinearFiltering(true);
}

// The picture goes before the pixels it refreshes from.
void TrueTypeFont::DropAtlas() {
    atlas_.reset();
    atlasPixels_.clear();
    laidOut_ = false;
}

int TrueTypeFont::GetTextWidth(const std::string& text, int spacing) {
    if (face_ == nullptr) {
        return 0;
    }
    if (!laidOut_) {
        LayOut();
    }
    int width = 0;
    for (const unsigned char code : text) {
        if (code >= FirstCode && glyphs_[code - FirstCode].present) {
            width += glyphs_[code - FirstCode].advance + spacing;
        }
    }
    return width;
}

void TrueTypeFont::DrawText(const std::string& text, int x, int y, int spacing) {
    if (face_ == nullptr || text.empty()) {
        return;
    }
    if (!atlas_) {
        BuildAtlas();
    }
    if (!atlas_->IsLoaded()) {
        return;
    }
    int penX = x;
    for (const unsigned char code : text) {
        if (code < FirstCode || !glyphs_[code - FirstCode].present) {
            continue;
        }
        const Glyph& glyph = glyphs_[code - FirstCode];
        if (glyph.width > 0 && glyph.height > 0) {
            atlas_->BlitBlendedTransformed(
                glyph.atlasX, glyph.atlasY, glyph.atlasX + glyph.width, glyph.atlasY + glyph.height,
                static_cast<float>(penX + glyph.xOffset), static_cast<float>(y + glyph.yOffset), 0.0f, 1.0f,
                alpha, false, false, 0.0f, 0.0f);
        }
        penX += glyph.advance + spacing;
    }
}

void TrueTypeFont::DrawTextCentered(const std::string& text, int x1, int x2, int y, int spacing) {
    DrawText(text, x1 + (x2 - x1 - GetTextWidth(text, spacing)) / 2, y, spacing);
}

std::unique_ptr<TrueTypeFont> CreateTrueTypeFont(const std::string& path) {
    return std::make_unique<TrueTypeFont>(path);
}
