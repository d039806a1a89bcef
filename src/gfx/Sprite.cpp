#include "gfx/Sprite.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "engine/Files.h"
#include "engine/GLPicture.h"
#include "engine/MessageBox.h"

Sprite::~Sprite() {
    ReleasePicture();
}

Sprite::Sprite(const Sprite& other) {
    *this = other;
}

Sprite& Sprite::operator=(const Sprite& other) {
    if (this != &other) {
        other.SharePicture(*this);
        other.CopySettings(*this);
        blendMode = other.blendMode;
    }
    return *this;
}

Sprite::Sprite(Sprite&& other) noexcept {
    *this = std::move(other);
}

Sprite& Sprite::operator=(Sprite&& other) noexcept {
    if (this != &other) {
        ReleasePicture();
        picture = std::exchange(other.picture, nullptr);
        sharedPicture = std::exchange(other.sharedPicture, false);
        path = std::move(other.path);
        other.CopySettings(*this);
        blendMode = other.blendMode;
    }
    return *this;
}

void Sprite::ReleasePicture() {
    if (!sharedPicture) {
        delete picture;
    }
    picture = nullptr;
    sharedPicture = false;
}

bool Sprite::Load(const std::string& filePath) {
    ReleasePicture();
    path = filePath;
    srcX = 0;
    srcY = 0;
    width = 0;
    height = 0;
    picture = CreatePicture().release();
    if (!picture) {
        return false;
    }
    picture->SetColorKey(true, 255, 0, 255);
    if (!picture->LoadPicture(MakeFilePath(filePath), true, true)) {
        return false;
    }
    width = static_cast<int>(picture->GetWidth());
    height = static_cast<int>(picture->GetHeight());
    return true;
}

std::string Sprite::LoadFailure() const {
    const std::string dataFolder = GetDataDirectory() + "/data";
    if (!std::filesystem::is_directory(dataFolder)) {
        return "Cannot load the picture \"" + path + "\": the game's data folder " + dataFolder +
               " is missing. The build makes it: run ./dev play from the source folder.";
    }
    return "Cannot load the picture \"" + path + "\" from " +
           (picture != nullptr ? picture->LoadError() : MakeFilePath(path)) + ".";
}

void Sprite::LoadRequired(const std::string& path) {
    if (!Load(path)) {
        FatalError(LoadFailure());
    }
}

void Sprite::SetSource(int x, int y, int sourceWidth, int sourceHeight) {
    srcX = x;
    srcY = y;
    width = sourceWidth;
    height = sourceHeight;
}

void Sprite::SharePicture(Sprite& target) const {
    // A target that already holds this picture keeps its claim on it: if it is the owner,
    // marking it shared would leave the picture without one.
    if (target.picture != picture) {
        target.ReleasePicture();
        target.picture = picture;
        target.sharedPicture = true;
    }
    target.path = path;
    CopySettings(target);
}

void Sprite::CloneTo(Sprite& target) const {
    if (&target == this) {
        return;
    }
    target.Load(path);
    CopySettings(target);
}

void Sprite::CopySettings(Sprite& target) const {
    target.srcX = srcX;
    target.srcY = srcY;
    target.width = width;
    target.height = height;
    target.flipX = flipX;
    target.flipY = flipY;
    target.zoom = zoom;
    target.angle = angle;
    target.pivotX = pivotX;
    target.pivotY = pivotY;
    target.tinted = tinted;
    std::copy(std::begin(tint), std::end(tint), std::begin(target.tint));
    target.alpha = alpha;
}

void Sprite::SetColour(float r, float g, float b, float a) {
    tinted = true;
    tint[0] = r;
    tint[1] = g;
    tint[2] = b;
    tint[3] = a;
}

void Sprite::Draw(int x, int y) const {
    if (!picture) {
        return;
    }
    // Untinted sprites leave the modulation alone: the last tint set on a shared picture stays.
    if (tinted) {
        picture->SetColorModulation(tint[0], tint[1], tint[2], tint[3]);
    }
    picture->SetBlendMode(blendMode);
    picture->BlitBlendedTransformed(static_cast<float>(srcX), static_cast<float>(srcY),
                                    static_cast<float>(srcX + width), static_cast<float>(srcY + height),
                                    static_cast<float>(x), static_cast<float>(y), angle, zoom, alpha, flipX,
                                    flipY, pivotX, pivotY);
}

void Sprite::DrawPart(int x, int y, int sx, int sy, int sw, int sh) const {
    if (!picture) {
        return;
    }
    if (opaque) {
        picture->Blit(static_cast<float>(sx), static_cast<float>(sy), static_cast<float>(sx + sw),
                      static_cast<float>(sy + sh), static_cast<float>(x), static_cast<float>(y), false,
                      false);
        return;
    }
    picture->SetBlendMode(blendMode);
    picture->BlitBlendedTransformed(static_cast<float>(sx), static_cast<float>(sy),
                                    static_cast<float>(sx + sw), static_cast<float>(sy + sh),
                                    static_cast<float>(x), static_cast<float>(y), angle, zoom, alpha, false,
                                    false, 0.0f, 0.0f);
}

void Sprite::DrawCentred(int x, int y, int boxWidth, int boxHeight) const {
    Draw(x + (boxWidth - width) / 2, y + (boxHeight - height) / 2);
}

void Sprite::DrawCentredX(int y, int left, int boxWidth) const {
    Draw(left + (boxWidth - width) / 2, y);
}

void Sprite::CentreOffset(int boxWidth, int boxHeight, int& dx, int& dy) const {
    dx = (boxWidth - width) / 2;
    dy = (boxHeight - height) / 2;
}

void CutStrip(std::span<Sprite> pieces, int pieceWidth, int pieceHeight) {
    for (size_t k = 0; k < pieces.size(); ++k) {
        if (k > 0) {
            pieces[0].SharePicture(pieces[k]);
        }
        pieces[k].SetSource(pieceWidth * static_cast<int>(k), 0, pieceWidth, pieceHeight);
    }
}
