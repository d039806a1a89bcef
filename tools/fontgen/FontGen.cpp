// Makes a bitmap font alphabet: the 26 capitals A to Z side by side in cells of one
// size, drawn from a TrueType font and styled like the rest of the art (a vertical
// gradient fill, a dark outline and a soft drop shadow).
//
//     fontgen FONT.ttf OUTPUT.png cell=22x30 fill=#fff6a0,#ffd23a,#f0701a [name=value]...
//
// cell      width x height of one glyph cell; the picture is 26 cells wide.
// fill      two or more colours, spread evenly from the top of the capitals to the baseline.
// outline   width of the outline in pixels (2); outlinecolour (#3a2418).
// shadow    offset of the shadow down and right in pixels (2); shadowalpha, its opacity
//           (0.25); blur, the pixels its edge is softened over (1).
// condense  horizontal scale of every letter (0.9); wider letters are narrowed further to fit.
// tail      how far J and Q may reach below the baseline, as a share of the capital height (0.12).
//
// The capitals share one baseline and one size, the largest at which every letter fits the
// cell. Every letter is centred in its cell, and no pixel of a letter, its outline or its
// shadow leaves the cell, so the game can cut the glyphs apart.
#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Letters = 26;
constexpr int Margin = 1;  // kept clear on every side of a cell

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

struct Style {
    int cellWidth = 0;
    int cellHeight = 0;
    std::vector<Colour> fill;
    double outline = 2.0;
    Colour outlineColour{0x3a / 255.0, 0x24 / 255.0, 0x18 / 255.0};
    int shadow = 2;
    double shadowAlpha = 0.25;
    int blur = 1;
    double condense = 0.9;
    double tail = 0.12;
};

bool ParseColour(const std::string& text, Colour& colour) {
    if (text.size() != 7 || text[0] != '#') {
        return false;
    }
    char* end = nullptr;
    const unsigned long value = std::strtoul(text.c_str() + 1, &end, 16);
    if (*end != '\0') {
        return false;
    }
    colour = {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
    return true;
}

bool ParseColours(const std::string& text, std::vector<Colour>& colours) {
    size_t at = 0;
    while (at <= text.size()) {
        const size_t comma = std::min(text.find(',', at), text.size());
        Colour colour;
        if (!ParseColour(text.substr(at, comma - at), colour)) {
            return false;
        }
        colours.push_back(colour);
        at = comma + 1;
    }
    return colours.size() >= 2;
}

bool ParseNumber(const std::string& text, double& number) {
    char* end = nullptr;
    number = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

bool ParseStyle(int count, char** words, Style& style, std::string& error) {
    for (int i = 0; i < count; ++i) {
        const std::string word = words[i];
        const size_t equals = word.find('=');
        if (equals == std::string::npos) {
            error = "'" + word + "' is not name=value";
            return false;
        }
        const std::string name = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        double number = 0;
        bool ok = true;
        if (name == "cell") {
            ok = std::sscanf(value.c_str(), "%dx%d", &style.cellWidth, &style.cellHeight) == 2;
        } else if (name == "fill") {
            ok = ParseColours(value, style.fill);
        } else if (name == "outlinecolour") {
            ok = ParseColour(value, style.outlineColour);
        } else if ((ok = ParseNumber(value, number))) {
            if (name == "outline") {
                style.outline = number;
            } else if (name == "shadow") {
                style.shadow = static_cast<int>(number);
            } else if (name == "shadowalpha") {
                style.shadowAlpha = number;
            } else if (name == "blur") {
                style.blur = static_cast<int>(number);
            } else if (name == "condense") {
                style.condense = number;
            } else if (name == "tail") {
                style.tail = number;
            } else {
                error = "unknown setting '" + name + "'";
                return false;
            }
        }
        if (!ok) {
            error = "bad value in '" + word + "'";
            return false;
        }
    }
    if (style.cellWidth < 8 || style.cellHeight < 8 || style.fill.empty()) {
        error = "cell=WxH (at least 8x8) and fill=#rrggbb,#rrggbb... are needed";
        return false;
    }
    return true;
}

// One coverage layer (0 to 1 per pixel) the size of a cell.
struct Mask {
    int width = 0;
    int height = 0;
    std::vector<float> coverage;

    Mask(int w, int h) : width(w), height(h), coverage(static_cast<size_t>(w) * h, 0.0f) {}
    float& At(int x, int y) { return coverage[static_cast<size_t>(y) * width + x]; }
    float At(int x, int y) const { return coverage[static_cast<size_t>(y) * width + x]; }
};

// Softens the shadow: each pass spreads it by one pixel with the weights 1 2 1, along the
// rows and then the columns.
Mask Blurred(const Mask& mask, int passes) {
    Mask out = mask;
    auto at = [](const Mask& m, int x, int y) {
        return x >= 0 && y >= 0 && x < m.width && y < m.height ? m.At(x, y) : 0.0f;
    };
    for (int pass = 0; pass < passes; ++pass) {
        Mask rows(mask.width, mask.height);
        for (int y = 0; y < mask.height; ++y) {
            for (int x = 0; x < mask.width; ++x) {
                rows.At(x, y) = (at(out, x - 1, y) + 2 * at(out, x, y) + at(out, x + 1, y)) / 4;
            }
        }
        for (int y = 0; y < mask.height; ++y) {
            for (int x = 0; x < mask.width; ++x) {
                out.At(x, y) = (at(rows, x, y - 1) + 2 * at(rows, x, y) + at(rows, x, y + 1)) / 4;
            }
        }
    }
    return out;
}

Mask Shifted(const Mask& mask, int dx, int dy) {
    Mask out(mask.width, mask.height);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const int fromX = x - dx;
            const int fromY = y - dy;
            if (fromX >= 0 && fromY >= 0 && fromX < mask.width && fromY < mask.height) {
                out.At(x, y) = mask.At(fromX, fromY);
            }
        }
    }
    return out;
}

struct Box {
    double left = 0;
    double right = 0;
    double bottom = 0;
    double top = 0;
};

Box BoxOf(FT_Glyph glyph) {
    FT_BBox box;
    FT_Glyph_Get_CBox(glyph, FT_GLYPH_BBOX_SUBPIXELS, &box);
    return {box.xMin / 64.0, box.xMax / 64.0, box.yMin / 64.0, box.yMax / 64.0};
}

// The letters' outlines at one pixel size, in pixels with y up as FreeType has it.
class GlyphMaker {
public:
    GlyphMaker(FT_Library library, FT_Face face) : face_(face) { FT_Stroker_New(library, &stroker_); }
    ~GlyphMaker() { FT_Stroker_Done(stroker_); }
    GlyphMaker(const GlyphMaker&) = delete;
    GlyphMaker& operator=(const GlyphMaker&) = delete;

    // Sets the size; tails below the round letters' bottom (J, Q) are then squeezed to
    // reach at most tailShare of the capital height below the baseline, so two letters
    // do not shrink the whole alphabet.
    void SetSize(int pixels, double tailShare) {
        FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
        tailFloor_ = 0;
        tailRoom_ = 1e9;
        if (FT_Glyph round = Letter('O', 1.0)) {
            tailFloor_ = BoxOf(round).bottom;
            FT_Done_Glyph(round);
        }
        if (FT_Glyph flat = Letter('H', 1.0)) {
            tailRoom_ = BoxOf(flat).top * tailShare;
            FT_Done_Glyph(flat);
        }
    }

    // The letter narrowed by xScale and moved right by dx pixels; null when the font has none.
    FT_Glyph Letter(char letter, double xScale, double dx = 0) {
        FT_Matrix matrix = {static_cast<FT_Fixed>(std::lround(xScale * 65536)), 0, 0, 65536};
        FT_Vector delta = {static_cast<FT_Pos>(std::lround(dx * 64)), 0};
        FT_Set_Transform(face_, &matrix, &delta);
        FT_Glyph glyph = nullptr;
        const FT_UInt index =
            FT_Get_Char_Index(face_, static_cast<FT_ULong>(static_cast<unsigned char>(letter)));
        if (index == 0 || FT_Load_Glyph(face_, index, FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
            face_->glyph->format != FT_GLYPH_FORMAT_OUTLINE || FT_Get_Glyph(face_->glyph, &glyph) != 0) {
            return nullptr;
        }
        SqueezeTail(reinterpret_cast<FT_OutlineGlyph>(glyph)->outline);
        return glyph;
    }

    // The letter grown by the outline width on every side.
    FT_Glyph Outlined(FT_Glyph letter, double width) {
        FT_Glyph copy = nullptr;
        FT_Glyph_Copy(letter, &copy);
        FT_Stroker_Set(stroker_, static_cast<FT_Fixed>(width * 64), FT_STROKER_LINECAP_ROUND,
                       FT_STROKER_LINEJOIN_ROUND, 0);
        FT_Glyph_StrokeBorder(&copy, stroker_, false, true);
        return copy;
    }

private:
    void SqueezeTail(FT_Outline& outline) const {
        const double floor = tailFloor_ * 64;
        double deepest = floor;
        for (int i = 0; i < outline.n_points; ++i) {
            deepest = std::min(deepest, static_cast<double>(outline.points[i].y));
        }
        const double depth = floor - deepest;
        if (depth <= tailRoom_ * 64) {
            return;
        }
        const double keep = tailRoom_ * 64 / depth;
        for (int i = 0; i < outline.n_points; ++i) {
            FT_Pos& y = outline.points[i].y;
            if (y < floor) {
                y = static_cast<FT_Pos>(std::lround(floor + (y - floor) * keep));
            }
        }
    }

    FT_Face face_;
    FT_Stroker stroker_ = nullptr;
    double tailFloor_ = 0;
    double tailRoom_ = 0;
};

// Renders a glyph into a cell mask with its origin at (originX, baselineY) of the cell;
// returns false when any coverage would fall outside the cell.
bool Paint(FT_Glyph glyph, int originX, int baselineY, Mask& mask) {
    FT_Glyph copy = nullptr;
    FT_Glyph_Copy(glyph, &copy);
    if (FT_Glyph_To_Bitmap(&copy, FT_RENDER_MODE_NORMAL, nullptr, true) != 0) {
        FT_Done_Glyph(copy);
        return false;
    }
    const auto* bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(copy);
    const FT_Bitmap& bitmap = bitmapGlyph->bitmap;
    bool inside = true;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned column = 0; column < bitmap.width; ++column) {
            const unsigned char value = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column];
            if (value == 0) {
                continue;
            }
            const int x = originX + bitmapGlyph->left + static_cast<int>(column);
            const int y = baselineY - bitmapGlyph->top + static_cast<int>(row);
            if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) {
                inside = false;
                continue;
            }
            mask.At(x, y) = value / 255.0f;
        }
    }
    FT_Done_Glyph(copy);
    return inside;
}

// True when the cell's margin holds no coverage that would show once written out.
bool ClearOfEdges(const Mask& mask) {
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const bool edge =
                x < Margin || y < Margin || x >= mask.width - Margin || y >= mask.height - Margin;
            if (edge && mask.At(x, y) >= 0.5f / 255.0f) {
                return false;
            }
        }
    }
    return true;
}

cairo_surface_t* ToCairo(const Mask& mask) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, mask.width, mask.height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            const float value = std::clamp(mask.At(x, y), 0.0f, 1.0f);
            data[y * stride + x] = static_cast<unsigned char>(std::lround(value * 255));
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

void PaintThrough(cairo_t* cr, const Mask& mask, int cellX) {
    cairo_surface_t* surface = ToCairo(mask);
    cairo_mask_surface(cr, surface, cellX, 0);
    cairo_surface_destroy(surface);
}

// The rows or columns of a cell the outlined letter may cover: the margin stays clear on
// every side, also of the shadow, which drops down-right and spreads by the blur.
struct Span {
    int first = 0;
    int last = 0;
    int Length() const { return last - first + 1; }
};

Span InkSpan(int cellSize, const Style& style) {
    return {Margin + std::max(0, style.blur - style.shadow),
            cellSize - 1 - Margin - style.shadow - style.blur};
}

// Size and baseline shared by all letters.
struct Layout {
    int pixelSize = 0;
    int baseline = 0;   // row of the baseline, from the top of the cell
    double capTop = 0;  // height of the capitals above the baseline
};

// The largest size at which every outlined letter fits the cell's rows on one baseline.
bool FitHeight(GlyphMaker& maker, const Style& style, Layout& layout) {
    const Span rows = InkSpan(style.cellHeight, style);
    for (int pixels = style.cellHeight * 2; pixels >= 4; --pixels) {
        maker.SetSize(pixels, style.tail);
        double top = 0;
        double bottom = 0;
        double capTop = 0;
        for (int k = 0; k < Letters; ++k) {
            FT_Glyph letter = maker.Letter(static_cast<char>('A' + k), 1.0);
            if (letter == nullptr) {
                continue;
            }
            FT_Glyph outlined = maker.Outlined(letter, style.outline);
            const Box box = BoxOf(outlined);
            top = std::max(top, box.top);
            bottom = std::min(bottom, box.bottom);
            capTop = std::max(capTop, BoxOf(letter).top);
            FT_Done_Glyph(outlined);
            FT_Done_Glyph(letter);
        }
        const int baseline = rows.first + static_cast<int>(std::ceil(top));
        if (baseline - static_cast<int>(std::floor(bottom)) - 1 <= rows.last) {
            layout = {pixels, baseline, capTop};
            return true;
        }
    }
    return false;
}

// Draws letter k into its cell; false when it cannot be made to fit.
bool DrawLetter(cairo_t* cr, GlyphMaker& maker, const Style& style, const Layout& layout, int k) {
    const char letter = static_cast<char>('A' + k);
    FT_Glyph natural = maker.Letter(letter, 1.0);
    if (natural == nullptr) {
        std::fprintf(stderr, "fontgen: the font has no letter %c\n", letter);
        return false;
    }
    const Box box = BoxOf(natural);
    FT_Done_Glyph(natural);
    // Wide letters (M, W) are narrowed further so that they keep the height of the others;
    // one column is left for the sub-pixel placement below.
    const Span columns = InkSpan(style.cellWidth, style);
    const double inkWidth = box.right - box.left;
    const double xScale = std::min(style.condense, (columns.Length() - 1 - 2 * style.outline) / inkWidth);
    // Centre the ink, not the advance, in the columns the shadow leaves free.
    const double centre = (columns.first + columns.last + 1) / 2.0;
    const double originX = centre - (box.left + box.right) * xScale / 2.0;
    const int wholeX = static_cast<int>(std::floor(originX));
    FT_Glyph glyph = maker.Letter(letter, xScale, originX - wholeX);
    FT_Glyph outlined = maker.Outlined(glyph, style.outline);

    Mask fill(style.cellWidth, style.cellHeight);
    Mask border(style.cellWidth, style.cellHeight);
    bool fits =
        Paint(glyph, wholeX, layout.baseline, fill) && Paint(outlined, wholeX, layout.baseline, border);
    FT_Done_Glyph(glyph);
    FT_Done_Glyph(outlined);
    const Mask shadow = Blurred(Shifted(border, style.shadow, style.shadow), style.blur);
    fits = fits && ClearOfEdges(border) && ClearOfEdges(shadow);
    if (!fits) {
        std::fprintf(stderr, "fontgen: letter %c does not fit a %dx%d cell\n", letter, style.cellWidth,
                     style.cellHeight);
        return false;
    }

    const int cellX = k * style.cellWidth;
    cairo_set_source_rgba(cr, 0, 0, 0, style.shadowAlpha);
    PaintThrough(cr, shadow, cellX);
    const Colour& dark = style.outlineColour;
    cairo_set_source_rgb(cr, dark.r, dark.g, dark.b);
    PaintThrough(cr, border, cellX);
    cairo_pattern_t* gradient =
        cairo_pattern_create_linear(0, layout.baseline - layout.capTop, 0, layout.baseline);
    const double last = static_cast<double>(style.fill.size() - 1);
    for (size_t i = 0; i < style.fill.size(); ++i) {
        const Colour& c = style.fill[i];
        cairo_pattern_add_color_stop_rgb(gradient, static_cast<double>(i) / last, c.r, c.g, c.b);
    }
    cairo_set_source(cr, gradient);
    PaintThrough(cr, fill, cellX);
    cairo_pattern_destroy(gradient);
    return true;
}

bool MakeAlphabet(FT_Library library, FT_Face face, const Style& style, const char* output) {
    GlyphMaker maker(library, face);
    Layout layout;
    if (!FitHeight(maker, style, layout)) {
        std::fprintf(stderr, "fontgen: the letters do not fit a cell %d pixels high\n", style.cellHeight);
        return false;
    }
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Letters * style.cellWidth, style.cellHeight);
    cairo_t* cr = cairo_create(surface);
    bool made = true;
    for (int k = 0; k < Letters; ++k) {
        made = DrawLetter(cr, maker, style, layout, k) && made;
    }
    cairo_destroy(cr);
    if (made && cairo_surface_write_to_png(surface, output) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "fontgen: cannot write %s\n", output);
        made = false;
    }
    cairo_surface_destroy(surface);
    if (made) {
        std::printf("fontgen: %s, %dx%d cells, letters at %d px\n", output, style.cellWidth, style.cellHeight,
                    layout.pixelSize);
    }
    return made;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: fontgen FONT.ttf OUTPUT.png cell=WxH fill=#rrggbb,#rrggbb [name=value]...\n");
        return 2;
    }
    Style style;
    std::string error;
    if (!ParseStyle(argc - 3, argv + 3, style, error)) {
        std::fprintf(stderr, "fontgen: %s\n", error.c_str());
        return 2;
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[1], 0, &face) != 0) {
        std::fprintf(stderr, "fontgen: cannot open the font %s\n", argv[1]);
        return 1;
    }
    const bool made = MakeAlphabet(library, face, style, argv[2]);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return made ? 0 : 1;
}
