// The game's generated pictures and font, checked in the build's data directory: every picture
// the game opens is there and decodes, and the sizes the screens rely on hold.
#include <SDL_image.h>
#include <ft2build.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path BuildDir() {
    const char* buildDir = std::getenv("TANDOLO_BUILD_DIR");
    return buildDir != nullptr ? fs::path(buildDir) : fs::current_path();
}

// The list the contact sheets draw from, kept beside their tool in the repository.
std::vector<std::string> ListedPictures() {
    const fs::path list = fs::path(__FILE__).parent_path() / "../../tools/contactsheet/pictures.txt";
    std::ifstream lines(list);
    std::vector<std::string> pictures;
    std::string line;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        line.erase(line.find_last_not_of(" \t\r") + 1);
        if (!line.empty()) {
            pictures.push_back(line);
        }
    }
    return pictures;
}

struct SurfaceFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// Decodes as the game does: the extension picks the decoder (TGA has no signature), then
// 32-bit RGBA, red in the lowest byte.
Surface Decode(const fs::path& file) {
    std::string type = file.extension().string().substr(1);
    for (char& c : type) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    SDL_RWops* stream = SDL_RWFromFile(file.c_str(), "rb");
    if (stream == nullptr) {
        return nullptr;
    }
    Surface decoded(IMG_LoadTyped_RW(stream, 1, type.c_str()));
    if (!decoded) {
        return nullptr;
    }
    return Surface(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGBA32, 0));
}

uint8_t AlphaAt(const SDL_Surface& surface, int x, int y) {
    return static_cast<const uint8_t*>(surface.pixels)[y * surface.pitch + x * 4 + 3];
}

struct Size {
    int width = 0;
    int height = 0;
};

bool SizeOf(const std::string& picture, Size& size) {
    Surface surface = Decode(BuildDir() / picture);
    if (!surface) {
        return false;
    }
    size = {surface->w, surface->h};
    return true;
}

class PicturesTest : public ::testing::Test {
protected:
    const std::vector<std::string> pictures = ListedPictures();
};

TEST_F(PicturesTest, EveryListedPictureIsBuiltAndDecodes) {
    ASSERT_GT(pictures.size(), 200u) << "the list of pictures is missing or cut short";
    std::vector<std::string> missing;
    std::vector<std::string> unreadable;
    for (const std::string& picture : pictures) {
        const fs::path file = BuildDir() / picture;
        if (!fs::exists(file)) {
            missing.push_back(picture);
        } else if (Surface surface = Decode(file); !surface || surface->w < 1 || surface->h < 1) {
            unreadable.push_back(picture);
        }
    }
    EXPECT_THAT(missing, ::testing::IsEmpty()) << missing.size() << " pictures are not made by the build";
    EXPECT_THAT(unreadable, ::testing::IsEmpty());
}

// What the screens assume about a picture's size. Pictures not built yet are left to the
// test above.
struct SizeRule {
    const char* picture;
    const char* why;
    std::function<bool(Size)> holds;
};

TEST_F(PicturesTest, SizesTheScreensRelyOnHold) {
    const std::vector<SizeRule> rules = {
        {"data/gfx/menu/buttons.png", "three 52-pixel faces at y 23, 75 and 127",
         [](Size s) { return s.height >= 179; }},
        {"data/gfx/menu/menu_center.tga",
         "centred on the screen at x 165, foot at most at the screen's bottom",
         [](Size s) { return s.width == 470 && s.height <= 493; }},
        {"data/gfx/menu/tandolo_logo5.png", "fits the 160-pixel band above the panel at 104% zoom",
         [](Size s) { return s.width <= 760 && s.height * 104 <= 160 * 100; }},
        {"data/gfx/menu/intro.png", "a full-screen backdrop",
         [](Size s) { return s.width == 800 && s.height == 600; }},
        {"data/gfx/menu/menu_bg.tga", "a full-screen backdrop",
         [](Size s) { return s.width == 800 && s.height == 600; }},
        {"data/gfx/menu/optionsmenu.png", "holds the labels at x 230..575 and ends above BACK at y 450",
         [](Size s) { return s.width >= 350 && s.width <= 800 && s.height <= 300; }},
        {"data/gfx/menu/bar.png", "a track from x 10 to 170", [](Size s) { return s.width >= 170; }},
        {"data/gfx/menu/slider.png", "the knob is cut at (9, 2), 10 x 15",
         [](Size s) { return s.width >= 19 && s.height >= 17; }},
        {"data/gfx/menu/cross.png", "clicks land on x and y 21..62",
         [](Size s) { return s.width >= 63 && s.height >= 63; }},
        {"data/gfx/menu/nocross.png", "clicks land on x and y 21..62",
         [](Size s) { return s.width >= 63 && s.height >= 63; }},
        {"data/gfx/general/level.png", "slides in to end at x 450 from the left edge",
         [](Size s) { return s.width <= 450; }},
        {"data/gfx/general/game.png", "slides in to end at x 380 from the left edge",
         [](Size s) { return s.width <= 380; }},
        {"data/gfx/general/cleared.png", "rests at x 420 within the screen",
         [](Size s) { return s.width <= 380; }},
        {"data/gfx/general/over.png", "rests at x 420 within the screen",
         [](Size s) { return s.width <= 380; }},
        {"data/gfx/general/tutor_menu.png", "centred, it holds the tutorial text (x 220..690, y 170..440)",
         [](Size s) { return s.width >= 580 && s.width <= 800 && s.height >= 280 && s.height <= 600; }},
        {"data/gfx/items/xnumbers.tga", "the count 5 is cut at x 102, 19 wide",
         [](Size s) { return s.width >= 121; }},
        {"data/gfx/interface/numbers.tga", "ten 17 x 17 digits side by side",
         [](Size s) { return s.width >= 170 && s.height >= 17; }},
        {"data/gfx/levelpresentation/mainnumbers.png", "nine pieces 53 wide",
         [](Size s) { return s.width >= 9 * 53; }},
        {"data/gfx/levelpresentation/worldnumbers.png", "eight pieces 57 wide",
         [](Size s) { return s.width >= 8 * 57; }},
        {"data/gfx/interface/sky_day.tga", "the scrolling sky",
         [](Size s) { return s.width == 800 && s.height == 600; }},
        {"data/gfx/interface/sunset.tga", "the scrolling sky",
         [](Size s) { return s.width == 800 && s.height == 600; }},
        {"data/gfx/interface/bg_stars.tga", "the scrolling sky",
         [](Size s) { return s.width == 800 && s.height == 600; }},
        {"data/gfx/grid/square_bgbgray.tga", "one board square",
         [](Size s) { return s.width == 64 && s.height == 65; }},
        {"data/gfx/grid/square_invert.tga", "one board square",
         [](Size s) { return s.width == 64 && s.height == 65; }},
        {"data/gfx/cells/cat.tga", "a pet fits its board square",
         [](Size s) { return s.width <= 64 && s.height <= 65; }},
    };
    for (const SizeRule& rule : rules) {
        Size size;
        if (SizeOf(rule.picture, size)) {
            EXPECT_TRUE(rule.holds(size)) << rule.picture << " is " << size.width << " x " << size.height
                                          << ", but must be: " << rule.why;
        }
    }
}

// Pets, stars, bubbles and viruses take each other's places on the board.
TEST_F(PicturesTest, CellPicturesShareOneSize) {
    Size first;
    ASSERT_TRUE(SizeOf("data/gfx/cells/cat.tga", first));
    for (const std::string& picture : pictures) {
        Size size;
        if (picture.starts_with("data/gfx/cells/") && picture.ends_with(".tga") && SizeOf(picture, size)) {
            EXPECT_TRUE(size.width == first.width && size.height == first.height)
                << picture << " is " << size.width << " x " << size.height << ", cat.tga " << first.width
                << " x " << first.height;
        }
    }
}

// The bitmap fonts cut 26 equal cells, A to Z, from one strip: each cell must hold a letter
// that stays inside it, or the neighbours' edges show between the letters.
TEST_F(PicturesTest, AlphabetsHoldTwentySixSeparateLetters) {
    for (const char* alphabet : {"data/gfx/menu/abecedary.png", "data/gfx/menu/abecedary1.png"}) {
        SCOPED_TRACE(alphabet);
        Surface strip = Decode(BuildDir() / alphabet);
        ASSERT_TRUE(strip);
        ASSERT_EQ(strip->w % 26, 0) << "width " << strip->w;
        const int glyphWidth = strip->w / 26;
        for (int letter = 0; letter < 26; ++letter) {
            const int left = letter * glyphWidth;
            int visible = 0;
            int atEdges = 0;
            for (int y = 0; y < strip->h; ++y) {
                for (int x = left; x < left + glyphWidth; ++x) {
                    const bool edge = x == left || x == left + glyphWidth - 1;
                    const int alpha = AlphaAt(*strip, x, y);
                    visible += alpha > 128 ? 1 : 0;
                    atEdges += edge && alpha > 0 ? 1 : 0;
                }
            }
            const char name = static_cast<char>('A' + letter);
            EXPECT_GT(visible, glyphWidth) << "letter " << name << " is empty";
            EXPECT_EQ(atEdges, 0) << "letter " << name << " touches its cell's edge";
        }
    }
}

// artgen writes every TGA uncompressed with 32 bits and 8 alpha bits; a short file or a
// picture with no visible pixel would load as garbage or as nothing at all.
TEST_F(PicturesTest, TargaPicturesAreCompleteWithAlpha) {
    for (const std::string& picture : pictures) {
        if (!picture.ends_with(".tga") || !fs::exists(BuildDir() / picture)) {
            continue;
        }
        SCOPED_TRACE(picture);
        std::ifstream file(BuildDir() / picture, std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file),
                                         std::istreambuf_iterator<char>()};
        ASSERT_GE(bytes.size(), 18u);
        const size_t width = bytes[12] | bytes[13] << 8;
        const size_t height = bytes[14] | bytes[15] << 8;
        EXPECT_EQ(bytes[1], 0) << "colour map";
        EXPECT_EQ(bytes[2], 2) << "uncompressed true colour";
        EXPECT_EQ(bytes[16], 32) << "bits per pixel";
        EXPECT_EQ(bytes[17] & 0x0F, 8) << "alpha bits";
        ASSERT_EQ(bytes.size(), 18 + bytes[0] + width * height * 4) << width << " x " << height;
        bool anyVisible = false;
        for (size_t at = 18 + bytes[0] + 3; at < bytes.size() && !anyVisible; at += 4) {
            anyVisible = bytes[at] > 0;
        }
        EXPECT_TRUE(anyVisible) << "every pixel is transparent";
    }
}

TEST(FontFileTest, TheTutorialFontOpensWithFreeType) {
    const fs::path font = BuildDir() / "data/gfx/general/frahv.ttf";
    ASSERT_TRUE(fs::exists(font));
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, font.c_str(), 0, &face), 0);
    EXPECT_TRUE(FT_IS_SCALABLE(face));
    ASSERT_EQ(FT_Set_Pixel_Sizes(face, 0, 14), 0);
    EXPECT_GT(face->size->metrics.height >> 6, 0);
    // The tutorial pages are written in Latin-1: every printable code needs a glyph.
    for (FT_ULong code : {FT_ULong('A'), FT_ULong('z'), FT_ULong('\''), FT_ULong('!'), FT_ULong(0xE9)}) {
        EXPECT_NE(FT_Get_Char_Index(face, code), 0u) << "code " << code;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

}  // namespace
