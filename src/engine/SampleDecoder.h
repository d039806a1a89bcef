#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whether a sound file is decoded as Ogg Vorbis: its path contains ".ogg" anywhere, so a file
// named x.ogg.wav is Ogg.
bool IsOggName(const std::string& path);

// Decodes a whole sound file held in memory into the mixer's format (engine/MixFormat.h): Ogg
// Vorbis when asOgg, otherwise WAV holding 8-bit unsigned or 16-bit signed PCM, mono or stereo,
// at 8000 to 192000 Hz. A data chunk claiming more bytes than the file holds plays what is
// there. False, with a short phrase saying what is wrong in error ("has no \"data\" chunk"),
// for anything else, for a file that holds no sound, and for one longer than ten minutes.
bool DecodeSample(const std::vector<uint8_t>& fileBytes, bool asOgg, std::vector<int16_t>& stereo,
                  std::string& error);
