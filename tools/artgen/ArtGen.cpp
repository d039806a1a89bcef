// Renders the game's pictures from the vector drawings under assets/gfx.
//
// A drawing named after the file it makes is rendered as it is:
// assets/gfx/menu/intro.png.svg becomes data/gfx/menu/intro.png.
//
// A manifest (any *.pictures file) makes variants of one drawing, a line each:
//     cells/frog_blink.tga   pets/frog.svg   eyes=closed look=1
// output (under data/gfx), drawing (beside the manifest), then values for the
// drawing's {{name}} placeholders. Pictures take the drawing's own size.
//
// artgen --icon ICON.svg OUT.svg SIZE:OUT.png... makes the desktop icon: ICON.svg may
// take in a game drawing with {{include ../gfx/cells/pets/frog.svg look=1 ...}} (path from
// ICON.svg's folder, then its values); the whole is written as one SVG and as square PNGs.
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Canvas {
    cairo_surface_t* surface = nullptr;
    int width = 0;
    int height = 0;
};

// A size above 0 fits the drawing into a square of that many pixels.
bool RenderSvg(const std::string& svg, Canvas& canvas, std::string& error, int size = 0) {
    GError* gerror = nullptr;
    RsvgHandle* handle =
        rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &gerror);
    if (handle == nullptr) {
        error = gerror ? gerror->message : "unreadable drawing";
        g_clear_error(&gerror);
        return false;
    }
    gdouble width = 0;
    gdouble height = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height) || width < 1 || height < 1) {
        error = "the drawing needs a width and height in pixels";
        g_object_unref(handle);
        return false;
    }
    canvas.width = size > 0 ? size : static_cast<int>(width);
    canvas.height = size > 0 ? size : static_cast<int>(height);
    canvas.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, canvas.width, canvas.height);
    cairo_t* cr = cairo_create(canvas.surface);
    const RsvgRectangle viewport = {0, 0, static_cast<double>(canvas.width),
                                    static_cast<double>(canvas.height)};
    const bool drawn = rsvg_handle_render_document(handle, cr, &viewport, &gerror);
    cairo_destroy(cr);
    g_object_unref(handle);
    if (!drawn) {
        error = gerror ? gerror->message : "cannot draw";
        g_clear_error(&gerror);
        return false;
    }
    cairo_surface_flush(canvas.surface);
    return true;
}

// Cairo keeps colours premultiplied by alpha; files want them straight.
unsigned char Straight(unsigned premultiplied, unsigned alpha) {
    return static_cast<unsigned char>(alpha == 0 ? 0 : (premultiplied * 255 + alpha / 2) / alpha);
}

// Uncompressed 32-bit Targa, top row first, straight (not premultiplied) alpha.
bool WriteTga(const Canvas& canvas, const fs::path& target) {
    const unsigned char* data = cairo_image_surface_get_data(canvas.surface);
    const int stride = cairo_image_surface_get_stride(canvas.surface);
    std::vector<unsigned char> out(18 + static_cast<size_t>(canvas.width * canvas.height * 4));
    out[2] = 2;  // true colour
    out[12] = static_cast<unsigned char>(canvas.width & 0xFF);
    out[13] = static_cast<unsigned char>(canvas.width >> 8);
    out[14] = static_cast<unsigned char>(canvas.height & 0xFF);
    out[15] = static_cast<unsigned char>(canvas.height >> 8);
    out[16] = 32;
    out[17] = 0x28;  // 8 alpha bits, top-left origin
    size_t at = 18;
    for (int y = 0; y < canvas.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < canvas.width; ++x) {
            const uint32_t pixel = row[x];
            const unsigned alpha = pixel >> 24;
            out[at++] = Straight(pixel & 0xFF, alpha);
            out[at++] = Straight((pixel >> 8) & 0xFF, alpha);
            out[at++] = Straight((pixel >> 16) & 0xFF, alpha);
            out[at++] = static_cast<unsigned char>(alpha);
        }
    }
    std::ofstream file(target, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

// Magenta is the game's colour key: a visible pixel that comes out exactly
// (255, 0, 255), say at the soft edge of a glow, would turn transparent in the
// game. Such pixels are nudged to (254, 0, 254).
void AvoidColourKey(const Canvas& canvas) {
    unsigned char* data = cairo_image_surface_get_data(canvas.surface);
    const int stride = cairo_image_surface_get_stride(canvas.surface);
    for (int y = 0; y < canvas.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < canvas.width; ++x) {
            const uint32_t pixel = row[x];
            const unsigned alpha = pixel >> 24;
            const bool magenta = Straight((pixel >> 16) & 0xFF, alpha) == 255 &&
                                 Straight((pixel >> 8) & 0xFF, alpha) == 0 &&
                                 Straight(pixel & 0xFF, alpha) == 255;
            if (alpha != 0 && magenta) {
                const uint32_t nudged = (254 * alpha) / 255;
                row[x] = (alpha << 24) | (nudged << 16) | (pixel & 0xFF00) | nudged;
            }
        }
    }
    cairo_surface_mark_dirty(canvas.surface);
}

bool WritePicture(const Canvas& canvas, const fs::path& target) {
    AvoidColourKey(canvas);
    if (target.extension() == ".tga") {
        return WriteTga(canvas, target);
    }
    return cairo_surface_write_to_png(canvas.surface, target.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool ReadText(const fs::path& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    std::ostringstream contents;
    contents << file.rdbuf();
    text = contents.str();
    return true;
}

using Values = std::map<std::string, std::string>;

// Fills every {{name}} of the drawing; a name without a value is an error.
bool FillPlaceholders(std::string& svg, const Values& values, std::string& error) {
    std::string filled;
    size_t at = 0;
    while (true) {
        const size_t open = svg.find("{{", at);
        if (open == std::string::npos) {
            break;
        }
        const size_t close = svg.find("}}", open);
        if (close == std::string::npos) {
            error = "unclosed {{ in the drawing";
            return false;
        }
        const std::string name = svg.substr(open + 2, close - open - 2);
        auto value = values.find(name);
        if (value == values.end()) {
            error = "no value for {{" + name + "}}";
            return false;
        }
        filled += svg.substr(at, open - at) + value->second;
        at = close + 2;
    }
    svg = filled + svg.substr(at);
    return true;
}

bool MakePicture(const std::string& svg, const fs::path& target, std::string& error) {
    Canvas canvas;
    bool made = RenderSvg(svg, canvas, error);
    if (made) {
        fs::create_directories(target.parent_path());
        made = WritePicture(canvas, target);
        if (!made) {
            error = "cannot write " + target.string();
        }
    }
    if (canvas.surface != nullptr) {
        cairo_surface_destroy(canvas.surface);
    }
    return made;
}

// Reads "name=value" words into values.
bool ReadValues(std::istream& words, Values& values, std::string& error) {
    std::string pair;
    while (words >> pair) {
        const size_t equals = pair.find('=');
        if (equals == std::string::npos) {
            error = "'" + pair + "' is not name=value";
            return false;
        }
        values[pair.substr(0, equals)] = pair.substr(equals + 1);
    }
    return true;
}

// Replaces each {{include PATH name=value...}} with that drawing, its placeholders filled.
bool IncludeDrawings(std::string& svg, const fs::path& drawingsRoot, std::string& error) {
    const std::string mark = "{{include ";
    for (size_t open = svg.find(mark); open != std::string::npos; open = svg.find(mark, open)) {
        const size_t close = svg.find("}}", open);
        if (close == std::string::npos) {
            error = "unclosed {{include";
            return false;
        }
        std::istringstream words(svg.substr(open + mark.size(), close - open - mark.size()));
        std::string path;
        Values values;
        std::string drawing;
        if (!(words >> path) || !ReadValues(words, values, error)) {
            error = error.empty() ? "{{include needs a drawing" : error;
            return false;
        }
        if (!ReadText(drawingsRoot / path, drawing)) {
            error = "cannot read " + (drawingsRoot / path).string();
            return false;
        }
        if (!FillPlaceholders(drawing, values, error)) {
            error = path + ": " + error;
            return false;
        }
        svg.replace(open, close + 2 - open, drawing);
        open += drawing.size();
    }
    return true;
}

bool IsPictureName(const fs::path& path) {
    return path.extension() == ".png" || path.extension() == ".tga";
}

struct Tally {
    int made = 0;
    int failed = 0;
    void Count(bool ok, const std::string& where, const std::string& error) {
        if (ok) {
            ++made;
        } else {
            ++failed;
            std::fprintf(stderr, "%s: %s\n", where.c_str(), error.c_str());
        }
    }
};

void MakeFromManifest(const fs::path& manifest, const fs::path& targetRoot, Tally& tally) {
    std::ifstream lines(manifest);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string output;
        std::string drawing;
        if (!(words >> output)) {
            continue;
        }
        const std::string where = manifest.string() + ":" + std::to_string(number);
        if (!(words >> drawing) || !IsPictureName(output)) {
            tally.Count(false, where, "expected 'OUTPUT.png|tga DRAWING.svg [name=value]...'");
            continue;
        }
        Values values;
        std::string error;
        ReadValues(words, values, error);
        std::string svg;
        if (error.empty() && !ReadText(manifest.parent_path() / drawing, svg)) {
            error = "cannot read " + drawing;
        }
        const bool ok = error.empty() && FillPlaceholders(svg, values, error) &&
                        MakePicture(svg, targetRoot / output, error);
        tally.Count(ok, where, error);
    }
}

// The icon's SVG must stand alone once installed, so its drawings are taken in, not linked.
bool MakeIcon(const fs::path& icon, const fs::path& drawingsRoot, const fs::path& svgTarget,
              const std::vector<std::string>& sizedTargets, std::string& error) {
    std::string svg;
    if (!ReadText(icon, svg)) {
        error = "cannot read the drawing";
        return false;
    }
    if (!IncludeDrawings(svg, drawingsRoot, error) || !FillPlaceholders(svg, {}, error)) {
        return false;
    }
    if (!(std::ofstream(svgTarget, std::ios::binary) << svg)) {
        error = "cannot write " + svgTarget.string();
        return false;
    }
    for (const std::string& sizedTarget : sizedTargets) {
        const size_t colon = sizedTarget.find(':');
        const char* sizeEnd = sizedTarget.data() + (colon == std::string::npos ? 0 : colon);
        int size = 0;
        const auto [end, failure] = std::from_chars(sizedTarget.data(), sizeEnd, size);
        if (colon == std::string::npos || failure != std::errc() || end != sizeEnd || size < 16 ||
            size > 1024) {
            error = "'" + sizedTarget + "' is not SIZE:OUT.png with SIZE from 16 to 1024";
            return false;
        }
        Canvas canvas;
        const fs::path target = sizedTarget.substr(colon + 1);
        bool made = RenderSvg(svg, canvas, error, size);
        if (made && cairo_surface_write_to_png(canvas.surface, target.c_str()) != CAIRO_STATUS_SUCCESS) {
            error = "cannot write " + target.string();
            made = false;
        }
        if (canvas.surface != nullptr) {
            cairo_surface_destroy(canvas.surface);
        }
        if (!made) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 4 && std::string(argv[1]) == "--icon") {
        const fs::path icon = argv[2];
        std::string error;
        if (!MakeIcon(icon, icon.parent_path(), argv[3], {argv + 4, argv + argc}, error)) {
            std::fprintf(stderr, "%s: %s\n", icon.c_str(), error.c_str());
            return 1;
        }
        return 0;
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: artgen ASSETS_GFX_DIR OUTPUT_GFX_DIR\n"
                     "       artgen --icon ICON.svg OUT.svg SIZE:OUT.png...\n");
        return 2;
    }
    const fs::path sourceRoot = argv[1];
    const fs::path targetRoot = argv[2];
    Tally tally;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const fs::path& path = entry.path();
        if (!entry.is_regular_file()) {
            continue;
        }
        if (path.extension() == ".pictures") {
            MakeFromManifest(path, targetRoot, tally);
        } else if (path.extension() == ".svg" && IsPictureName(path.stem())) {
            // intro.png.svg -> intro.png
            std::string svg;
            std::string error;
            const bool ok =
                ReadText(path, svg) &&
                MakePicture(svg, targetRoot / fs::relative(path, sourceRoot).replace_extension(), error);
            tally.Count(ok, path.string(), error.empty() ? "cannot read the drawing" : error);
        }
    }
    std::printf("artgen: %d pictures made, %d failed\n", tally.made, tally.failed);
    return tally.failed == 0 ? 0 : 1;
}
