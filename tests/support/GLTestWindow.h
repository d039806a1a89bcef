#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/PictureBank.h"

class GameWindow;

// One pixel as read back from the screen.
struct RGBA {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
    bool operator==(const RGBA&) const = default;
};
void PrintTo(const RGBA& pixel, std::ostream* out);
// A pixel whose colour channels are each within tolerance of expected's (alpha is not compared).
MATCHER_P2(NearColour, expected, tolerance, "") {
    return std::abs(arg.r - expected.r) <= tolerance && std::abs(arg.g - expected.g) <= tolerance &&
           std::abs(arg.b - expected.b) <= tolerance;
}

// Packs a pixel the way the engine's arrays hold it: red in the lowest byte.
constexpr uint32_t PackRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
    return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24;
}
// The plain colours the drawing tests paint with.
constexpr uint32_t Black = PackRGBA(0, 0, 0);
constexpr uint32_t White = PackRGBA(255, 255, 255);
constexpr uint32_t Red = PackRGBA(255, 0, 0);
constexpr uint32_t Green = PackRGBA(0, 255, 0);
constexpr uint32_t Blue = PackRGBA(0, 0, 255);
constexpr uint32_t Yellow = PackRGBA(255, 255, 0);
constexpr uint32_t Magenta = PackRGBA(255, 0, 255);
// A packed colour as it shows on an opaque screen.
constexpr RGBA Opaque(uint32_t packed) {
    return RGBA{uint8_t(packed), uint8_t(packed >> 8), uint8_t(packed >> 16), 255};
}

// Base of the tests that draw: the real game window (800 x 600, windowed, offscreen under
// test), made once per process and shared by every test; each test starts with the default
// view on a black screen and an empty picture bank of its own as App.pictures.
class GLTestWindow : public ::testing::Test {
protected:
    ~GLTestWindow() override;
    void SetUp() override;

    static GameWindow& Window();
    // Clears the whole back buffer to a colour given in bytes 0..255.
    static void ClearTo(int r, int g, int b);
    static void ClearTo(double, double, double) = delete;  // bytes, not 0..1 floats
    // The back buffer at logical screen coordinates (origin top-left, y down).
    static RGBA ReadPixel(int x, int y);
    // Whether exactly the rectangle is drawn in colour, judged without alpha by its corners
    // and by the pixels just outside each edge, which must differ.
    static ::testing::AssertionResult Drawn(RGBA colour, int x, int y, int width, int height);
    static ::testing::AssertionResult Drawn(uint32_t colour, int x, int y, int width, int height) {
        return Drawn(Opaque(colour), x, y, width, height);
    }

    PictureBank pictures;
};

// A fresh directory under /tmp, removed with everything in it when this goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

// Picture files for tests; pixels are width x height, rows top-down, packed with PackRGBA.
// withAlpha false writes a file without an alpha channel (the pixels' alpha is dropped).
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgbaPixels,
              bool withAlpha = true);
// 32-bit with alpha or 24-bit without, uncompressed.
bool WriteTga(const std::string& path, int width, int height, const std::vector<uint32_t>& rgbaPixels,
              bool withAlpha = true);
