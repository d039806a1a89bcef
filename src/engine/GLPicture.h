#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/PictureBlend.h"

struct BlitSource;

// One decoded picture held as one square power-of-two OpenGL texture, with the
// blits the game draws with. Screen coordinates: origin top-left, y down,
// 800 x 600 logical pixels; angles in degrees, counter-clockwise on screen.
class GLPicture {
public:
    // Blend modes: 0 additive by destination alpha, 1 normal, 2 premultiplied, 3 darken.
    enum BlendMode : int { BlendAdditive = 0, BlendNormal = 1, BlendPremultiplied = 2, BlendDarken = 3 };
    // Called per pixel by GrabBackBuffer; may change the colour.
    using PixelFilter = std::function<void(int x, int y, uint8_t& r, uint8_t& g, uint8_t& b)>;

    GLPicture();
    virtual ~GLPicture();
    GLPicture(const GLPicture&) = delete;
    GLPicture& operator=(const GLPicture&) = delete;

    // Shared by all pictures: the logical screen size. Set by the window.
    static void SetScreenSize(int width, int height, int depth);
    static int ScreenWidth();
    static int ScreenHeight();
    // Forget the bound-texture record (after someone else bound or disabled texturing).
    static void InvalidateBindCache();
    // Side of the square texture used for a picture of that size (smallest is 4).
    static int TextureSideFor(int width, int height);

    // No picture is larger: its square texture takes 64 MiB already. A smaller limit of the
    // graphics driver wins.
    static constexpr int MaxPictureSide = 4096;
    static int MaxSide();

    // Reads the file through the file layer; the decoder is chosen by the name's extension.
    bool LoadPicture(const std::string& path, bool highQuality, bool keepAlpha);
    bool LoadPictureFromMemory(const std::string& name, const void* data, size_t size, bool highQuality,
                               bool keepAlpha);
    void FreePicture();
    float GetWidth() const { return width_; }
    float GetHeight() const { return height_; }
    int TextureSide() const { return static_cast<int>(textureSide_); }
    bool IsLoaded() const { return width_ != 0; }
    // Why the last load failed, where the data was looked for or found included; empty after a success.
    const std::string& LoadError() const { return loadError_; }

    void SetLinearFiltering(bool linear);
    void SetTextureWrap(bool repeat);
    void SetColorKey(bool on, uint8_t red, uint8_t green, uint8_t blue);
    void SetColorModulation(float red, float green, float blue, float alpha);
    void SetBlendMode(int mode);

    void FillRect(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha);
    void DrawLine(float x1, float y1, float x2, float y2, float red, float green, float blue, float alpha);
    void PlotPixel(float x, float y, float red, float green, float blue, float alpha);

    void Blit(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY);
    void BlitTransformed(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                         float zoom, bool flipX, bool flipY);
    void BlitBlended(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY);
    // The sprite draw: zoom and angle about the drawn rectangle's centre moved by the pivot.
    void BlitBlendedTransformed(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                float zoom, float alpha, bool flipX, bool flipY, float pivotX, float pivotY);
    void StretchBlended(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1, float dx2,
                        float dy2, float alpha, float angle, bool flipX, bool flipY, float pivotX,
                        float pivotY);

    // pixels: width x height RGBA bytes (red in the lowest byte of each 32-bit word),
    // owned by the caller and kept for RefreshFromArray.
    bool MakePictureFromArray(uint32_t* pixels, int width, int height, bool highQuality);
    void RefreshFromArray();
    // A picture of the whole logical screen as drawn so far.
    bool GrabBackBuffer(const PixelFilter& filter = nullptr);

private:
    bool DecodeAndBuild(const std::string& name, const uint8_t* data, size_t size, bool allowGif,
                        bool highQuality, bool keepAlpha, bool applyColorKey);
    // texels: side x side, top-down; becomes the picture's texture.
    bool UploadTexture(const uint8_t* texels, int width, int height, int side, int internalFormat);
    bool UploadUnfiltered(const uint8_t* texels, int width, int height, int side, int internalFormat);
    void ApplyFiltering();
    void ApplyWrap();
    // What the blits need of the picture.
    BlitSource Source() const;

    PictureBlend blend_;
    unsigned int texture_ = 0;
    float textureSide_ = 0;
    bool wrapRepeat_ = false;
    bool linear_ = false;
    bool colorKeyOn_ = false;
    uint8_t colorKey_[3] = {0, 0, 0};
    float width_ = 0;
    float height_ = 0;
    uint32_t* sourceArray_ = nullptr;
    bool arrayHighQuality_ = false;
    std::string loadError_;
};

std::unique_ptr<GLPicture> CreatePicture();
