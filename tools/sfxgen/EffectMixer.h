#pragma once

#include <memory>
#include <string>
#include <vector>

#include "EffectDescription.h"

class NoteRenderer;

struct StereoSound {
    std::vector<float> left;
    std::vector<float> right;
};

// Mixes an effect's layers at NoteRenderer::Rate, adds its reverb, trims the silent end, fades both
// ends so nothing clicks and brings the peak to PeakLevel.
class EffectMixer {
public:
    static constexpr double PeakLevel = -3.0;  // dBFS

    // The SoundFont is loaded on the first note, so effects without notes do not wait for it.
    explicit EffectMixer(std::string soundFontPath);
    ~EffectMixer();

    StereoSound Mix(const Effect& effect);

private:
    std::vector<float> RenderOnce(const Layer& layer, int repeat);
    std::vector<float> RenderNote(const Layer& layer, int repeat);
    NoteRenderer& Notes();

    std::string soundFontPath_;
    std::unique_ptr<NoteRenderer> notes_;
};
