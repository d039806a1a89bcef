#include "engine/PictureBlits.h"

#include <cmath>
#include <numbers>

#include "engine/PictureBlend.h"
#include "engine/FrameRecorder.h"

namespace {

float Truncate(float value) {
    return static_cast<float>(static_cast<int>(value));
}

// Where a quad's own coordinates land: turned by angle (degrees, counter-clockwise with y up),
// zoomed, then moved to the centre. The default leaves them where they are.
class Placement {
public:
    Placement() = default;
    Placement(float centreX, float centreY, float angle, float zoom)
        : centreX_(centreX), centreY_(centreY), zoom_(zoom) {
        if (angle != 0) {
            const float radians = angle * std::numbers::pi_v<float> / 180.0f;
            cos_ = std::cos(radians);
            sin_ = std::sin(radians);
        }
    }
    void Apply(float& x, float& y) const {
        const float zx = x * zoom_;
        const float zy = y * zoom_;
        x = centreX_ + zx * cos_ - zy * sin_;
        y = centreY_ + zx * sin_ + zy * cos_;
    }

private:
    float centreX_ = 0;
    float centreY_ = 0;
    float cos_ = 1;
    float sin_ = 0;
    float zoom_ = 1;
};

// The source rectangle stretched to (left, top)-(right, bottom) in OpenGL coordinates, placed.
void DrawQuadTo(const QuadState& state, float side, float sx1, float sy1, float sx2, float sy2, float left,
                float top, float right, float bottom, bool flipX, bool flipY,
                const Placement& placement = {}) {
    const float s1 = sx1 / side;
    const float s2 = sx2 / side;
    const float t1 = sy1 / side;
    const float t2 = sy2 / side;
    const float leftS = flipX ? s2 : s1;
    const float rightS = flipX ? s1 : s2;
    const float topT = flipY ? t2 : t1;
    const float bottomT = flipY ? t1 : t2;
    QuadCorner corners[4] = {{leftS, topT, left, top},
                             {leftS, bottomT, left, bottom},
                             {rightS, bottomT, right, bottom},
                             {rightS, topT, right, top}};
    for (QuadCorner& corner : corners) {
        placement.Apply(corner.x, corner.y);
    }
    RecordQuad(state, corners);
}

// The source rectangle at its own size, top-left corner at (left, top) in OpenGL coordinates.
void DrawQuad(const QuadState& state, float side, float sx1, float sy1, float sx2, float sy2, float left,
              float top, bool flipX, bool flipY, const Placement& placement = {}) {
    DrawQuadTo(state, side, sx1, sy1, sx2, sy2, left, top, left + Truncate(sx2 - sx1),
               top - Truncate(sy2 - sy1), flipX, flipY, placement);
}

// Draws about a centre given in OpenGL coordinates; the quad's top-left is (left, top) from it.
void DrawAboutCentre(const QuadState& state, float side, float sx1, float sy1, float sx2, float sy2,
                     float centreX, float centreY, float angle, float zoom, float left, float top, bool flipX,
                     bool flipY) {
    DrawQuad(state, side, sx1, sy1, sx2, sy2, Truncate(left), Truncate(top), flipX, flipY,
             Placement(centreX, centreY, angle, zoom));
}

// An opaque copy shows the picture's own colours, whatever tint an earlier draw left.
QuadState OpaqueState(const BlitSource& source) {
    QuadState state;
    state.texture = source.texture;
    return state;
}

QuadState BlendedState(const BlitSource& source, float alpha) {
    QuadState state;
    state.texture = source.texture;
    source.blend.Describe(state, alpha);
    return state;
}

}  // namespace

void DrawOpaque(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                bool flipX, bool flipY) {
    DrawQuad(OpaqueState(source), source.textureSide, sx1, sy1, sx2, sy2, dx,
             static_cast<float>(source.screenHeight) - dy, flipX, flipY);
}

void DrawOpaqueTurned(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx,
                      float dy, float angle, float zoom, bool flipX, bool flipY) {
    if (zoom == 0) {
        return;
    }
    const float halfW = (sx2 - sx1) / 2;
    const float halfH = (sy2 - sy1) / 2;
    DrawAboutCentre(OpaqueState(source), source.textureSide, sx1, sy1, sx2, sy2, dx + halfW,
                    static_cast<float>(source.screenHeight) - dy - halfH, angle, zoom, -halfW, halfH, flipX,
                    flipY);
}

void DrawBlended(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                 bool flipX, bool flipY) {
    DrawQuad(BlendedState(source, 1.0f), source.textureSide, sx1, sy1, sx2, sy2, dx,
             static_cast<float>(source.screenHeight) - dy, flipX, flipY);
}

void DrawBlendedTurned(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx,
                       float dy, float angle, float zoom, float alpha, bool flipX, bool flipY, float pivotX,
                       float pivotY) {
    if (zoom == 0 || alpha <= 0) {
        return;
    }
    const QuadState state = BlendedState(source, alpha);
    const float screenTop = static_cast<float>(source.screenHeight) - dy;
    if (angle != 0 || zoom != 1) {
        const float toCentreX = (sx2 - sx1) / 2 + pivotX;
        const float toCentreY = (sy2 - sy1) / 2 + pivotY;
        DrawAboutCentre(state, source.textureSide, sx1, sy1, sx2, sy2, dx + toCentreX, screenTop - toCentreY,
                        angle, zoom, -toCentreX, toCentreY, flipX, flipY);
    } else {
        DrawQuad(state, source.textureSide, sx1, sy1, sx2, sy2, dx, screenTop, flipX, flipY);
    }
}

void DrawBlendedStretched(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx1,
                          float dy1, float dx2, float dy2, float alpha, float angle, bool flipX, bool flipY,
                          float pivotX, float pivotY) {
    if (alpha < 0) {
        alpha = 1;
    }
    const QuadState state = BlendedState(source, alpha);
    const float h = static_cast<float>(source.screenHeight);
    const float side = source.textureSide;
    if (angle != 0) {
        const float centreX = (dx1 + dx2) / 2 + pivotX;
        const float centreY = (dy1 + dy2) / 2 + pivotY;
        DrawQuadTo(state, side, sx1, sy1, sx2, sy2, dx1 - centreX, centreY - dy1, dx2 - centreX,
                   centreY - dy2, flipX, flipY, Placement(centreX, h - centreY, angle, 1));
    } else {
        DrawQuadTo(state, side, sx1, sy1, sx2, sy2, dx1, h - dy1, dx2, h - dy2, flipX, flipY);
    }
}
