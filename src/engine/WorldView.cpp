#include "engine/WorldView.h"

#include <SDL_opengl.h>

#include "engine/FrameRecorder.h"

namespace {

void LoadProjectionNow(int screenWidth, int screenHeight) {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -100, 100);
}

void LoadTransformNow(int screenWidth, int screenHeight, float x, float y, float angle, float zoom) {
    const float halfW = static_cast<float>(screenWidth / 2);
    const float halfH = static_cast<float>(screenHeight / 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(halfW, halfH, 0);
    glRotatef(angle, 0, 0, 1);
    glScalef(zoom, zoom, 0);
    glTranslatef(-halfW, -halfH, 0);
    if (zoom != 0) {
        glTranslatef(x / zoom, y / zoom, 0);
    }
}

}  // namespace

// Recorded with the draws: it holds for the draws after it only.
void LoadScreenProjection(int screenWidth, int screenHeight) {
    RecordDraw([=] { LoadProjectionNow(screenWidth, screenHeight); }, screenWidth, screenHeight);
}

void LoadWorldTransform(int screenWidth, int screenHeight, float x, float y, float angle, float zoom) {
    RecordDraw([=] { LoadTransformNow(screenWidth, screenHeight, x, y, angle, zoom); }, screenWidth,
               screenHeight, x, y, angle, zoom);
}
