#pragma once

#include <string>

#include "WavWriter.h"  // WAV files come from the tools' own writer

// Sound files for tests. A file that cannot be written is a test failure.

// A sine of the given peak amplitude (1.0 is full scale), the same on every channel, encoded as
// Ogg Vorbis at VBR quality 0.4.
void WriteOggTone(const std::string& path, double seconds, int rate, int channels, double frequency,
                  double amplitude = 0.5);
// A 4-channel Protracker module ("M.K."): one looped square-wave sample, played from the first
// row of its one pattern on channel 1 (left) and channel 2 (right), a song of one order.
void WriteTinyModule(const std::string& path);
