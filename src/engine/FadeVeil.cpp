#include "engine/FadeVeil.h"

#include <SDL_opengl.h>

#include <algorithm>

#include "engine/FrameRecorder.h"
#include "engine/GLPicture.h"

namespace {

void DrawVeilNow(int screenWidth, int screenHeight, float level) {
    glDisable(GL_TEXTURE_2D);
    GLPicture::InvalidateBindCache();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0, 0, 0, std::max(0.0f, 1.0f - level));
    glBegin(GL_QUADS);
    glVertex2i(0, 0);
    glVertex2i(screenWidth, 0);
    glVertex2i(screenWidth, screenHeight);
    glVertex2i(0, screenHeight);
    glEnd();
    glDisable(GL_BLEND);
    glColor4f(1, 1, 1, 1);
}

}  // namespace

void DrawFadeVeil(int screenWidth, int screenHeight, float level) {
    RecordDraw([=] { DrawVeilNow(screenWidth, screenHeight, level); }, screenWidth, screenHeight, level);
}
