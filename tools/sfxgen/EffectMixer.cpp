#include "EffectMixer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

#include "Filters.h"
#include "NoteRenderer.h"

namespace {

constexpr double Rate = NoteRenderer::Rate;
constexpr double TwoPi = 2 * std::numbers::pi;

size_t Frames(double seconds) {
    return static_cast<size_t>(std::lround(std::max(0.0, seconds) * Rate));
}

// Where a sweep stands at share 0..1 of the layer: pitches and cutoffs glide evenly in octaves.
double Exponential(const Sweep& sweep, double share) {
    return sweep.Glides() ? sweep.from * std::pow(sweep.to / sweep.from, share) : sweep.from;
}

double Linear(const Sweep& sweep, double share) {
    return sweep.from + (sweep.to - sweep.from) * share;
}

// Band-limited waves, summed from their harmonics, so that square and saw do not alias into
// whistles above the pitch.
double WaveValue(Layer::Wave wave, double phase, double frequency) {
    if (wave == Layer::Wave::Sine) {
        return std::sin(phase);
    }
    double value = 0;
    const int harmonics = std::clamp(static_cast<int>(12000 / frequency), 1, 40);
    for (int k = 1; k <= harmonics; ++k) {
        if (wave == Layer::Wave::Saw) {
            value += std::sin(k * phase) / k * (k % 2 == 0 ? -1 : 1);
        } else if (k % 2 == 1) {
            const double amplitude = wave == Layer::Wave::Square ? 1.0 / k : 1.0 / (k * k);
            value += std::sin(k * phase) * amplitude * (wave == Layer::Wave::Triangle && k % 4 == 3 ? -1 : 1);
        }
    }
    return wave == Layer::Wave::Saw ? value * 0.6 : wave == Layer::Wave::Square ? value * 0.9 : value * 0.8;
}

std::vector<float> RenderTone(const Layer& layer, double pitch) {
    std::vector<float> out(Frames(layer.length));
    double phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        double frequency = Exponential(layer.freq, t / layer.length) * pitch;
        if (layer.vibrato > 0) {
            frequency *= std::pow(2.0, layer.depth / 12 * std::sin(TwoPi * layer.vibrato * t));
        }
        out[i] = static_cast<float>(WaveValue(layer.wave, phase, frequency));
        phase = std::fmod(phase + TwoPi * frequency / Rate, TwoPi * 64);
    }
    return out;
}

std::vector<float> RenderNoise(const Layer& layer) {
    std::vector<float> out(Frames(layer.length));
    // Seeded by the line so that a description always makes the same file.
    std::mt19937 random(static_cast<unsigned>(layer.line));
    std::uniform_real_distribution<float> sample(-1, 1);
    for (float& value : out) {
        value = sample(random);
    }
    return out;
}

// Small air bubbles: each a sine whose pitch rises as it dies away, scattered over the length.
std::vector<float> RenderBubbles(const Layer& layer, double pitch) {
    std::vector<float> out(Frames(layer.length));
    std::mt19937 random(static_cast<unsigned>(layer.seed));
    std::uniform_real_distribution<double> share(0, 1);
    for (int b = 0; b < layer.count; ++b) {
        const double life = 0.03 + 0.06 * share(random);
        const double start = share(random) * std::max(0.0, layer.length - life);
        const double base = Exponential(layer.freq, share(random)) * pitch;
        const double loudness = 0.4 + 0.6 * share(random);
        double phase = 0;
        const size_t first = Frames(start);
        for (size_t i = 0; i < Frames(life) && first + i < out.size(); ++i) {
            const double t = static_cast<double>(i) / Rate;
            // Dies away and then closes to zero over its last fifth, so no bubble ends in a click.
            const double close = std::min(1.0, (life - t) / (life / 5));
            const double shape = std::min(1.0, t / 0.002) * std::exp(-t / (life / 3)) * close;
            out[first + i] += static_cast<float>(loudness * shape * std::sin(phase));
            phase += TwoPi * base * (1 + 0.8 * t / life) / Rate;
        }
    }
    return out;
}

// The layer's envelope and level: a linear attack, an exponential decay and a linear release
// over the last moments, so every layer starts and ends at silence.
void Shape(const Layer& layer, std::vector<float>& sound) {
    const double gain = std::pow(10.0, layer.level / 20);
    const double length = static_cast<double>(sound.size()) / Rate;
    const double release = std::min(layer.release, length / 2);
    for (size_t i = 0; i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / Rate;
        double amplitude = gain;
        if (layer.attack > 0 && t < layer.attack) {
            amplitude *= t / layer.attack;
        }
        if (layer.decay > 0) {
            amplitude *= std::exp(-std::max(0.0, t - layer.attack) / layer.decay);
        }
        if (release > 0 && t > length - release) {
            amplitude *= (length - t) / release;
        }
        sound[i] *= static_cast<float>(amplitude);
    }
}

void Filter(const Layer& layer, std::vector<float>& sound) {
    constexpr size_t Block = 16;  // cutoffs glide in steps this short
    for (auto [sweep, type] : {std::pair{layer.highpass, Biquad::Type::HighPass},
                               std::pair{layer.lowpass, Biquad::Type::LowPass}}) {
        if (sweep.from == 0) {
            continue;
        }
        Biquad filter(type, Rate);
        for (size_t i = 0; i < sound.size(); ++i) {
            if (i % Block == 0) {
                filter.SetCutoff(Exponential(sweep, static_cast<double>(i) / sound.size()));
            }
            sound[i] = filter.Process(sound[i]);
        }
    }
}

void AddPanned(const Layer& layer, const std::vector<float>& sound, size_t start, StereoSound& mix) {
    const size_t end = start + sound.size();
    if (mix.left.size() < end) {
        mix.left.resize(end);
        mix.right.resize(end);
    }
    for (size_t i = 0; i < sound.size(); ++i) {
        // Equal power: a sound keeps its loudness wherever it stands.
        const double angle =
            (Linear(layer.pan, static_cast<double>(i) / sound.size()) + 1) * std::numbers::pi / 4;
        mix.left[start + i] += static_cast<float>(sound[i] * std::cos(angle));
        mix.right[start + i] += static_cast<float>(sound[i] * std::sin(angle));
    }
}

void AddReverb(const Effect& effect, StereoSound& mix) {
    if (effect.reverb <= 0) {
        return;
    }
    const size_t tail = Frames(0.3 + 2.0 * effect.room);
    mix.left.resize(mix.left.size() + tail);
    mix.right.resize(mix.left.size());
    Reverb left(Rate, effect.room, 0);
    Reverb right(Rate, effect.room, 23);
    const auto wet = static_cast<float>(effect.reverb);
    for (size_t i = 0; i < mix.left.size(); ++i) {
        const float in = 0.5f * (mix.left[i] + mix.right[i]);
        mix.left[i] += wet * left.Process(in);
        mix.right[i] += wet * right.Process(in);
    }
}

float Peak(const StereoSound& mix) {
    float peak = 0;
    for (const auto* channel : {&mix.left, &mix.right}) {
        for (float value : *channel) {
            peak = std::max(peak, std::abs(value));
        }
    }
    return peak;
}

// Cuts what rings on below -50 dB of the peak (the fade at the end takes it to silence), or past
// the effect's length; true when the length cut it.
bool Trim(const Effect& effect, float peak, StereoSound& mix) {
    const float quiet = peak * 0.00316f;
    size_t end = mix.left.size();
    while (end > 0 && std::abs(mix.left[end - 1]) < quiet && std::abs(mix.right[end - 1]) < quiet) {
        --end;
    }
    const bool cut = effect.maxLength > 0 && end > Frames(effect.maxLength);
    if (cut) {
        end = Frames(effect.maxLength);
    }
    mix.left.resize(end);
    mix.right.resize(end);
    return cut;
}

// A cut sound fades out for longer, so the ringing it cuts dies away rather than stopping.
void FadeAndLevel(float peak, bool cut, StereoSound& mix) {
    const size_t fadeIn = std::min(mix.left.size() / 2, Frames(0.002));
    const size_t fadeOut =
        cut ? std::min(mix.left.size() / 4, Frames(0.08)) : std::min(mix.left.size() / 2, Frames(0.03));
    const double gain = std::pow(10.0, EffectMixer::PeakLevel / 20) / peak;
    const size_t size = mix.left.size();
    for (size_t i = 0; i < size; ++i) {
        double amplitude = gain;
        if (i < fadeIn) {
            const double rise = static_cast<double>(i) / fadeIn;
            amplitude *= rise * rise;  // gentler than a line at the very start, where the encoder smears
        }
        if (size - i <= fadeOut) {
            amplitude *= static_cast<double>(size - i - 1) / fadeOut;
        }
        mix.left[i] = static_cast<float>(mix.left[i] * amplitude);
        mix.right[i] = static_cast<float>(mix.right[i] * amplitude);
    }
}

}  // namespace

EffectMixer::EffectMixer(std::string soundFontPath) : soundFontPath_(std::move(soundFontPath)) {}

EffectMixer::~EffectMixer() = default;

NoteRenderer& EffectMixer::Notes() {
    if (!notes_) {
        notes_ = std::make_unique<NoteRenderer>(soundFontPath_);
    }
    return *notes_;
}

std::vector<float> EffectMixer::RenderNote(const Layer& layer, int repeat) {
    const int key = layer.key + static_cast<int>(std::lround(layer.step * repeat));
    return Notes().Render(layer.program, std::clamp(key, 0, 127), layer.velocity, layer.hold, layer.tail,
                          layer.kind == Layer::Kind::Drum);
}

std::vector<float> EffectMixer::RenderOnce(const Layer& layer, int repeat) {
    const double pitch = std::pow(2.0, layer.step * repeat / 12);
    switch (layer.kind) {
        case Layer::Kind::Note:
        case Layer::Kind::Drum:
            return RenderNote(layer, repeat);
        case Layer::Kind::Tone:
            return RenderTone(layer, pitch);
        case Layer::Kind::Noise:
            return RenderNoise(layer);
        case Layer::Kind::Bubbles:
            return RenderBubbles(layer, pitch);
    }
    return {};
}

StereoSound EffectMixer::Mix(const Effect& effect) {
    StereoSound mix;
    for (const Layer& layer : effect.layers) {
        for (int repeat = 0; repeat < layer.repeat; ++repeat) {
            std::vector<float> sound = RenderOnce(layer, repeat);
            Filter(layer, sound);
            Shape(layer, sound);
            AddPanned(layer, sound, Frames(layer.at + repeat * layer.every), mix);
        }
    }
    AddReverb(effect, mix);
    const float peak = Peak(mix);
    if (peak <= 0) {
        throw DescriptionError(effect.name + ": the effect is silent");
    }
    const bool cut = Trim(effect, peak, mix);
    FadeAndLevel(Peak(mix), cut, mix);
    return mix;
}
