#include "ModuleLevels.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <map>
#include <numbers>
#include <stdexcept>

namespace {

constexpr int Rate = 44100;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0, z2 = 0;
    double Step(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The K-weighting of BS.1770 (a high shelf for the head, a high pass), designed for any rate.
std::pair<Biquad, Biquad> KWeighting(int rate) {
    const double shelfF = 1681.974450955533, shelfG = 3.999843853973347, shelfQ = 0.7071752369554196;
    double k = std::tan(std::numbers::pi * shelfF / rate);
    const double vh = std::pow(10.0, shelfG / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    double a0 = 1.0 + k / shelfQ + k * k;
    Biquad shelf{(vh + vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - vh) / a0,
                 (vh - vb * k / shelfQ + k * k) / a0, 2.0 * (k * k - 1.0) / a0,
                 (1.0 - k / shelfQ + k * k) / a0};
    const double passF = 38.13547087602444, passQ = 0.5003270373238773;
    k = std::tan(std::numbers::pi * passF / rate);
    a0 = 1.0 + k / passQ + k * k;
    Biquad pass{1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / passQ + k * k) / a0};
    return {shelf, pass};
}

}  // namespace

double IntegratedLoudness(const std::vector<int16_t>& stereo, int rate) {
    const std::size_t frames = stereo.size() / 2;
    std::vector<double> power(frames);
    for (int ch = 0; ch < 2; ++ch) {
        auto [shelf, pass] = KWeighting(rate);
        for (std::size_t i = 0; i < frames; ++i) {
            const double y = pass.Step(shelf.Step(stereo[2 * i + static_cast<std::size_t>(ch)] / 32768.0));
            power[i] += y * y;
        }
    }
    // Blocks of 400 ms every 100 ms, gated at -70 LUFS and then 10 LU under their mean.
    const std::size_t block = static_cast<std::size_t>(rate) * 4 / 10;
    const std::size_t step = block / 4;
    std::vector<double> blocks;
    for (std::size_t start = 0; start + block <= frames; start += step) {
        double sum = 0;
        for (std::size_t i = start; i < start + block; ++i) {
            sum += power[i];
        }
        blocks.push_back(sum / static_cast<double>(block));
    }
    auto lufs = [](double meanPower) { return -0.691 + 10.0 * std::log10(std::max(meanPower, 1e-20)); };
    auto gatedMean = [&](double gate) {
        double sum = 0;
        int count = 0;
        for (double b : blocks) {
            if (lufs(b) > gate) {
                sum += b;
                ++count;
            }
        }
        return count > 0 ? sum / count : 0.0;
    };
    const double relativeGate = lufs(gatedMean(-70.0)) - 10.0;
    return lufs(gatedMean(relativeGate));
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
