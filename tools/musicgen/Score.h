#pragma once

#include <string>
#include <vector>

// A piece as its music file describes it, each section already laid out row by row (four rows
// a beat, sixteen a bar) on the channels its voices own.

struct ScoreNote {
    static constexpr int Off = -2;
    int key = -1;       // MIDI key, Off, or -1 for nothing new
    std::string sound;  // an instrument name, or "drum:" and the kit letter
    int volume = -1;    // 0..64
};

struct ScoreVoice {
    std::string name;
    std::string instrument;  // "kit" for drums
    int volume = 48;         // channel volume 0..64
    int pan = 0;             // -32..32
    int chordNotes = 0;      // more than 0: the voice plays the chord line on this many channels
    int near = 60;           // where its chords are voiced
    int low = 36;            // the lowest note that chord degrees (1 3 5 7 8) reach
    int firstChannel = 0;
    int Channels() const { return chordNotes > 0 ? chordNotes : 1; }
};

struct ScoreSection {
    std::string name;
    int rows = 0;
    std::vector<std::vector<ScoreNote>> channels;  // [channel][row]
};

struct Score {
    std::string title;
    int tempo = 120;
    int speed = 6;
    int swing = 0;  // ticks by which the second eighth of each beat comes late
    std::vector<ScoreVoice> voices;
    std::vector<ScoreSection> sections;
    std::vector<int> order;  // indices into sections
    int Channels() const {
        return voices.empty() ? 0 : voices.back().firstChannel + voices.back().Channels();
    }
};
