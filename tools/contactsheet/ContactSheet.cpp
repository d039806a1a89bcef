// Draws every picture the game uses onto a few labelled PNG sheets, one per picture folder,
// so the whole set can be reviewed at a glance.
//
//     contactsheet PICTURES.txt BUILD_DIR OUTPUT_DIR
//
// PICTURES.txt names one picture a line ("data/gfx/menu/intro.png"; '#' starts a comment),
// relative to BUILD_DIR. Each picture sits on a checkerboard, so transparent parts show,
// with its name and size below it; pictures larger than a cell are scaled down to fit, small
// ones doubled, and long strips (fonts, number strips) get a row of their own. A
// picture that is missing or cannot be decoded shows as a red cell.
#include <SDL.h>
#include <SDL_image.h>
#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int CellWidth = 200;
constexpr int PictureArea = 150;  // height of the picture part of a cell
constexpr int LabelHeight = 34;
constexpr int CellHeight = PictureArea + LabelHeight;
constexpr int Gap = 10;
constexpr int Columns = 8;
constexpr int CellsPerSheet = 64;
constexpr int TitleHeight = 40;
constexpr int Checker = 8;

struct Entry {
    std::string path;  // as listed, e.g. data/gfx/menu/intro.png
    std::string name;  // below the folder, e.g. intro.png
};

// Pictures grouped by the folder below data/gfx, in list order.
using Groups = std::map<std::string, std::vector<Entry>>;

bool IsPicture(const fs::path& path) {
    return path.extension() == ".png" || path.extension() == ".tga";
}

bool ReadList(const fs::path& listFile, Groups& groups) {
    std::ifstream lines(listFile);
    if (!lines) {
        return false;
    }
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        line.erase(0, line.find_first_not_of(" \t"));
        line.erase(line.find_last_not_of(" \t\r") + 1);
        if (line.empty() || !IsPicture(line)) {
            continue;
        }
        // data/gfx/<folder>/<name...>
        const fs::path path = line;
        auto part = path.begin();
        std::string folder = "other";
        if (std::distance(path.begin(), path.end()) > 3) {
            std::advance(part, 2);
            folder = part->string();
        }
        const fs::path relative = fs::relative(path, fs::path("data/gfx") / folder);
        groups[folder].push_back({line, relative.string()});
    }
    return true;
}

// The picture as a cairo surface (premultiplied), or null when it cannot be read. The file's
// extension picks the decoder: TGA has no signature to recognise it by.
cairo_surface_t* LoadPicture(const fs::path& file) {
    std::string type = file.extension().string().substr(1);
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::toupper(c); });
    SDL_RWops* stream = SDL_RWFromFile(file.c_str(), "rb");
    if (stream == nullptr) {
        return nullptr;
    }
    SDL_Surface* decoded = IMG_LoadTyped_RW(stream, 1, type.c_str());
    if (decoded == nullptr) {
        return nullptr;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(decoded);
    if (argb == nullptr) {
        return nullptr;
    }
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, argb->w, argb->h);
    unsigned char* target = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < argb->h; ++y) {
        const auto* from = reinterpret_cast<const uint32_t*>(static_cast<const unsigned char*>(argb->pixels) +
                                                             y * argb->pitch);
        auto* to = reinterpret_cast<uint32_t*>(target + y * stride);
        for (int x = 0; x < argb->w; ++x) {
            const uint32_t pixel = from[x];
            const uint32_t alpha = pixel >> 24;
            auto premultiply = [alpha](uint32_t channel) { return (channel * alpha + 127) / 255; };
            to[x] = alpha << 24 | premultiply((pixel >> 16) & 0xFF) << 16 |
                    premultiply((pixel >> 8) & 0xFF) << 8 | premultiply(pixel & 0xFF);
        }
    }
    SDL_FreeSurface(argb);
    cairo_surface_mark_dirty(surface);
    return surface;
}

void DrawChecker(cairo_t* cr, double x, double y, double width, double height) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, width, height);
    cairo_clip(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.8, 0.8, 0.8);
    for (int row = 0; row * Checker < height; ++row) {
        for (int column = row % 2; column * Checker < width; column += 2) {
            cairo_rectangle(cr, x + column * Checker, y + row * Checker, Checker, Checker);
        }
    }
    cairo_fill(cr);
    cairo_restore(cr);
}

// One line of label text centred under a cell, shortened from the left when too long.
void DrawLabel(cairo_t* cr, std::string text, double centreX, double baseline, double size, double room) {
    cairo_set_font_size(cr, size);
    cairo_text_extents_t extents;
    cairo_text_extents(cr, text.c_str(), &extents);
    while (extents.x_advance > room - 4 && text.size() > 4) {
        text = "..." + text.substr(4);
        cairo_text_extents(cr, text.c_str(), &extents);
    }
    cairo_move_to(cr, centreX - extents.x_advance / 2, baseline);
    cairo_show_text(cr, text.c_str());
}

// A picture of the sheet, read before the layout because wide strips take a whole row.
struct Shown {
    const Entry* entry = nullptr;
    bool exists = false;
    cairo_surface_t* picture = nullptr;  // null when missing or unreadable

    bool IsStrip() const {
        if (picture == nullptr) {
            return false;
        }
        const int width = cairo_image_surface_get_width(picture);
        return width > CellWidth && width >= 4 * cairo_image_surface_get_height(picture);
    }
};

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
};

void DrawCell(cairo_t* cr, const Shown& shown, const Rect& cell) {
    const double centreX = cell.x + cell.width / 2;
    std::string sizeText = "-";
    if (shown.picture == nullptr) {
        cairo_set_source_rgb(cr, 0.85, 0.1, 0.1);
        cairo_rectangle(cr, cell.x, cell.y, cell.width, PictureArea);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 1, 1, 1);
        DrawLabel(cr, shown.exists ? "UNREADABLE" : "MISSING", centreX, cell.y + PictureArea / 2.0 + 8, 22,
                  cell.width);
    } else {
        const int width = cairo_image_surface_get_width(shown.picture);
        const int height = cairo_image_surface_get_height(shown.picture);
        // Small pictures are doubled so their details can be judged; large ones shrunk to fit.
        const double fit = std::min(cell.width / width, static_cast<double>(PictureArea) / height);
        const double scale = std::min(fit, width * 2 <= cell.width && height * 2 <= PictureArea ? 2.0 : 1.0);
        const double shownWidth = width * scale;
        const double shownHeight = height * scale;
        const double left = cell.x + (cell.width - shownWidth) / 2;
        const double top = cell.y + (PictureArea - shownHeight) / 2;
        DrawChecker(cr, left, top, shownWidth, shownHeight);
        cairo_save(cr);
        cairo_translate(cr, left, top);
        cairo_scale(cr, scale, scale);
        cairo_set_source_surface(cr, shown.picture, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr),
                                 scale < 1.0 ? CAIRO_FILTER_GOOD : CAIRO_FILTER_NEAREST);
        cairo_paint(cr);
        cairo_restore(cr);
        sizeText = std::to_string(width) + " x " + std::to_string(height);
        if (scale != 1.0) {
            sizeText += " (shown at " + std::to_string(static_cast<int>(scale * 100)) + "%)";
        }
    }
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    DrawLabel(cr, shown.entry->name, centreX, cell.y + PictureArea + 14, 12, cell.width);
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
    DrawLabel(cr, sizeText, centreX, cell.y + PictureArea + 28, 11, cell.width);
}

// Cells fill the rows left to right; a strip gets a row of its own.
std::vector<Rect> LayOut(const std::vector<Shown>& pictures, int columns, int& rows) {
    std::vector<Rect> cells;
    const double rowWidth = columns * (CellWidth + Gap) - Gap;
    int column = 0;
    rows = 0;
    for (const Shown& shown : pictures) {
        const bool strip = shown.IsStrip();
        if (column > 0 && (strip || column == columns)) {
            ++rows;
            column = 0;
        }
        const double y = TitleHeight + rows * (CellHeight + Gap);
        if (strip) {
            cells.push_back({Gap, y, rowWidth});
            ++rows;
        } else {
            cells.push_back({static_cast<double>(Gap + column * (CellWidth + Gap)), y, CellWidth});
            ++column;
        }
    }
    rows += column > 0 ? 1 : 0;
    return cells;
}

// Draws one sheet; returns the number of pictures that could not be shown.
int DrawSheet(const std::string& title, const std::vector<Entry>& entries, size_t from, size_t count,
              const fs::path& buildDir, const fs::path& output) {
    std::vector<Shown> pictures;
    int failed = 0;
    for (size_t i = from; i < from + count; ++i) {
        const fs::path file = buildDir / entries[i].path;
        Shown shown{&entries[i], fs::exists(file), nullptr};
        shown.picture = shown.exists ? LoadPicture(file) : nullptr;
        failed += shown.picture == nullptr ? 1 : 0;
        pictures.push_back(shown);
    }
    // At least three columns wide, so the heading fits over a short sheet.
    const int columns = static_cast<int>(std::clamp<size_t>(count, 3, Columns));
    int rows = 0;
    const std::vector<Rect> cells = LayOut(pictures, columns, rows);
    const int width = Gap + columns * (CellWidth + Gap);
    const int height = TitleHeight + rows * (CellHeight + Gap);
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.93, 0.93, 0.9);
    cairo_paint(cr);
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    for (size_t i = 0; i < pictures.size(); ++i) {
        DrawCell(cr, pictures[i], cells[i]);
        if (pictures[i].picture != nullptr) {
            cairo_surface_destroy(pictures[i].picture);
        }
    }
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 18);
    cairo_set_source_rgb(cr, failed > 0 ? 0.8 : 0.1, 0.1, 0.1);
    std::string heading = title + ": " + std::to_string(count) + " pictures";
    if (failed > 0) {
        heading += ", " + std::to_string(failed) + " missing or unreadable";
    }
    cairo_move_to(cr, Gap, 27);
    cairo_show_text(cr, heading.c_str());
    cairo_destroy(cr);
    if (cairo_surface_write_to_png(sheet, output.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "contactsheet: cannot write %s\n", output.c_str());
    }
    cairo_surface_destroy(sheet);
    return failed;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: contactsheet PICTURES.txt BUILD_DIR OUTPUT_DIR\n");
        return 2;
    }
    Groups groups;
    if (!ReadList(argv[1], groups)) {
        std::fprintf(stderr, "contactsheet: cannot read %s\n", argv[1]);
        return 1;
    }
    const fs::path buildDir = argv[2];
    const fs::path outputDir = argv[3];
    fs::create_directories(outputDir);
    int pictures = 0;
    int failed = 0;
    for (const auto& [folder, entries] : groups) {
        const size_t pages = (entries.size() + CellsPerSheet - 1) / CellsPerSheet;
        for (size_t page = 0; page < pages; ++page) {
            const size_t from = page * CellsPerSheet;
            const size_t count = std::min<size_t>(CellsPerSheet, entries.size() - from);
            std::string name = folder;
            if (pages > 1) {
                name += "-" + std::to_string(page + 1);
            }
            const fs::path output = outputDir / (name + ".png");
            failed += DrawSheet(name, entries, from, count, buildDir, output);
            pictures += static_cast<int>(count);
            std::printf("%s\n", output.c_str());
        }
    }
    std::printf("contactsheet: %d pictures, %d missing or unreadable\n", pictures, failed);
    return 0;
}
