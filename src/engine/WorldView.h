#pragma once

// The game's view of the logical screen (width x height, y up, origin bottom-left in OpenGL).

// The orthographic projection of the logical screen.
void LoadScreenProjection(int screenWidth, int screenHeight);
// The world transform: turned by angle degrees and zoomed about the screen's centre, then
// shifted by (x, y) logical pixels.
void LoadWorldTransform(int screenWidth, int screenHeight, float x, float y, float angle, float zoom);
