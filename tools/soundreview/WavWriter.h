#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Writes 16-bit PCM samples as a WAV file, interleaved when there is more than one channel.
// Throws std::runtime_error naming the file, and the system's reason, when it cannot be written.
void WriteWav(const std::filesystem::path& path, int rate, int channels, const std::vector<int16_t>& samples);
