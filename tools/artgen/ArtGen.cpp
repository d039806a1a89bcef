// Renders the game's pictures from the vector drawings under assets/gfx.
// Each drawing is named after the file it makes: assets/gfx/cells/frog.tga.svg
// becomes data/gfx/cells/frog.tga, at the drawing's own size.
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Canvas {
    cairo_surface_t* surface = nullptr;
    int width = 0;
    int height = 0;
};

bool RenderSvg(const fs::path& source, Canvas& canvas, std::string& error) {
    GError* gerror = nullptr;
    RsvgHandle* handle = rsvg_handle_new_from_file(source.c_str(), &gerror);
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
    canvas.width = static_cast<int>(width);
    canvas.height = static_cast<int>(height);
    canvas.surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, canvas.width, canvas.height);
    cairo_t* cr = cairo_create(canvas.surface);
    const RsvgRectangle viewport = {0, 0, width, height};
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
            auto straight = [alpha](unsigned premultiplied) {
                return static_cast<unsigned char>(alpha == 0 ? 0 : (premultiplied * 255 + alpha / 2) / alpha);
            };
            out[at++] = straight(pixel & 0xFF);
            out[at++] = straight((pixel >> 8) & 0xFF);
            out[at++] = straight((pixel >> 16) & 0xFF);
            out[at++] = static_cast<unsigned char>(alpha);
        }
    }
    std::ofstream file(target, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

bool WritePicture(const Canvas& canvas, const fs::path& target) {
    if (target.extension() == ".tga") {
        return WriteTga(canvas, target);
    }
    return cairo_surface_write_to_png(canvas.surface, target.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool MakePicture(const fs::path& source, const fs::path& target) {
    Canvas canvas;
    std::string error;
    bool made = RenderSvg(source, canvas, error);
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
    if (!made) {
        std::fprintf(stderr, "%s: %s\n", source.c_str(), error.c_str());
    }
    return made;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: artgen ASSETS_GFX_DIR OUTPUT_GFX_DIR\n");
        return 2;
    }
    const fs::path sourceRoot = argv[1];
    const fs::path targetRoot = argv[2];
    int failures = 0;
    int made = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        if (!entry.is_regular_file() || entry.path().extension() != ".svg") {
            continue;
        }
        // frog.tga.svg -> frog.tga
        const fs::path relative = fs::relative(entry.path(), sourceRoot).replace_extension();
        if (MakePicture(entry.path(), targetRoot / relative)) {
            ++made;
        } else {
            ++failures;
        }
    }
    std::printf("artgen: %d pictures made, %d failed\n", made, failures);
    return failures == 0 ? 0 : 1;
}
