#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/GLPicture.h"
#include "support/GLTestWindow.h"

namespace {

using namespace std::string_literals;

// Damaged or hostile pictures: the size a header claims is checked before anything is decoded
// or allocated, and every refusal says where the file was and what is wrong with it.
class DamagedPicturesTest : public GLTestWindow {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir.File(name), std::ios::binary) << bytes;
        return dir.File(name);
    }
    // The reason a load failed, over a picture that held another: empty when it loaded.
    std::string LoadError(const std::string& path) {
        GLPicture picture;
        EXPECT_TRUE(picture.LoadPicture(Write("held.png", good), true, true));
        const bool loaded = picture.LoadPicture(path, true, true);
        EXPECT_EQ(picture.IsLoaded(), loaded) << "a failed load leaves the picture empty: " << path;
        return loaded ? "" : picture.LoadError();
    }
    static std::string TgaHeader(int width, int height) {
        std::string header(18, '\0');
        header[2] = 2;  // uncompressed true colour
        header[12] = static_cast<char>(width & 255);
        header[13] = static_cast<char>(width >> 8);
        header[14] = static_cast<char>(height & 255);
        header[15] = static_cast<char>(height >> 8);
        header[16] = 32;
        return header;
    }

    void SetUp() override {
        GLTestWindow::SetUp();
        ASSERT_TRUE(WritePng(dir.File("good.png"), 64, 64, std::vector<uint32_t>(64 * 64, Red)));
        std::ifstream file(dir.File("good.png"), std::ios::binary);
        good.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    TempDir dir;
    std::string good;  // a whole PNG file
};

TEST_F(DamagedPicturesTest, PicturesTooLargeAreRefusedFromTheirHeader) {
    ASSERT_TRUE(WritePng(dir.File("wide.png"), 20000, 2, std::vector<uint32_t>(40000, PackRGBA(1, 2, 3))));
    const std::pair<std::string, std::string> cases[] = {
        {Write("huge.tga", TgaHeader(65535, 65535)), "65535 x 65535 pixels"},
        {Write("row.tga", TgaHeader(65535, 1) + std::string(65535 * 4, 'x')), "65535 x 1 pixels"},
        {dir.File("wide.png"), "20000 x 2 pixels"},
        {Write("huge.bmp", "BM"s + std::string(12, '\0') + "\x28\0\0\0"s + "\xA0\x86\x01\0"s + "\x01\0\0\0"s +
                               std::string(30, '\0')),
         "100000 x 1 pixels"},
        {Write("huge.gif", "GIF89a\xFF\xFF\xFF\xFF"s + std::string(20, '\0')), "65535 x 65535 pixels"},
        {Write("huge.jpg", "\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xC0\x00\x11\x08\x40\x00\x40\x01"s +
                               std::string(20, '\0')),
         "16385 x 16384 pixels"},
        {Write("empty.tga", TgaHeader(0, 5)), "0 x 5 pixels"},
        // The sizes the decoders go by: a GIF's first image, larger than its screen; the JPEG frame
        // after a restart marker, which has no length to skip it by.
        {Write("screen.gif", "GIF89a\x10\0\x10\0\0\0\0,\0\0\0\0\0\x20\0\x20\0"s), "8192 x 8192 pixels"},
        {Write("restart.jpg",
               "\xFF\xD8\xFF\xD0\x00\x0F\xFF\xC0\x00\x0B\x08\xFF\xDC\xFF\xDC\x01\x01\x11\x00"s +
                   "\xFF\xC0\x00\x0B\x08\x00\x10\x00\x10\x01\x01\x11\x00"s),
         "65500 x 65500 pixels"},
    };
    for (const auto& [path, size] : cases) {
        const std::string error = LoadError(path);
        EXPECT_EQ(error.rfind(path + ": is " + size + "; at most", 0), 0u) << error;
    }
}

// The decoder is chosen by the name, whatever its case, and never by the bytes.
TEST_F(DamagedPicturesTest, EachFaultIsNamedWithTheFile) {
    ASSERT_TRUE(WriteTga(dir.File("targa.png"), 2, 2, {Red, Green, Blue, Yellow}));
    ASSERT_TRUE(WriteTga(dir.File("pic.tga"), 2, 2, {Red, Green, Blue, Yellow}));
    const std::pair<std::string, std::string> cases[] = {
        {Write("cut.png", good.substr(0, good.size() / 2)), ": is damaged (its chunk at byte 33 runs past"},
        // libpng is never told that a read ran short: past the end it reads stale bytes, and a
        // chunk like this one kept it reading them for ever.
        {Write("long-chunk.png", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\0:\0\0\0"s +
                                     "8\x08\x06\0\0\0\xAC\x73\xEB\x23"s + "\0\x08\0\x06bKGD"s +
                                     std::string(5000, 'x')),
         ": is damaged (its chunk at byte 33 runs past"},
        {Write("no-end.png", good.substr(0, good.size() - 12)),
         ": is damaged (it ends before its IEND chunk)"},
        {Write("text.png", "just some words, no picture"), ": is not a PNG picture"},
        {dir.File("targa.png"), ": is not a PNG picture"},
        {Write("notes.txt", good), ": has no picture extension"},
        {dir.File("missing.png"), ": not found"},
        {Write("empty.png", ""), ": cannot be read"},
    };
    for (const auto& [path, fault] : cases) {
        EXPECT_EQ(LoadError(path).rfind(path + fault, 0), 0u) << LoadError(path);
    }
    for (const std::string loads : {"good.png", "pic.tga"}) {
        EXPECT_EQ(LoadError(dir.File(loads)), "");
    }
    EXPECT_EQ(LoadError(Write("GOOD2.PNG", good)), "");
}

}  // namespace
