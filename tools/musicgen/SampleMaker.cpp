#include "SampleMaker.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "NoteRenderer.h"

namespace {

constexpr float PeakLevel = 0.89f;  // -1 dBFS
constexpr float SilenceLevel = 1e-3f;
constexpr int Velocity = 100;

double KeyFrequency(int key) {
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

std::vector<float> TrimStart(const std::vector<float>& wave) {
    const auto first =
        std::find_if(wave.begin(), wave.end(), [](float v) { return std::fabs(v) > SilenceLevel; });
    const auto keep = std::distance(wave.begin(), first) > 8 ? first - 8 : wave.begin();
    return std::vector<float>(keep, wave.end());
}

// Halves the rate behind a windowed-sinc low pass at 0.45 of the new rate, so the upper partials
// of bright sounds do not fold back as noise.
std::vector<float> HalveRate(const std::vector<float>& wave) {
    constexpr int Half = 24;
    constexpr double Cutoff = 0.45 * 0.5;  // of the old rate
    std::vector<double> taps(2 * Half + 1);
    double sum = 0;
    for (int i = -Half; i <= Half; ++i) {
        const double x = 2 * Cutoff * i;
        const double sinc = i == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
        const double window = 0.5 + 0.5 * std::cos(std::numbers::pi * i / (Half + 1));
        taps[static_cast<std::size_t>(i + Half)] = sinc * window;
        sum += sinc * window;
    }
    const int length = static_cast<int>(wave.size());
    std::vector<float> out;
    for (int centre = 0; centre < length; centre += 2) {
        double value = 0;
        for (int i = -Half; i <= Half; ++i) {
            const int at = centre + i;
            if (at >= 0 && at < length) {
                value += taps[static_cast<std::size_t>(i + Half)] * wave[static_cast<std::size_t>(at)];
            }
        }
        out.push_back(static_cast<float>(value / sum));
    }
    return out;
}

void FadeOutEnd(std::vector<float>& wave, double fraction) {
    const std::size_t fade = static_cast<std::size_t>(static_cast<double>(wave.size()) * fraction);
    for (std::size_t i = 0; i < fade; ++i) {
        const double t = static_cast<double>(i + 1) / static_cast<double>(fade);
        wave[wave.size() - fade + i] *= static_cast<float>(0.5 + 0.5 * std::cos(std::numbers::pi * t));
    }
}

void CrossfadeIntoLoop(std::vector<float>& wave, const SampleLoop& loop, int fade) {
    for (int i = 0; i < fade; ++i) {
        const float w = static_cast<float>(i + 1) / static_cast<float>(fade + 1);
        float& tail = wave[static_cast<std::size_t>(loop.end - fade + i)];
        tail = (1 - w) * tail + w * wave[static_cast<std::size_t>(loop.start - fade + i)];
    }
    wave.resize(static_cast<std::size_t>(loop.end));
}

std::vector<int16_t> ToPcm(const std::vector<float>& wave) {
    float peak = 0;
    for (float v : wave) {
        peak = std::max(peak, std::fabs(v));
    }
    const float gain = peak > 0 ? PeakLevel / peak : 0.0f;
    std::vector<int16_t> pcm(wave.size());
    std::transform(wave.begin(), wave.end(), pcm.begin(),
                   [gain](float v) { return static_cast<int16_t>(std::lround(v * gain * 32767.0f)); });
    return pcm;
}

ItSample MakeOne(NoteRenderer& renderer, const InstrumentRecipe& recipe, int key) {
    const double rendered = recipe.sustains ? recipe.seconds + 0.6 : recipe.seconds;
    std::vector<float> wave = TrimStart(
        renderer.Render(recipe.program, key, Velocity, rendered, recipe.drum ? 0.1 : 0.0, recipe.drum));
    if (recipe.rate * 2 == NoteRenderer::Rate) {
        wave = HalveRate(wave);
    }
    ItSample sample;
    sample.name = recipe.name + " " + std::to_string(key);
    if (recipe.sustains) {
        const SampleLoop loop = FindSustainLoop(wave, recipe.rate / KeyFrequency(key), recipe.rate);
        CrossfadeIntoLoop(wave, loop, std::min((loop.end - loop.start) / 4, recipe.rate / 40));
        sample.loopStart = loop.start;
        sample.loopEnd = loop.end;
    } else {
        FadeOutEnd(wave, recipe.drum ? 0.3 : 0.2);
    }
    sample.pcm = ToPcm(wave);
    // A drum plays at its own pitch on C-5; a note sounds at its key when played on that key.
    sample.c5Speed =
        static_cast<int>(std::lround(recipe.rate * (recipe.drum ? 1.0 : std::pow(2.0, (60 - key) / 12.0))));
    return sample;
}

}  // namespace

SampleLoop FindSustainLoop(const std::vector<float>& wave, double periodFrames, int rate) {
    constexpr int Window = 48;
    const int length = static_cast<int>(wave.size());
    // Whole periods adding up to about a quarter second: long enough to hide the repeat, short
    // enough to keep the sample small.
    const int periods = std::max(1, static_cast<int>(std::lround(0.25 * rate / periodFrames)));
    const int nominal = static_cast<int>(std::lround(periods * periodFrames));
    SampleLoop best{length / 2, length / 2 + nominal};
    double bestScore = 1e30;
    const int firstStart = std::max(Window + rate / 40, length * 2 / 5);
    for (int loopLength = nominal - 2; loopLength <= nominal + 2; ++loopLength) {
        for (int start = firstStart; start + loopLength + Window < length; ++start) {
            double score = 0;
            for (int j = -Window; j < Window && score < bestScore; ++j) {
                const double d = wave[static_cast<std::size_t>(start + j)] -
                                 wave[static_cast<std::size_t>(start + loopLength + j)];
                score += d * d;
            }
            if (score < bestScore) {
                bestScore = score;
                best = {start, start + loopLength};
            }
        }
    }
    return best;
}

std::vector<ItSample> MakeSamples(NoteRenderer& renderer, const InstrumentRecipe& recipe) {
    std::vector<ItSample> samples;
    for (int key : recipe.keys) {
        samples.push_back(MakeOne(renderer, recipe, key));
    }
    return samples;
}
