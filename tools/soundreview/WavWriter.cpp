#include "WavWriter.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

void PutLittleEndian(std::string& bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        bytes += static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

}  // namespace

void WriteWav(const std::filesystem::path& path, int rate, int channels,
              const std::vector<int16_t>& samples) {
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string bytes = "RIFF";
    bytes.reserve(44 + dataBytes);
    PutLittleEndian(bytes, 36 + dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLittleEndian(bytes, 16, 4);  // the format chunk's size
    PutLittleEndian(bytes, 1, 2);   // PCM
    PutLittleEndian(bytes, static_cast<uint32_t>(channels), 2);
    PutLittleEndian(bytes, static_cast<uint32_t>(rate), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(rate * channels * 2), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(channels * 2), 2);
    PutLittleEndian(bytes, 16, 2);
    bytes += "data";
    PutLittleEndian(bytes, dataBytes, 4);
    for (int16_t sample : samples) {
        PutLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
    }
    errno = 0;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        const int reason = errno;
        throw std::runtime_error(path.string() + ": cannot be written" +
                                 (reason != 0 ? std::string(": ") + std::strerror(reason) : std::string()));
    }
}
