#pragma once

// What the mixer plays and every sound is converted to: 16-bit signed, interleaved stereo at
// this rate.
constexpr int MixRate = 44100;
