#pragma once

#include <vector>

#include "Instruments.h"
#include "ItModule.h"

class NoteRenderer;

// Renders a sound's notes from the SoundFont into module samples: trimmed, brought to the
// sound's rate, looped in the sustain when the sound holds (a loop of whole periods where the
// wave matches best, with a short crossfade), and at a common peak level so that volumes alone
// balance the instruments. One sample per rendered key, in the order of recipe.keys.
std::vector<ItSample> MakeSamples(NoteRenderer& renderer, const InstrumentRecipe& recipe);

// The loop found for a held sound, in frames; exposed for its test.
struct SampleLoop {
    int start = 0;
    int end = 0;
};
SampleLoop FindSustainLoop(const std::vector<float>& wave, double periodFrames, int rate);
