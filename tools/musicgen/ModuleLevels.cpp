#include "ModuleLevels.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
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
