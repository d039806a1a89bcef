#include "engine/GLPicture.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "engine/EngineFile.h"
#include "engine/MessageBox.h"
#include "engine/ScreenPixels.h"

namespace {

struct ScreenDescription {
    int width = 0;
    int height = 0;
    int depth = -1;
};
ScreenDescription screen;

// The texture last bound through Bind; NoTexture after anything else touched the binding.
constexpr long long NoTexture = -1;
long long boundTexture = NoTexture;

constexpr bool DefaultLinearFiltering = false;

float Truncate(float value) {
    return static_cast<float>(static_cast<int>(value));
}

float Clamp01(float value) {
    return std::clamp(value, 0.0f, 1.0f);
}

// The decoder for a file name: substring tests where a later match wins. Empty: no decoder.
std::string DecoderTypeFor(std::string name, bool allowGif) {
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const char* const extensions[][2] = {
        {".tga", "TGA"}, {".jpg", "JPG"}, {".bmp", "BMP"}, {".png", "PNG"}, {".gif", "GIF"}};
    const size_t count = allowGif ? 5 : 4;
    std::string type;
    for (size_t i = 0; i < count; ++i) {
        if (name.find(extensions[i][0]) != std::string::npos) {
            type = extensions[i][1];
        }
    }
    return type;
}

SDL_Surface* DecodeRgba(const uint8_t* data, size_t size, const std::string& type) {
    if (!data || size == 0 || size > static_cast<size_t>(INT32_MAX)) {
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!stream) {
        return nullptr;
    }
    SDL_Surface* decoded = IMG_LoadTyped_RW(stream, 1, type.c_str());
    if (!decoded) {
        return nullptr;
    }
    // Red, green, blue, alpha bytes in memory order; alpha 255 where the file has none.
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(decoded, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(decoded);
    return rgba;
}

void EnableTexturing() {
    glEnable(GL_TEXTURE_2D);
}

void DisableTexturing() {
    glDisable(GL_TEXTURE_2D);
    boundTexture = NoTexture;
}

}  // namespace

GLPicture::GLPicture() : blendSource_(GL_SRC_ALPHA), blendDestination_(GL_ONE_MINUS_SRC_ALPHA) {
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
    boundTexture = NoTexture;
}

int GLPicture::TextureSideFor(int width, int height) {
    const int larger = std::max(width, height);
    int side = 2;
    do {
        side *= 2;
    } while (side < larger);
    return side;
}

bool GLPicture::LoadPicture(const std::string& path, bool highQuality, bool keepAlpha) {
    FreePicture();
    std::vector<uint8_t> contents;
    if (ReadWholeFile(path, contents) != FileOk) {
        return false;
    }
    return DecodeAndBuild(path, contents.data(), contents.size(), true, highQuality, keepAlpha, keepAlpha);
}

bool GLPicture::LoadPictureFromMemory(const std::string& name, const void* data, size_t size,
                                      bool highQuality, bool keepAlpha) {
    FreePicture();
    return DecodeAndBuild(name, static_cast<const uint8_t*>(data), size, false, highQuality, keepAlpha, true);
}

bool GLPicture::DecodeAndBuild(const std::string& name, const uint8_t* data, size_t size, bool allowGif,
                               bool highQuality, bool keepAlpha, bool applyColorKey) {
    const std::string type = DecoderTypeFor(name, allowGif);
    if (type.empty()) {
        return false;
    }
    SDL_Surface* image = DecodeRgba(data, size, type);
    if (!image) {
        return false;
    }
    const int width = image->w;
    const int height = image->h;
    const int side = TextureSideFor(width, height);
    std::vector<uint8_t> texels(static_cast<size_t>(side) * side * 4, 0);
    SDL_LockSurface(image);
    for (int y = 0; y < height; ++y) {
        const uint8_t* source =
            static_cast<const uint8_t*>(image->pixels) + static_cast<size_t>(y) * image->pitch;
        uint8_t* target = texels.data() + static_cast<size_t>(y) * side * 4;
        std::copy(source, source + static_cast<size_t>(width) * 4, target);
        if (!applyColorKey || !colorKeyOn_) {
            continue;
        }
        for (int x = 0; x < width; ++x) {
            uint8_t* texel = target + x * 4;
            if (texel[0] == colorKey_[0] && texel[1] == colorKey_[1] && texel[2] == colorKey_[2]) {
                texel[3] = 0;
            }
        }
    }
    SDL_UnlockSurface(image);
    SDL_FreeSurface(image);

    const int internalFormat =
        keepAlpha ? (highQuality ? GL_RGBA8 : GL_RGBA) : (highQuality ? GL_RGB8 : GL_RGB);
    if (!UploadTexture(texels.data(), width, height, side, internalFormat)) {
        return false;
    }
    linear_ = DefaultLinearFiltering;
    ApplyFiltering();
    ApplyWrap();
    return true;
}

bool GLPicture::UploadTexture(const uint8_t* rgba, int width, int height, int side, int internalFormat) {
    GLuint name = 0;
    glGenTextures(1, &name);
    if (name == 0) {
        return false;
    }
    texture_ = name;
    EnableTexturing();
    glBindTexture(GL_TEXTURE_2D, texture_);
    boundTexture = texture_;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    width_ = static_cast<float>(width);
    height_ = static_cast<float>(height);
    textureSide_ = static_cast<float>(side);
    return true;
}

void GLPicture::FreePicture() {
    if (width_ != 0) {
        if (boundTexture == texture_) {
            boundTexture = NoTexture;
        }
        glDeleteTextures(1, &texture_);
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
    Bind();
    const GLint filter = linear_ ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

void GLPicture::ApplyWrap() {
    Bind();
    const GLint wrap = wrapRepeat_ ? GL_REPEAT : GL_CLAMP;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

void GLPicture::SetColorKey(bool on, uint8_t red, uint8_t green, uint8_t blue) {
    colorKeyOn_ = on;
    colorKey_[0] = red;
    colorKey_[1] = green;
    colorKey_[2] = blue;
}

void GLPicture::SetColorModulation(float red, float green, float blue, float alpha) {
    if (red == 1.0f && green == 1.0f && blue == 1.0f && alpha == 1.0f) {
        modulationOn_ = false;
        return;
    }
    modulation_[0] = Clamp01(red);
    modulation_[1] = Clamp01(green);
    modulation_[2] = Clamp01(blue);
    modulation_[3] = Clamp01(alpha);
    modulationOn_ = true;
}

void GLPicture::SetBlendMode(int mode) {
    switch (mode) {
        case BlendAdditive:
            blendSource_ = GL_SRC_ALPHA;
            blendDestination_ = GL_DST_ALPHA;
            break;
        case BlendNormal:
            blendSource_ = GL_SRC_ALPHA;
            blendDestination_ = GL_ONE_MINUS_SRC_ALPHA;
            break;
        case BlendPremultiplied:
            blendSource_ = GL_ONE;
            blendDestination_ = GL_ONE_MINUS_SRC_ALPHA;
            break;
        case BlendDarken:
            blendSource_ = GL_ZERO;
            blendDestination_ = GL_ONE_MINUS_SRC_ALPHA;
            break;
        default:
            break;
    }
}

void GLPicture::Bind() {
    if (boundTexture == texture_) {
        return;
    }
    EnableTexturing();
    glBindTexture(GL_TEXTURE_2D, texture_);
    boundTexture = texture_;
}

void GLPicture::EnableBlending() const {
    glEnable(GL_BLEND);
    glBlendFunc(static_cast<GLenum>(blendSource_), static_cast<GLenum>(blendDestination_));
}

void GLPicture::FillRect(float x1, float y1, float x2, float y2, float red, float green, float blue,
                         float alpha) {
    DisableTexturing();
    if (alpha == 1.0f) {
        glDisable(GL_BLEND);
        glColor3f(red, green, blue);
    } else {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(red, green, blue, alpha);
    }
    const int h = screen.height;
    const int left = static_cast<int>(x1);
    const int right = static_cast<int>(x2);
    const int top = h - static_cast<int>(y1);
    const int bottom = h - static_cast<int>(y2);
    glBegin(GL_QUADS);
    glVertex2i(left, top);
    glVertex2i(right, top);
    glVertex2i(right, bottom);
    glVertex2i(left, bottom);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

// Lines and points go through pixel centres, so (x, y) lights exactly pixel (x, y).
void GLPicture::DrawLine(float x1, float y1, float x2, float y2, float red, float green, float blue,
                         float alpha) {
    DisableTexturing();
    EnableBlending();
    glColor4f(red, green, blue, alpha);
    const float h = static_cast<float>(screen.height);
    glBegin(GL_LINES);
    glVertex2f(x1 + 0.5f, h - y1 - 0.5f);
    glVertex2f(x2 + 0.5f, h - y2 - 0.5f);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

void GLPicture::PlotPixel(float x, float y, float red, float green, float blue, float alpha) {
    DisableTexturing();
    EnableBlending();
    glColor4f(red, green, blue, alpha);
    glBegin(GL_POINTS);
    glVertex2f(x + 0.5f, static_cast<float>(screen.height) - y - 0.5f);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

void GLPicture::DrawQuad(float sx1, float sy1, float sx2, float sy2, float left, float top, bool flipX,
                         bool flipY) {
    DrawQuadTo(sx1, sy1, sx2, sy2, left, top, left + Truncate(sx2 - sx1), top - Truncate(sy2 - sy1), flipX,
               flipY);
}

void GLPicture::DrawQuadTo(float sx1, float sy1, float sx2, float sy2, float left, float top, float right,
                           float bottom, bool flipX, bool flipY) {
    const float side = textureSide_;
    const float s1 = sx1 / side;
    const float s2 = sx2 / side;
    const float t1 = sy1 / side;
    const float t2 = sy2 / side;
    const float leftS = flipX ? s2 : s1;
    const float rightS = flipX ? s1 : s2;
    const float topT = flipY ? t2 : t1;
    const float bottomT = flipY ? t1 : t2;
    glBegin(GL_QUADS);
    glTexCoord2f(leftS, topT);
    glVertex3f(left, top, 0);
    glTexCoord2f(leftS, bottomT);
    glVertex3f(left, bottom, 0);
    glTexCoord2f(rightS, bottomT);
    glVertex3f(right, bottom, 0);
    glTexCoord2f(rightS, topT);
    glVertex3f(right, top, 0);
    glEnd();
}

void GLPicture::DrawAboutCentre(float sx1, float sy1, float sx2, float sy2, float centreX, float centreY,
                                float angle, float zoom, float left, float top, bool flipX, bool flipY) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glTranslatef(centreX, centreY, 0);
    if (angle != 0) {
        glRotatef(angle, 0, 0, 1);
    }
    if (zoom != 1) {
        glScalef(zoom, zoom, 1);
    }
    DrawQuad(sx1, sy1, sx2, sy2, Truncate(left), Truncate(top), flipX, flipY);
    glPopMatrix();
}

void GLPicture::Blit(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX, bool flipY) {
    if (!IsLoaded()) {
        return;
    }
    glDisable(GL_BLEND);
    Bind();
    // An opaque copy shows the picture's own colours, whatever tint an earlier draw left.
    glColor4f(1, 1, 1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    DrawQuad(sx1, sy1, sx2, sy2, dx, static_cast<float>(screen.height) - dy, flipX, flipY);
    glPopMatrix();
}

void GLPicture::BlitTransformed(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                                float zoom, bool flipX, bool flipY) {
    if (!IsLoaded() || zoom == 0) {
        return;
    }
    const float halfW = (sx2 - sx1) / 2;
    const float halfH = (sy2 - sy1) / 2;
    glDisable(GL_BLEND);
    Bind();
    glColor4f(1, 1, 1, 1);
    DrawAboutCentre(sx1, sy1, sx2, sy2, dx + halfW, static_cast<float>(screen.height) - dy - halfH, angle,
                    zoom, -halfW, halfH, flipX, flipY);
}

// The modulation colour, its alpha scaled by the draw's own alpha; white without modulation.
void GLPicture::ApplyDrawColour(float alpha) const {
    if (modulationOn_) {
        glColor4f(modulation_[0], modulation_[1], modulation_[2], alpha * modulation_[3]);
    } else {
        glColor4f(1, 1, 1, alpha);
    }
}

void GLPicture::BlitBlended(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                            bool flipY) {
    if (!IsLoaded()) {
        return;
    }
    Bind();
    EnableBlending();
    ApplyDrawColour(1.0f);
    DrawQuad(sx1, sy1, sx2, sy2, dx, static_cast<float>(screen.height) - dy, flipX, flipY);
}

void GLPicture::BlitBlendedTransformed(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                       float angle, float zoom, float alpha, bool flipX, bool flipY,
                                       float pivotX, float pivotY) {
    if (!IsLoaded() || zoom == 0 || alpha <= 0) {
        return;
    }
    ApplyDrawColour(alpha);
    Bind();
    EnableBlending();
    const float screenTop = static_cast<float>(screen.height) - dy;
    if (angle != 0 || zoom != 1) {
        const float toCentreX = (sx2 - sx1) / 2 + pivotX;
        const float toCentreY = (sy2 - sy1) / 2 + pivotY;
        DrawAboutCentre(sx1, sy1, sx2, sy2, dx + toCentreX, screenTop - toCentreY, angle, zoom, -toCentreX,
                        toCentreY, flipX, flipY);
    } else {
        DrawQuad(sx1, sy1, sx2, sy2, dx, screenTop, flipX, flipY);
    }
    glColor4f(1, 1, 1, 1);
}

void GLPicture::StretchBlended(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1, float dx2,
                               float dy2, float alpha, float angle, bool flipX, bool flipY, float pivotX,
                               float pivotY) {
    if (!IsLoaded()) {
        return;
    }
    if (alpha < 0) {
        alpha = 1;
    }
    ApplyDrawColour(alpha);
    Bind();
    EnableBlending();
    const float h = static_cast<float>(screen.height);
    if (angle != 0) {
        const float centreX = (dx1 + dx2) / 2 + pivotX;
        const float centreY = (dy1 + dy2) / 2 + pivotY;
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glTranslatef(centreX, h - centreY, 0);
        glRotatef(angle, 0, 0, 1);
        DrawQuadTo(sx1, sy1, sx2, sy2, dx1 - centreX, centreY - dy1, dx2 - centreX, centreY - dy2, flipX,
                   flipY);
        glPopMatrix();
    } else {
        DrawQuadTo(sx1, sy1, sx2, sy2, dx1, h - dy1, dx2, h - dy2, flipX, flipY);
    }
    glColor4f(1, 1, 1, 1);
}

bool GLPicture::MakePictureFromArray(uint32_t* pixels, int width, int height, bool highQuality) {
    if (!pixels || width < 1 || height < 1) {
        return false;
    }
    FreePicture();
    if (colorKeyOn_) {
        const uint32_t key =
            uint32_t(colorKey_[0]) | uint32_t(colorKey_[1]) << 8 | uint32_t(colorKey_[2]) << 16;
        std::replace_if(
            pixels, pixels + static_cast<size_t>(width) * height,
            [key](uint32_t pixel) { return (pixel & 0xFFFFFF) == key; }, 0u);
    }
    sourceArray_ = pixels;
    arrayHighQuality_ = highQuality;
    const int side = TextureSideFor(width, height);
    std::vector<uint8_t> texels(static_cast<size_t>(side) * side * 4, 0);
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = pixels + static_cast<size_t>(y) * width;
        uint8_t* target = texels.data() + static_cast<size_t>(y) * side * 4;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 4; ++c) {
                target[x * 4 + c] = static_cast<uint8_t>(source[x] >> (8 * c));
            }
        }
    }
    return UploadUnfiltered(texels.data(), width, height, side, highQuality ? GL_RGBA8 : GL_RGBA);
}

// Pictures made in memory start with nearest filtering and clamped edges.
bool GLPicture::UploadUnfiltered(const uint8_t* rgba, int width, int height, int side, int internalFormat) {
    if (!UploadTexture(rgba, width, height, side, internalFormat)) {
        return false;
    }
    linear_ = false;
    wrapRepeat_ = false;
    ApplyFiltering();
    ApplyWrap();
    return true;
}

void GLPicture::RefreshFromArray() {
    if (!sourceArray_ || !IsLoaded()) {
        return;
    }
    Bind();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, static_cast<int>(width_), static_cast<int>(height_), GL_RGBA,
                    GL_UNSIGNED_BYTE, sourceArray_);
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
    std::vector<uint8_t> texels(static_cast<size_t>(side) * side * 4, 0);
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = pixels.data() + static_cast<size_t>(y) * width * 4;
        uint8_t* target = texels.data() + static_cast<size_t>(y) * side * 4;
        for (int x = 0; x < width; ++x, source += 4, target += 4) {
            target[0] = source[0];
            target[1] = source[1];
            target[2] = source[2];
            target[3] = 255;
            if (filter) {
                filter(x, y, target[0], target[1], target[2]);
            }
        }
    }
    return UploadUnfiltered(texels.data(), width, height, side, GL_RGBA8);
}

std::unique_ptr<GLPicture> CreatePicture() {
    return std::make_unique<GLPicture>();
}
