#include "Filters.h"

#include <algorithm>
#include <cmath>
#include <numbers>

void Biquad::SetCutoff(double hertz, double q) {
    // Stays below Nyquist so a glide to a high cutoff cannot make the filter unstable.
    const double w0 = 2 * std::numbers::pi * std::min(hertz, rate_ * 0.45) / rate_;
    const double alpha = std::sin(w0) / (2 * q);
    const double cosine = std::cos(w0);
    const double a0 = 1 + alpha;
    if (type_ == Type::LowPass) {
        b0_ = (1 - cosine) / 2 / a0;
        b1_ = (1 - cosine) / a0;
    } else {
        b0_ = (1 + cosine) / 2 / a0;
        b1_ = -(1 + cosine) / a0;
    }
    b2_ = b0_;
    a1_ = -2 * cosine / a0;
    a2_ = (1 - alpha) / a0;
}

float Biquad::Process(float in) {
    const double out = b0_ * in + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = in;
    y2_ = y1_;
    y1_ = out;
    return static_cast<float>(out);
}

Reverb::Reverb(double rate, double room, int spread) : feedback_(static_cast<float>(0.7 + 0.26 * room)) {
    // Freeverb's delays at 44100 Hz.
    const double scale = rate / 44100.0;
    for (int length : {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617}) {
        combs_.push_back({std::vector<float>(static_cast<size_t>((length + spread) * scale)), 0, 0});
    }
    for (int length : {556, 441, 341, 225}) {
        allpasses_.push_back({std::vector<float>(static_cast<size_t>((length + spread) * scale)), 0});
    }
}

float Reverb::Process(float in) {
    float out = 0;
    for (Comb& comb : combs_) {
        const float delayed = comb.line[comb.at];
        comb.store = delayed * (1 - damping_) + comb.store * damping_;
        comb.line[comb.at] = in + comb.store * feedback_;
        comb.at = (comb.at + 1) % comb.line.size();
        out += delayed;
    }
    out /= static_cast<float>(combs_.size());
    for (Allpass& allpass : allpasses_) {
        const float delayed = allpass.line[allpass.at];
        allpass.line[allpass.at] = out + delayed * 0.5f;
        allpass.at = (allpass.at + 1) % allpass.line.size();
        out = delayed - out;
    }
    return out;
}
