#pragma once

#include <vector>

// Integrated loudness after ITU-R BS.1770-4 of a stereo sound, in LUFS: K-weighted, in 400 ms
// blocks overlapping by 75 %, gated at -70 LUFS and then 10 LU below the mean of what passed.
struct Loudness {
    double lufs = 0;
    // A sound shorter than one block is measured as one block over its whole length, and said so.
    bool shorterThanBlock = false;
    bool silent = false;  // nothing above the absolute gate
};

Loudness MeasureLoudness(const std::vector<float>& left, const std::vector<float>& right, double rate);
