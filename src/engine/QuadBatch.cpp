#include "engine/QuadBatch.h"

#include <SDL_opengl.h>

#include <vector>

#include "engine/TextureUpload.h"

namespace {

// The quads waiting to be drawn, all in one state.
struct PendingQuads {
    QuadState state;
    std::vector<QuadCorner> corners;
};

PendingQuads& Pending() {
    static PendingQuads pending;
    return pending;
}

}  // namespace

void AddQuad(const QuadState& state, const QuadCorner (&corners)[4]) {
    PendingQuads& pending = Pending();
    if (!pending.corners.empty() && !(pending.state == state)) {
        FlushQuads();
    }
    pending.state = state;
    pending.corners.insert(pending.corners.end(), corners, corners + 4);
}

void FlushQuads() {
    PendingQuads& pending = Pending();
    if (pending.corners.empty()) {
        return;
    }
    const QuadState& state = pending.state;
    BindTexture(state.texture);
    if (state.blend) {
        glEnable(GL_BLEND);
        glBlendFunc(static_cast<GLenum>(state.source), static_cast<GLenum>(state.destination));
    } else {
        glDisable(GL_BLEND);
    }
    glColor4f(state.colour[0], state.colour[1], state.colour[2], state.colour[3]);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, sizeof(QuadCorner), &pending.corners[0].s);
    glVertexPointer(2, GL_FLOAT, sizeof(QuadCorner), &pending.corners[0].x);
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(pending.corners.size()));
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glColor4f(1, 1, 1, 1);
    pending.corners.clear();
}
