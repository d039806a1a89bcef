#include "Loudness.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct Biquad {
    double b0, b1, b2, a1, a2;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    double Process(double in) {
        const double out = b0 * in + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = in;
        y2 = y1;
        y1 = out;
        return out;
    }
};

// The two stages of the K-weighting for any rate: the analogue prototypes behind the 48 kHz
// coefficients of the recommendation, through the bilinear transform.
Biquad HeadShelf(double rate) {
    const double f0 = 1681.974450955533, gain = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double vh = std::pow(10.0, gain / 20), vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

Biquad HighPass(double rate) {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double a0 = 1 + k / q + k * k;
    return {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

std::vector<double> KWeightedSquares(const std::vector<float>& channel, double rate) {
    Biquad shelf = HeadShelf(rate);
    Biquad highPass = HighPass(rate);
    std::vector<double> squares(channel.size());
    for (size_t i = 0; i < channel.size(); ++i) {
        const double weighted = highPass.Process(shelf.Process(channel[i]));
        squares[i] = weighted * weighted;
    }
    return squares;
}

double ToLufs(double meanSquare) {
    return -0.691 + 10 * std::log10(meanSquare);
}

}  // namespace

Loudness MeasureLoudness(const std::vector<float>& left, const std::vector<float>& right, double rate) {
    const std::vector<double> l = KWeightedSquares(left, rate);
    const std::vector<double> r = KWeightedSquares(right, rate);
    const auto block = static_cast<size_t>(std::lround(0.4 * rate));
    const auto step = block / 4;
    Loudness result;
    result.shorterThanBlock = l.size() < block;
    const size_t length = std::min(block, l.size());
    // Each block's power: the sum over the channels of their mean squares (both weigh 1).
    std::vector<double> powers;
    for (size_t start = 0; length > 0 && start + length <= l.size(); start += step) {
        double sum = 0;
        for (size_t i = start; i < start + length; ++i) {
            sum += l[i] + r[i];
        }
        powers.push_back(sum / static_cast<double>(length));
    }
    auto gatedMean = [&](double gate) {
        double sum = 0;
        size_t count = 0;
        for (double power : powers) {
            if (power > 0 && ToLufs(power) > gate) {
                sum += power;
                ++count;
            }
        }
        return count > 0 ? sum / static_cast<double>(count) : 0.0;
    };
    const double absolute = gatedMean(-70);
    if (absolute <= 0) {
        result.silent = true;
        return result;
    }
    result.lufs = ToLufs(gatedMean(std::max(-70.0, ToLufs(absolute) - 10)));
    return result;
}
