#pragma once

class PictureBlend;

// Untextured draws in logical screen coordinates (origin top-left, y down); screenHeight turns
// them into OpenGL's. Each leaves blending off and the colour white.

// An opaque fill with alpha 1, a normally blended one otherwise.
void FillScreenRect(int screenHeight, float x1, float y1, float x2, float y2, float red, float green,
                    float blue, float alpha);
// Lines and points go through pixel centres, so (x, y) lights exactly pixel (x, y);
// blended as the blend's mode says.
void DrawScreenLine(int screenHeight, const PictureBlend& blend, float x1, float y1, float x2, float y2,
                    float red, float green, float blue, float alpha);
void PlotScreenPixel(int screenHeight, const PictureBlend& blend, float x, float y, float red, float green,
                     float blue, float alpha);
