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

// Pets, stars, bubbles and viruses take each other's places on the board: their pictures share
// one size.
TEST_F(PicturesTest, EveryListedPictureIsBuiltAndDecodes) {
    ASSERT_GT(pictures.size(), 200u) << "the list of pictures is missing or cut short";
    Size cell;
    EXPECT_TRUE(SizeOf("data/gfx/cells/cat.tga", cell));
    std::vector<std::string> missing;
    std::vector<std::string> unreadable;
    std::vector<std::string> offSize;
    for (const std::string& picture : pictures) {
        const fs::path file = BuildDir() / picture;
        if (!fs::exists(file)) {
            missing.push_back(picture);
        } else if (Surface surface = Decode(file); !surface || surface->w < 1 || surface->h < 1) {
            unreadable.push_back(picture);
        } else if (picture.starts_with("data/gfx/cells/") && picture.ends_with(".tga") &&
                   (surface->w != cell.width || surface->h != cell.height)) {
            offSize.push_back(picture);
        }
    }
    EXPECT_THAT(missing, ::testing::IsEmpty()) << missing.size() << " pictures are not made by the build";
    EXPECT_THAT(unreadable, ::testing::IsEmpty());
    EXPECT_THAT(offSize, ::testing::IsEmpty()) << "cat.tga is " << cell.width << " x " << cell.height;
}

// What the screens assume about a picture's size, as smallest and largest width and height.
// Pictures not built yet are left to the test above.
TEST_F(PicturesTest, SizesTheScreensRelyOnHold) {
    constexpr int Any = 1 << 20;
    constexpr Size Screen{800, 600};
    constexpr Size Square{64, 65};
    struct SizeRule {
        const char* picture;
        Size least;
        Size most;
        const char* why;
    };
    const std::vector<SizeRule> rules = {
        {"menu/buttons.png", {0, 179}, {Any, Any}, "three 52-pixel faces at y 23, 75 and 127"},
        {"menu/menu_center.tga", {470, 0}, {470, 493}, "centred at x 165, foot within the screen"},
        {"menu/tandolo_logo5.png", {0, 0}, {760, 153}, "fits the 160-pixel band at 104% zoom"},
        {"menu/intro.png", Screen, Screen, "a full-screen backdrop"},
        {"menu/menu_bg.tga", Screen, Screen, "a full-screen backdrop"},
        {"menu/optionsmenu.png", {350, 0}, {800, 300}, "labels at x 230..575, ends above BACK at y 450"},
        {"menu/bar.png", {170, 0}, {Any, Any}, "a track from x 10 to 170"},
        {"menu/slider.png", {19, 17}, {Any, Any}, "the knob is cut at (9, 2), 10 x 15"},
        {"menu/cross.png", {63, 63}, {Any, Any}, "clicks land on x and y 21..62"},
        {"menu/nocross.png", {63, 63}, {Any, Any}, "clicks land on x and y 21..62"},
        {"general/level.png", {0, 0}, {450, Any}, "slides in to end at x 450 from the left edge"},
        {"general/game.png", {0, 0}, {380, Any}, "slides in to end at x 380 from the left edge"},
        {"general/cleared.png", {0, 0}, {380, Any}, "rests at x 420 within the screen"},
        {"general/over.png", {0, 0}, {380, Any}, "rests at x 420 within the screen"},
        {"general/tutor_menu.png", {580, 280}, Screen, "centred, holds the text at x 220..690, y 170..440"},
        {"items/xnumbers.tga", {121, 0}, {Any, Any}, "the count 5 is cut at x 102, 19 wide"},
        {"interface/numbers.tga", {170, 17}, {Any, Any}, "ten 17 x 17 digits side by side"},
        {"levelpresentation/mainnumbers.png", {9 * 53, 0}, {Any, Any}, "nine pieces 53 wide"},
        {"levelpresentation/worldnumbers.png", {8 * 57, 0}, {Any, Any}, "eight pieces 57 wide"},
        {"interface/sky_day.tga", Screen, Screen, "the scrolling sky"},
        {"interface/sunset.tga", Screen, Screen, "the scrolling sky"},
        {"interface/bg_stars.tga", Screen, Screen, "the scrolling sky"},
        {"grid/square_bgbgray.tga", Square, Square, "one board square"},
        {"grid/square_invert.tga", Square, Square, "one board square"},
        {"cells/cat.tga", {0, 0}, Square, "a pet fits its board square"},
    };
    for (const SizeRule& rule : rules) {
        Size s;
        if (SizeOf(std::string("data/gfx/") + rule.picture, s)) {
            EXPECT_TRUE(s.width >= rule.least.width && s.height >= rule.least.height &&
                        s.width <= rule.most.width && s.height <= rule.most.height)
                << rule.picture << " is " << s.width << " x " << s.height << ", but must be: " << rule.why;
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
