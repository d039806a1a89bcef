#include "ModuleBuilder.h"

#include <cstdlib>
#include <set>
#include <stdexcept>

#include "Instruments.h"
#include "SampleMaker.h"

namespace {

constexpr int NoteDelayCommand = 19;  // S, with Dx: the note waits x ticks
constexpr int RowsPerBeat = 4;
constexpr int StartGlobalVolume = 128;
constexpr int MixVolume = 128;

const InstrumentRecipe& SpecOf(const std::string& sound) {
    const InstrumentRecipe* recipe =
        sound.rfind("drum:", 0) == 0 ? FindDrum(sound.back()) : FindInstrument(sound);
    if (!recipe) {
        throw std::logic_error("no sound " + sound);
    }
    return *recipe;
}

}  // namespace

const std::vector<ItSample>& ModuleBuilder::SamplesOf(const std::string& sound) {
    auto found = rendered_.find(sound);
    if (found == rendered_.end()) {
        found = rendered_.emplace(sound, MakeSamples(renderer_, SpecOf(sound))).first;
    }
    return found->second;
}

void ModuleBuilder::AddInstrument(ItModule& module, const std::string& sound, const std::set<int>& notes) {
    const InstrumentRecipe& recipe = SpecOf(sound);
    const std::vector<ItSample>& samples = SamplesOf(sound);
    auto nearest = [&](int note) {
        std::size_t best = 0;
        for (std::size_t k = 1; k < recipe.keys.size(); ++k) {
            if (std::abs(recipe.keys[k] - note) < std::abs(recipe.keys[best] - note)) {
                best = k;
            }
        }
        return best;
    };
    // Only the samples some note of the piece plays go into the module.
    std::map<std::size_t, int> moduleSample;
    for (int note : notes) {
        const std::size_t k = nearest(note);
        if (!moduleSample.contains(k)) {
            moduleSample[k] = static_cast<int>(module.samples.size());
            module.samples.push_back(samples[k]);
        }
    }
    ItInstrument instrument;
    instrument.name = sound;
    instrument.releaseTicks = recipe.releaseTicks;
    for (int note = 0; note < 120; ++note) {
        // Notes the piece never plays borrow the nearest sample it keeps.
        int chosen = moduleSample.begin()->second;
        int distance = 1000;
        for (const auto& [k, index] : moduleSample) {
            if (std::abs(recipe.keys[k] - note) < distance) {
                distance = std::abs(recipe.keys[k] - note);
                chosen = index;
            }
        }
        instrument.sampleForNote[static_cast<std::size_t>(note)] = chosen;
    }
    module.instruments.push_back(instrument);
}

ItModule ModuleBuilder::Build(const Score& score) {
    ItModule module;
    module.title = score.title;
    module.tempo = score.tempo;
    module.speed = score.speed;
    module.globalVolume = StartGlobalVolume;
    module.mixVolume = MixVolume;
    for (const ScoreVoice& voice : score.voices) {
        for (int c = 0; c < voice.Channels(); ++c) {
            module.channelPan.push_back(voice.pan);
            module.channelVolume.push_back(voice.volume);
        }
    }
    // Instruments in the order the piece first uses them, each with the notes it plays.
    std::vector<std::string> sounds;
    std::map<std::string, std::set<int>> notesOf;
    for (const ScoreSection& section : score.sections) {
        for (const std::vector<ScoreNote>& channel : section.channels) {
            for (const ScoreNote& note : channel) {
                if (note.key >= 0) {
                    if (!notesOf.contains(note.sound)) {
                        sounds.push_back(note.sound);
                    }
                    notesOf[note.sound].insert(note.key);
                }
            }
        }
    }
    std::map<std::string, int> instrumentOf;
    for (const std::string& sound : sounds) {
        instrumentOf[sound] = static_cast<int>(module.instruments.size());
        AddInstrument(module, sound, notesOf[sound]);
    }
    for (const ScoreSection& section : score.sections) {
        ItPattern pattern(section.rows, score.Channels());
        for (int channel = 0; channel < score.Channels(); ++channel) {
            for (int row = 0; row < section.rows; ++row) {
                const ScoreNote& note =
                    section.channels[static_cast<std::size_t>(channel)][static_cast<std::size_t>(row)];
                if (note.key == -1) {
                    continue;
                }
                ItCell& cell = pattern.At(row, channel);
                if (note.key == ScoreNote::Off) {
                    cell.note = ItCell::NoteOff;
                } else {
                    cell.note = note.key;
                    cell.instrument = instrumentOf[note.sound];
                    cell.volume = note.volume;
                }
                if (score.swing > 0 && row % RowsPerBeat == RowsPerBeat / 2) {
                    cell.command = NoteDelayCommand;
                    cell.param = 0xD0 | score.swing;
                }
            }
        }
        module.patterns.push_back(pattern);
    }
    module.orders = score.order;
    return module;
}
