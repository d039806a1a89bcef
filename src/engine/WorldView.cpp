#include "engine/WorldView.h"

#include <SDL_opengl.h>

#include "engine/QuadBatch.h"

void LoadScreenProjection(int screenWidth, int screenHeight) {
    FlushQuads();
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -100, 100);
}

void LoadWorldTransform(int screenWidth, int screenHeight, float x, float y, float angle, float zoom) {
    FlushQuads();
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
