#pragma once

class PictureBlend;

// Textured draws of a loaded picture's source rectangle (sx1, sy1)-(sx2, sy2), in texels, on the
// logical screen (origin top-left, y down; angles in degrees, counter-clockwise on screen).
// flipX and flipY mirror the source.

// What the draws need of the picture.
struct BlitSource {
    unsigned int texture;
    float textureSide;
    int screenHeight;
    const PictureBlend& blend;
};

// Opaque copies in the picture's own colours.
void DrawOpaque(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                bool flipX, bool flipY);
// Turned and zoomed about the drawn rectangle's centre; nothing at zoom 0.
void DrawOpaqueTurned(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx,
                      float dy, float angle, float zoom, bool flipX, bool flipY);

// Blended as the picture's blend says, in its modulation colour.
void DrawBlended(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                 bool flipX, bool flipY);
// Turned and zoomed about the drawn rectangle's centre moved by the pivot, alpha on top of the
// modulation; nothing at zoom 0 or alpha 0 or less.
void DrawBlendedTurned(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx,
                       float dy, float angle, float zoom, float alpha, bool flipX, bool flipY, float pivotX,
                       float pivotY);
// Stretched to (dx1, dy1)-(dx2, dy2) and turned about its centre moved by the pivot;
// a negative alpha counts as 1.
void DrawBlendedStretched(const BlitSource& source, float sx1, float sy1, float sx2, float sy2, float dx1,
                          float dy1, float dx2, float dy2, float alpha, float angle, bool flipX, bool flipY,
                          float pivotX, float pivotY);
