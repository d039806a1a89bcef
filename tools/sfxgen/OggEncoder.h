#pragma once

#include <string>

#include "EffectMixer.h"

// The sound as an Ogg Vorbis file in memory: stereo at NoteRenderer::Rate, variable bit rate of
// the given quality (-0.1 .. 1). The same sound and serial always give the same bytes.
std::string EncodeOgg(const StereoSound& sound, float quality, int serial);
