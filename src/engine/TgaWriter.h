#pragma once

#include <cstdint>
#include <string>

// Writes an uncompressed Targa file: 32-bit with alpha or 24-bit without.
// rgba: width x height pixels, 4 bytes each in the order red, green, blue, alpha, rows top-down.
bool SaveTgaFile(const std::string& path, const uint8_t* rgba, int width, int height, bool withAlpha);
