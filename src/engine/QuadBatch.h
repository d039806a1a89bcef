#pragma once

// Textured quads that share a texture and a drawing state go to OpenGL as one draw: the
// software renderer pays dearly for every draw call and state change, little for each quad in
// one. Anything else that draws, reads the screen or changes OpenGL state flushes the quads
// first, so the screen still shows the draws in the order they were made.

struct QuadState {
    unsigned int texture = 0;
    bool blend = false;
    int source = 0;  // blend factors, when blend is on
    int destination = 0;
    float colour[4] = {1, 1, 1, 1};
    bool operator==(const QuadState&) const = default;
};

// One corner: texture coordinates, then the position in OpenGL coordinates (y up) under the
// current model-view matrix.
struct QuadCorner {
    float s;
    float t;
    float x;
    float y;
};

// Adds a quad, corners in drawing order, to the batch; a different state flushes the batch first.
void AddQuad(const QuadState& state, const QuadCorner (&corners)[4]);
// Draws the quads waiting; leaves blending as their state had it and the colour white.
void FlushQuads();
