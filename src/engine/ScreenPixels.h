#pragma once

#include <cstdint>
#include <vector>

// The logical screen as drawn so far in the back buffer, scaled to width x height:
// RGBA bytes, rows top-down. The screen is the current viewport (the window keeps it
// on the letterbox), so a scaled full-screen frame reads back as the game drew it.
std::vector<uint8_t> ReadScreenPixels(int width, int height);

// The whole drawable of the window as drawn so far, letterbox bars and all: RGBA bytes of
// width x height pixels (the drawable's size), rows top-down.
std::vector<uint8_t> ReadWindowPixels(int width, int height);
