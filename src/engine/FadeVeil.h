#pragma once

// Darkens the whole logical screen (width x height, default world view) for a fade:
// level 1.0 or more leaves it as it is, 0 or less makes it black.
void DrawFadeVeil(int screenWidth, int screenHeight, float level);
