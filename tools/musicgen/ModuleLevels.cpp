#include "ModuleLevels.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

#include "Loudness.h"

namespace {

constexpr int Rate = 44100;

}  // namespace

double IntegratedLoudness(const std::vector<int16_t>& stereo, int rate) {
    std::vector<float> left(stereo.size() / 2);
    std::vector<float> right(left.size());
    for (std::size_t i = 0; i < left.size(); ++i) {
        left[i] = stereo[2 * i] / 32768.0f;
        right[i] = stereo[2 * i + 1] / 32768.0f;
    }
    return MeasureLoudness(left, right, rate).lufs;
}

ModuleLevels MeasureModule(const std::vector<uint8_t>& bytes) {
    openmpt::module module(bytes, std::clog, std::map<std::string, std::string>{{"dither", "0"}});
    module.set_repeat_count(0);
    ModuleLevels levels;
    levels.seconds = module.get_duration_seconds();
    std::vector<int16_t> buffer(2 * 4096);
    while (const std::size_t got = module.read_interleaved_stereo(Rate, 4096, buffer.data())) {
        levels.stereo.insert(levels.stereo.end(), buffer.begin(),
                             buffer.begin() + static_cast<std::ptrdiff_t>(2 * got));
    }
    int peak = 0;
    for (int16_t v : levels.stereo) {
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    }
    levels.peakDb = peak > 0 ? 20.0 * std::log10(peak / 32768.0) : -200.0;
    levels.loudness = IntegratedLoudness(levels.stereo, Rate);
    return levels;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& stereo, int rate) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t dataBytes = static_cast<uint32_t>(stereo.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(2);
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate * 4));
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    out.write(reinterpret_cast<const char*>(stereo.data()), static_cast<std::streamsize>(dataBytes));
    return static_cast<bool>(out);
}
