#pragma once

#include <cstdint>

// The game's one random generator: state = state * 214013 + 2531011 (wrapping),
// each draw (state >> 16) & 0x7FFF. Same seed, same game.
void SeedRandom(uint32_t seed);
// A value 0..32767.
int RandomDraw();
uint32_t RandomState();
