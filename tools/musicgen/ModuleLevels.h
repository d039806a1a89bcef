#pragma once

#include <cstdint>
#include <vector>

// What a module sounds like when the game plays it: libopenmpt at 44100 Hz, 16-bit stereo, no
// dither, once through to where it loops.
struct ModuleLevels {
    double seconds = 0;      // length before it loops
    double peakDb = -200;    // highest sample, dB of full scale
    double loudness = -200;  // integrated loudness, LUFS (ITU-R BS.1770, gated)
    std::vector<int16_t> stereo;
};

// Throws std::runtime_error when libopenmpt refuses the bytes.
ModuleLevels MeasureModule(const std::vector<uint8_t>& bytes);

// Integrated loudness of interleaved stereo at `rate`.
double IntegratedLoudness(const std::vector<int16_t>& stereo, int rate);
