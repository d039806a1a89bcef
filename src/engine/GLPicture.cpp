#include "engine/GLPicture.h"

#include <SDL_opengl.h>

#include <algorithm>
#include <vector>

#include "engine/EngineFile.h"
#include "engine/MessageBox.h"
#include "engine/PictureBlits.h"
#include "engine/PictureDecoder.h"
#include "engine/ScreenPixels.h"
#include "engine/ScreenPrimitives.h"
#include "engine/TexelBuffer.h"
#include "engine/TextureUpload.h"

namespace {

struct ScreenDescription {
    int width = 0;
    int height = 0;
    int depth = -1;
};
ScreenDescription screen;

constexpr bool DefaultLinearFiltering = false;

}  // namespace

GLPicture::GLPicture() {
    if (screen.width == 0) {
        ShowMessageBox("Screen Dimensions not specified, you will not see anything",
                       "GLPicture::SetScreenSize Not Called!");
    }
}

GLPicture::~GLPicture() {
    FreePicture();
}

void GLPicture::SetScreenSize(int width, int height, int depth) {
    screen = {width, height, depth};
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_FLAT);
}

int GLPicture::ScreenWidth() {
    return screen.width;
}

int GLPicture::ScreenHeight() {
    return screen.height;
}

void GLPicture::InvalidateBindCache() {
    ForgetBoundTexture();
}

int GLPicture::TextureSideFor(int width, int height) {
    const int larger = std::max(width, height);
    int side = 2;
    do {
        side *= 2;
    } while (side < larger);
    return side;
}

int GLPicture::MaxSide() {
    const int driverSide = MaxTextureSide();
    return driverSide > 0 ? std::min(driverSide, MaxPictureSide) : MaxPictureSide;
}

bool GLPicture::LoadPicture(const std::string& path, bool highQuality, bool keepAlpha) {
    FreePicture();
    std::vector<uint8_t> contents;
    std::string source;
    const int read = ReadWholeFile(path, contents, MaxWholeFileSize, &source);
    if (read != FileOk) {
        loadError_ =
            source + (read == FileNotFound ? ": not found" : ": cannot be read (empty, or over 64 MiB)");
        return false;
    }
    if (!DecodeAndBuild(path, contents.data(), contents.size(), true, highQuality, keepAlpha, keepAlpha)) {
        loadError_ = source + ": " + loadError_;
        return false;
    }
    return true;
}

bool GLPicture::LoadPictureFromMemory(const std::string& name, const void* data, size_t size,
                                      bool highQuality, bool keepAlpha) {
    FreePicture();
    return DecodeAndBuild(name, static_cast<const uint8_t*>(data), size, false, highQuality, keepAlpha, true);
}

bool GLPicture::DecodeAndBuild(const std::string& name, const uint8_t* data, size_t size, bool allowGif,
                               bool highQuality, bool keepAlpha, bool applyColorKey) {
    const std::string decoder = PictureDecoderFor(name, allowGif);
    if (decoder.empty()) {
        loadError_ = "has no picture extension (.png, .tga, .jpg, .bmp or .gif)";
        return false;
    }
    DecodedPicture image;
    if (!DecodePicture(data, size, decoder, MaxSide(), image, loadError_)) {
        return false;
    }
    if (applyColorKey && colorKeyOn_) {
        KeyOutColour(image.rgba, colorKey_);
    }
    const int side = TextureSideFor(image.width, image.height);
    const std::vector<uint8_t> texels = SquareTexels(image.rgba.data(), image.width, image.height, side);
    if (!UploadTexture(texels.data(), image.width, image.height, side,
                       TextureFormat(keepAlpha, highQuality))) {
        loadError_ = "the graphics driver refused its texture of " + std::to_string(side) + " x " +
                     std::to_string(side);
        return false;
    }
    loadError_.clear();
    linear_ = DefaultLinearFiltering;
    ApplyFiltering();
    ApplyWrap();
    return true;
}

bool GLPicture::UploadTexture(const uint8_t* texels, int width, int height, int side, int internalFormat) {
    const unsigned int name = CreateTexture(texels, side, internalFormat);
    if (name == 0) {
        return false;
    }
    texture_ = name;
    width_ = static_cast<float>(width);
    height_ = static_cast<float>(height);
    textureSide_ = static_cast<float>(side);
    return true;
}

// Pictures made in memory start with nearest filtering and clamped edges.
bool GLPicture::UploadUnfiltered(const uint8_t* texels, int width, int height, int side, int internalFormat) {
    if (!UploadTexture(texels, width, height, side, internalFormat)) {
        return false;
    }
    linear_ = false;
    wrapRepeat_ = false;
    ApplyFiltering();
    ApplyWrap();
    return true;
}

void GLPicture::FreePicture() {
    if (width_ != 0) {
        DeleteTexture(texture_);
        texture_ = 0;
        width_ = 0;
        height_ = 0;
        textureSide_ = 0;
    }
}

void GLPicture::SetLinearFiltering(bool linear) {
    linear_ = linear;
    if (IsLoaded()) {
        ApplyFiltering();
    }
}

void GLPicture::SetTextureWrap(bool repeat) {
    wrapRepeat_ = repeat;
    if (IsLoaded()) {
        ApplyWrap();
    }
}

void GLPicture::ApplyFiltering() {
    SetTextureFiltering(texture_, linear_);
}

void GLPicture::ApplyWrap() {
    ::SetTextureWrap(texture_, wrapRepeat_);
}

void GLPicture::SetColorKey(bool on, uint8_t red, uint8_t green, uint8_t blue) {
    colorKeyOn_ = on;
    colorKey_[0] = red;
    colorKey_[1] = green;
    colorKey_[2] = blue;
}

void GLPicture::SetColorModulation(float red, float green, float blue, float alpha) {
    blend_.SetModulation(red, green, blue, alpha);
}

void GLPicture::SetBlendMode(int mode) {
    blend_.SetMode(mode);
}

void GLPicture::FillRect(float x1, float y1, float x2, float y2, float red, float green, float blue,
                         float alpha) {
    FillScreenRect(screen.height, x1, y1, x2, y2, red, green, blue, alpha);
}

void GLPicture::DrawLine(float x1, float y1, float x2, float y2, float red, float green, float blue,
                         float alpha) {
    DrawScreenLine(screen.height, blend_, x1, y1, x2, y2, red, green, blue, alpha);
}

void GLPicture::PlotPixel(float x, float y, float red, float green, float blue, float alpha) {
    PlotScreenPixel(screen.height, blend_, x, y, red, green, blue, alpha);
}

BlitSource GLPicture::Source() const {
    return {texture_, textureSide_, screen.height, blend_};
}

void GLPicture::Blit(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY) {
    if (IsLoaded()) {
        DrawOpaque(Source(), sx1, sy1, sx2, sy2, dx, dy, flipX, flipY);
    }
}

void GLPicture::BlitTransformed(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                float zoom, bool flipX, bool flipY) {
    if (IsLoaded()) {
        DrawOpaqueTurned(Source(), sx1, sy1, sx2, sy2, dx, dy, angle, zoom, flipX, flipY);
    }
}

void GLPicture::BlitBlended(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                            bool flipY) {
    if (IsLoaded()) {
        DrawBlended(Source(), sx1, sy1, sx2, sy2, dx, dy, flipX, flipY);
    }
}

void GLPicture::BlitBlendedTransformed(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                       float angle, float zoom, float alpha, bool flipX, bool flipY,
                                       float pivotX, float pivotY) {
    if (IsLoaded()) {
        DrawBlendedTurned(Source(), sx1, sy1, sx2, sy2, dx, dy, angle, zoom, alpha, flipX, flipY, pivotX,
                          pivotY);
    }
}

void GLPicture::StretchBlended(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1, float dx2,
                               float dy2, float alpha, float angle, bool flipX, bool flipY, float pivotX,
                               float pivotY) {
    if (IsLoaded()) {
        DrawBlendedStretched(Source(), sx1, sy1, sx2, sy2, dx1, dy1, dx2, dy2, alpha, angle, flipX, flipY,
                             pivotX, pivotY);
    }
}

bool GLPicture::MakePictureFromArray(uint32_t* pixels, int width, int height, bool highQuality) {
    if (!pixels || width < 1 || height < 1 || width > MaxSide() || height > MaxSide()) {
        return false;
    }
    FreePicture();
    if (colorKeyOn_) {
        KeyOutColour(pixels, static_cast<size_t>(width) * height, colorKey_);
    }
    sourceArray_ = pixels;
    arrayHighQuality_ = highQuality;
    const int side = TextureSideFor(width, height);
    const std::vector<uint8_t> texels = SquareTexelsFromWords(pixels, width, height, side);
    return UploadUnfiltered(texels.data(), width, height, side, TextureFormat(true, highQuality));
}

void GLPicture::RefreshFromArray() {
    if (!sourceArray_ || !IsLoaded()) {
        return;
    }
    UpdateTexture(texture_, sourceArray_, static_cast<int>(width_), static_cast<int>(height_));
}

bool GLPicture::GrabBackBuffer(const PixelFilter& filter) {
    const int width = screen.width;
    const int height = screen.height;
    if (width < 1 || height < 1) {
        return false;
    }
    std::vector<uint8_t> pixels = ReadScreenPixels(width, height);
    if (pixels.empty()) {
        return false;
    }
    FreePicture();
    const int side = TextureSideFor(width, height);
    const std::vector<uint8_t> texels = OpaqueSquareTexels(pixels.data(), width, height, side, filter);
    return UploadUnfiltered(texels.data(), width, height, side, TextureFormat(true, true));
}

std::unique_ptr<GLPicture> CreatePicture() {
    return std::make_unique<GLPicture>();
}
