#include "engine/QuadBatch.h"

#include <SDL_opengl.h>

#include "engine/TextureUpload.h"

void DrawQuads(const QuadState& state, std::span<const QuadCorner> corners) {
    BindTexture(state.texture);
    if (state.blend) {
        glEnable(GL_BLEND);
        glBlendFunc(static_cast<GLenum>(state.source), static_cast<GLenum>(state.destination));
    } else {
        glDisable(GL_BLEND);
    }
    glColor4f(state.colour[0], state.colour[1], state.colour[2], state.colour[3]);
    // One begin-end pair is one draw however many quads it holds.
    glBegin(GL_QUADS);
    for (const QuadCorner& corner : corners) {
        glTexCoord2f(corner.s, corner.t);
        glVertex2f(corner.x, corner.y);
    }
    glEnd();
    glColor4f(1, 1, 1, 1);
}
