#pragma once

#include <optional>
#include <string>
#include <vector>

// A chord symbol: C, F#m7, Bb/D, Gsus4, Am7b5 ...
struct Chord {
    int root = 0;                // pitch class 0..11 (C = 0)
    int bass = 0;                // pitch class of the lowest note (the root unless a slash names one)
    std::vector<int> intervals;  // semitones above the root, the root's 0 first
};

// Empty when the symbol is not one of the known forms.
std::optional<Chord> ParseChord(const std::string& symbol);
// The qualities a symbol may carry after its root, for messages and the guide.
std::string ChordQualities();

// A pitch class of "C", "F#", "Bb" ...; -1 when it is none.
int ParsePitchClass(const std::string& name);

// Voices the chord on `count` notes (MIDI keys, low to high) around `near`, moving as little as
// possible from `previous` (empty for a fresh start): root, third and seventh come first, the
// fifth is left out before them, and notes are doubled only when the chord has too few.
std::vector<int> VoiceChord(const Chord& chord, int count, int near, const std::vector<int>& previous);
