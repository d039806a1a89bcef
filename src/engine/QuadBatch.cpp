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
    // One begin-end pair is one draw however many quads it holds.
    glBegin(GL_QUADS);
    for (const QuadCorner& corner : pending.corners) {
        glTexCoord2f(corner.s, corner.t);
        glVertex2f(corner.x, corner.y);
    }
    glEnd();
    glColor4f(1, 1, 1, 1);
    pending.corners.clear();
}
