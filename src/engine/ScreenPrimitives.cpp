#include "engine/ScreenPrimitives.h"

#include <SDL_opengl.h>

#include "engine/FrameRecorder.h"
#include "engine/PictureBlend.h"
#include "engine/TextureUpload.h"

namespace {

void EnableBlending(int source, int destination) {
    glEnable(GL_BLEND);
    glBlendFunc(static_cast<GLenum>(source), static_cast<GLenum>(destination));
}

void FillNow(int screenHeight, float x1, float y1, float x2, float y2, float red, float green, float blue,
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
    const int h = screenHeight;
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

void LineNow(int screenHeight, int source, int destination, float x1, float y1, float x2, float y2, float red,
             float green, float blue, float alpha) {
    DisableTexturing();
    EnableBlending(source, destination);
    glColor4f(red, green, blue, alpha);
    const float h = static_cast<float>(screenHeight);
    glBegin(GL_LINES);
    glVertex2f(x1 + 0.5f, h - y1 - 0.5f);
    glVertex2f(x2 + 0.5f, h - y2 - 0.5f);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

void PixelNow(int screenHeight, int source, int destination, float x, float y, float red, float green,
              float blue, float alpha) {
    DisableTexturing();
    EnableBlending(source, destination);
    glColor4f(red, green, blue, alpha);
    glBegin(GL_POINTS);
    glVertex2f(x + 0.5f, static_cast<float>(screenHeight) - y - 0.5f);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

}  // namespace

void FillScreenRect(int screenHeight, float x1, float y1, float x2, float y2, float red, float green,
                    float blue, float alpha) {
    RecordDraw([=] { FillNow(screenHeight, x1, y1, x2, y2, red, green, blue, alpha); }, screenHeight, x1, y1,
               x2, y2, red, green, blue, alpha);
}

void DrawScreenLine(int screenHeight, const PictureBlend& blend, float x1, float y1, float x2, float y2,
                    float red, float green, float blue, float alpha) {
    const int source = blend.Source();
    const int destination = blend.Destination();
    RecordDraw([=] { LineNow(screenHeight, source, destination, x1, y1, x2, y2, red, green, blue, alpha); },
               screenHeight, source, destination, x1, y1, x2, y2, red, green, blue, alpha);
}

void PlotScreenPixel(int screenHeight, const PictureBlend& blend, float x, float y, float red, float green,
                     float blue, float alpha) {
    const int source = blend.Source();
    const int destination = blend.Destination();
    RecordDraw([=] { PixelNow(screenHeight, source, destination, x, y, red, green, blue, alpha); },
               screenHeight, source, destination, x, y, red, green, blue, alpha);
}
