#pragma once

#include <cstddef>
#include <vector>

// A second-order filter (the audio cookbook's low and high pass), its cutoff settable while it runs.
class Biquad {
public:
    enum class Type { LowPass, HighPass };

    Biquad(Type type, double rate) : type_(type), rate_(rate) {}
    void SetCutoff(double hertz, double q = 0.7071);
    float Process(float in);

private:
    Type type_;
    double rate_;
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// A small room: parallel damped combs into allpasses (Schroeder, as Freeverb tunes it), the right
// channel's delays a little longer than the left's so the tail spreads.
class Reverb {
public:
    // room 0..1 lengthens the tail.
    Reverb(double rate, double room, int spread);
    float Process(float in);

private:
    struct Comb {
        std::vector<float> line;
        std::size_t at = 0;
        float store = 0;
    };
    struct Allpass {
        std::vector<float> line;
        std::size_t at = 0;
    };
    std::vector<Comb> combs_;
    std::vector<Allpass> allpasses_;
    float feedback_;
    float damping_ = 0.4f;
};
