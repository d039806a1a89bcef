#include "NoteRenderer.h"

#include <cmath>
#include <fluidsynth.h>
#include <stdexcept>

namespace {

constexpr int MelodicChannel = 0;
constexpr int DrumChannel = 9;
constexpr int DrumBank = 128;

int Frames(double seconds) {
    return static_cast<int>(std::lround(seconds * NoteRenderer::Rate));
}

}  // namespace

// The synth works in blocks and starts a note at the next block: a render that leaves it mid-block
// would shift the next note, and the same note would not come out the same twice.
void NoteRenderer::SkipToBlockStart(int framesWritten) {
    const int block = fluid_synth_get_internal_bufsize(synth_);
    const int rest = (block - framesWritten % block) % block;
    std::vector<float> discard(static_cast<std::size_t>(rest) * 2);
    fluid_synth_write_float(synth_, rest, discard.data(), 0, 2, discard.data(), 1, 2);
}

NoteRenderer::NoteRenderer(const std::string& soundFontPath) {
    settings_ = new_fluid_settings();
    fluid_settings_setnum(settings_, "synth.sample-rate", Rate);
    fluid_settings_setint(settings_, "synth.reverb.active", 0);
    fluid_settings_setint(settings_, "synth.chorus.active", 0);
    fluid_settings_setnum(settings_, "synth.gain", 1.0);
    synth_ = new_fluid_synth(settings_);
    soundFont_ = synth_ ? fluid_synth_sfload(synth_, soundFontPath.c_str(), 1) : FLUID_FAILED;
    if (soundFont_ == FLUID_FAILED) {
        throw std::runtime_error("cannot load the SoundFont " + soundFontPath);
    }
}

NoteRenderer::~NoteRenderer() {
    if (synth_) {
        delete_fluid_synth(synth_);
    }
    delete_fluid_settings(settings_);
}

std::vector<float> NoteRenderer::Render(int program, int key, int velocity, double holdSeconds,
                                        double tailSeconds, bool drums) {
    const int channel = drums ? DrumChannel : MelodicChannel;
    fluid_synth_system_reset(synth_);
    fluid_synth_program_select(synth_, channel, soundFont_, drums ? DrumBank : 0, program);
    const int held = Frames(holdSeconds);
    const int tail = Frames(tailSeconds);
    std::vector<float> left(static_cast<std::size_t>(held + tail));
    std::vector<float> right(left.size());
    fluid_synth_noteon(synth_, channel, key, velocity);
    fluid_synth_write_float(synth_, held, left.data(), 0, 1, right.data(), 0, 1);
    fluid_synth_noteoff(synth_, channel, key);
    fluid_synth_write_float(synth_, tail, left.data() + held, 0, 1, right.data() + held, 0, 1);
    SkipToBlockStart(held + tail);
    // The General MIDI patches pan some notes a little; the samples are mono.
    for (std::size_t i = 0; i < left.size(); ++i) {
        left[i] = 0.5f * (left[i] + right[i]);
    }
    return left;
}

std::string DefaultSoundFontPath() {
    return "/usr/share/sounds/sf2/FluidR3_GM.sf2";
}
