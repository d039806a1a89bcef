#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>

#include "engine/QuadBatch.h"

// The draws of a frame wait here until the frame is presented. A frame whose draws are, value
// for value, those of the frame on screen is not drawn again: on a software renderer a level
// left alone would otherwise spend most of a core refilling pixels that did not change.

void AppendFrameValue(const void* value, std::size_t size);
void RecordDrawStep(std::function<void()> draw);

// Tells apart the kinds of draw, whose values may be alike.
template <typename Draw>
const void* DrawKind() {
    static const char kind = 0;
    return &kind;
}

// Records a draw. `values` must be everything the draw depends on besides the textures' pixels:
// with the draw's kind, they are what two frames are compared by.
template <typename Draw, typename... Values>
void RecordDraw(Draw draw, const Values&... values) {
    static_assert((std::is_arithmetic_v<Values> && ...), "padding would make equal frames differ");
    const void* kind = DrawKind<Draw>();
    AppendFrameValue(&kind, sizeof kind);
    (AppendFrameValue(&values, sizeof values), ...);
    RecordDrawStep(std::move(draw));
}

// Textured quads, joined to the draw before when it has the same state so they go out as one.
void RecordQuad(const QuadState& state, const QuadCorner (&corners)[4]);

// Sends everything recorded to OpenGL now, for whatever reads or changes what was drawn (pixels
// read back, a texture replaced, the context going away). This frame and the next are presented
// whatever they draw, since a texture may have changed under the same draws.
void DrawPending();

// Ends the frame. True when it has to be presented: everything recorded has then been drawn.
// False when it draws what the frame on screen drew; that frame stays.
bool FinishFrame();

// The next frame is presented whatever it draws: the window's pixels were lost or resized.
void RedrawNextFrame();
