#pragma once

#include <span>

// Textured quads that share a texture and a drawing state go to OpenGL as one draw: the
// software renderer pays dearly for every draw call and state change, little for each quad in
// one. The frame recorder gathers them.

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

// Draws quads, four corners each in drawing order, as one draw; leaves blending as the state
// has it and the colour white.
void DrawQuads(const QuadState& state, std::span<const QuadCorner> corners);
