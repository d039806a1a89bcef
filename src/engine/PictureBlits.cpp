#include "engine/PictureBlits.h"

#include <SDL_opengl.h>

#include "engine/PictureBlend.h"
#include "engine/TextureUpload.h"

namespace {

float Truncate(float value) {
    return static_cast<float>(static_cast<int>(value));
}

// The source rectangle stretched to (left, top)-(right, bottom) in OpenGL coordinates.
void DrawQuadTo(float side, float sx1, float sy1, float sx2, float sy2, float left, float top, float right,
                float bottom, bool flipX, bool flipY) {
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

// The source rectangle at its own size, top-left corner at (left, top) in OpenGL coordinates.
void DrawQuad(float side, float sx1, float sy1, float sx2, float sy2, float left, float top, bool flipX,
              bool flipY) {
    DrawQuadTo(side, sx1, sy1, sx2, sy2, left, top, left + Truncate(sx2 - sx1), top - Truncate(sy2 - sy1),
               flipX, flipY);
}

// Draws about a centre given in OpenGL coordinates; the quad's top-left is (left, top) from it.
void DrawAboutCentre(float side, float sx1, float sy1, float sx2, float sy2, float centreX, float centreY,
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
    DrawQuad(side, sx1, sy1, sx2, sy2, Truncate(left), Truncate(top), flipX, flipY);
    glPopMatrix();
}

}  // namespace

void DrawOpaque(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                bool flipX, bool flipY) {
    glDisable(GL_BLEND);
    BindTexture(source.texture);
    // An opaque copy shows the picture's own colours, whatever tint an earlier draw left.
    glColor4f(1, 1, 1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    DrawQuad(source.textureSide, sx1, sy1, sx2, sy2, dx, static_cast<float>(source.screenHeight) - dy, flipX,
             flipY);
    glPopMatrix();
}

void DrawOpaqueTurned(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx,
                      float dy, float angle, float zoom, bool flipX, bool flipY) {
    if (zoom == 0) {
        return;
    }
    const float halfW = (sx2 - sx1) / 2;
    const float halfH = (sy2 - sy1) / 2;
    glDisable(GL_BLEND);
    BindTexture(source.texture);
    glColor4f(1, 1, 1, 1);
    DrawAboutCentre(source.textureSide, sx1, sy1, sx2, sy2, dx + halfW,
                    static_cast<float>(source.screenHeight) - dy - halfH, angle, zoom, -halfW, halfH, flipX,
                    flipY);
}

void DrawBlended(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                 bool flipX, bool flipY) {
    BindTexture(source.texture);
    source.blend.Enable();
    source.blend.ApplyDrawColour(1.0f);
    DrawQuad(source.textureSide, sx1, sy1, sx2, sy2, dx, static_cast<float>(source.screenHeight) - dy, flipX,
             flipY);
}

void DrawBlendedTurned(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx,
                       float dy, float angle, float zoom, float alpha, bool flipX, bool flipY, float pivotX,
                       float pivotY) {
    if (zoom == 0 || alpha <= 0) {
        return;
    }
    source.blend.ApplyDrawColour(alpha);
    BindTexture(source.texture);
    source.blend.Enable();
    const float screenTop = static_cast<float>(source.screenHeight) - dy;
    if (angle != 0 || zoom != 1) {
        const float toCentreX = (sx2 - sx1) / 2 + pivotX;
        const float toCentreY = (sy2 - sy1) / 2 + pivotY;
        DrawAboutCentre(source.textureSide, sx1, sy1, sx2, sy2, dx + toCentreX, screenTop - toCentreY, angle,
                        zoom, -toCentreX, toCentreY, flipX, flipY);
    } else {
        DrawQuad(source.textureSide, sx1, sy1, sx2, sy2, dx, screenTop, flipX, flipY);
    }
    glColor4f(1, 1, 1, 1);
}

void DrawBlendedStretched(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx1,
                          float dy1, float dx2, float dy2, float alpha, float angle, bool flipX, bool flipY,
                          float pivotX, float pivotY) {
    if (alpha < 0) {
        alpha = 1;
    }
    source.blend.ApplyDrawColour(alpha);
    BindTexture(source.texture);
    source.blend.Enable();
    const float h = static_cast<float>(source.screenHeight);
    const float side = source.textureSide;
    if (angle != 0) {
        const float centreX = (dx1 + dx2) / 2 + pivotX;
        const float centreY = (dy1 + dy2) / 2 + pivotY;
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glTranslatef(centreX, h - centreY, 0);
        glRotatef(angle, 0, 0, 1);
        DrawQuadTo(side, sx1, sy1, sx2, sy2, dx1 - centreX, centreY - dy1, dx2 - centreX, centreY - dy2,
                   flipX, flipY);
        glPopMatrix();
    } else {
        DrawQuadTo(side, sx1, sy1, sx2, sy2, dx1, h - dy1, dx2, h - dy2, flipX, flipY);
    }
    glColor4f(1, 1, 1, 1);
}
