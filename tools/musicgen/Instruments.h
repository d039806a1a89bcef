#pragma once

#include <string>
#include <vector>

// How one sound of the General MIDI SoundFont becomes module samples.
struct InstrumentRecipe {
    std::string name;
    int program = 0;        // General MIDI program 0..127
    bool drum = false;      // a sound of the standard kit; keys[0] is its percussion number
    std::vector<int> keys;  // the MIDI keys rendered; each note plays the nearest one, transposed
    double seconds = 1.0;   // sample length (held notes: the length rendered before the loop is cut)
    bool sustains = false;  // looped while the key is held
    int rate = 22050;       // 22050 or 44100
    int releaseTicks = 6;   // fade after a note off, in tracker ticks
};

// The melodic instruments by the name a music file gives them; null when unknown.
const InstrumentRecipe* FindInstrument(const std::string& name);
// The drum kit's sounds by their one-letter name in a drum line (lower case); null when unknown.
const InstrumentRecipe* FindDrum(char letter);
// Every instrument name and drum letter, for messages and the guide.
std::string InstrumentNames();
std::string DrumLetters();
