// The game's generated pictures and font, checked in the build's data directory: every picture
// the game opens is there and decodes, and the sizes the screens rely on hold.
#include <SDL_image.h>
#include <ft2build.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cctype>
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
    std::transform(type.begin(), type.end(), type.begin(), [](unsigned char c) { return std::toupper(c); });
    const Surface decoded(IMG_LoadTyped_RW(SDL_RWFromFile(file.c_str(), "rb"), 1, type.c_str()));
    return Surface(decoded ? SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_RGBA32, 0) : nullptr);
}

uint8_t AlphaAt(const SDL_Surface& surface, int x, int y) {
    return static_cast<const uint8_t*>(surface.pixels)[y * surface.pitch + x * 4 + 3];
}

// SDL_image decodes a cut-short TGA without complaint. artgen writes them uncompressed with
// 32 bits a pixel, so the length follows from the header.
bool TargaComplete(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return bytes.size() >= 18 && bytes[2] == 2 && bytes[16] == 32 &&
           bytes.size() ==
               18u + bytes[0] + size_t(bytes[12] | bytes[13] << 8) * (bytes[14] | bytes[15] << 8) * 4;
}

bool AnyVisible(const SDL_Surface& surface) {
    for (int y = 0; y < surface.h; ++y) {
        for (int x = 0; x < surface.w; ++x) {
            if (AlphaAt(surface, x, y) > 0) {
                return true;
            }
        }
    }
    return false;
}

class PicturesTest : public ::testing::Test {
protected:
    const std::vector<std::string> pictures = ListedPictures();
};

// Every listed picture is built and decodes with a visible pixel. Pets, stars, bubbles and
// viruses take each other's places on the board: their pictures share one size.
TEST_F(PicturesTest, EveryListedPictureIsBuiltAndDecodes) {
    ASSERT_GT(pictures.size(), 200u) << "the list of pictures is missing or cut short";
    const Surface cat = Decode(BuildDir() / "data/gfx/cells/cat.tga");
    ASSERT_TRUE(cat);
    std::vector<std::string> missing, unreadable, invisible, offSize;
    for (const std::string& picture : pictures) {
        const Surface surface = Decode(BuildDir() / picture);
        if (!fs::exists(BuildDir() / picture)) {
            missing.push_back(picture);
        } else if (!surface || surface->w < 1 || surface->h < 1 ||
                   (picture.ends_with(".tga") && !TargaComplete(BuildDir() / picture))) {
            unreadable.push_back(picture);
        } else if (!AnyVisible(*surface)) {
            invisible.push_back(picture);
        } else if (picture.starts_with("data/gfx/cells/") && picture.ends_with(".tga") &&
                   (surface->w != cat->w || surface->h != cat->h)) {
            offSize.push_back(picture);
        }
    }
    EXPECT_THAT(missing, ::testing::IsEmpty()) << missing.size() << " pictures are not made by the build";
    EXPECT_THAT(unreadable, ::testing::IsEmpty());
    EXPECT_THAT(invisible, ::testing::IsEmpty()) << "every pixel is transparent";
    EXPECT_THAT(offSize, ::testing::IsEmpty()) << "cat.tga is " << cat->w << " x " << cat->h;
}

// What the screens assume about a picture's size, as smallest and largest width and height.
// Pictures not built yet are left to the test above.
TEST_F(PicturesTest, SizesTheScreensRelyOnHold) {
    struct Size {
        int width = 0;
        int height = 0;
    };
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
        if (const Surface s = Decode(BuildDir() / "data/gfx" / rule.picture)) {
            EXPECT_TRUE(s->w >= rule.least.width && s->h >= rule.least.height && s->w <= rule.most.width &&
                        s->h <= rule.most.height)
                << rule.picture << " is " << s->w << " x " << s->h << ", but must be: " << rule.why;
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
            int visible = 0;
            int atEdges = 0;
            for (int y = 0; y < strip->h; ++y) {
                for (int x = 0; x < glyphWidth; ++x) {
                    const int alpha = AlphaAt(*strip, letter * glyphWidth + x, y);
                    visible += alpha > 128 ? 1 : 0;
                    atEdges += (x == 0 || x == glyphWidth - 1) && alpha > 0 ? 1 : 0;
                }
            }
            const char name = static_cast<char>('A' + letter);
            EXPECT_GT(visible, glyphWidth) << "letter " << name << " is empty";
            EXPECT_EQ(atEdges, 0) << "letter " << name << " touches its cell's edge";
        }
    }
}

TEST(FontFileTest, TheTutorialFontOpensWithFreeType) {
    const fs::path font = BuildDir() / "data/gfx/general/frahv.ttf";
    ASSERT_TRUE(fs::exists(font));
    FT_Library library = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face = nullptr;
    ASSERT_EQ(FT_New_Face(library, font.c_str(), 0, &face), 0);
    EXPECT_EQ(FT_Set_Pixel_Sizes(face, 0, 14), 0);
    // The tutorial pages are written in Latin-1: every printable code needs a glyph.
    for (FT_ULong code : {FT_ULong('A'), FT_ULong('z'), FT_ULong('\''), FT_ULong('!'), FT_ULong(0xE9)}) {
        EXPECT_NE(FT_Get_Char_Index(face, code), 0u) << "code " << code;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

}  // namespace
