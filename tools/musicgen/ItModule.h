#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The parts of an Impulse Tracker module that the music needs, before they are laid out in bytes.

struct ItSample {
    std::string name;
    std::vector<int16_t> pcm;  // mono
    int c5Speed = 44100;       // playback rate of the note C-5 (MIDI key 60)
    int loopStart = -1;        // -1: no loop
    int loopEnd = -1;          // one past the last looped frame
    int globalVolume = 64;     // 0..64
};

struct ItInstrument {
    std::string name;
    int globalVolume = 128;  // 0..128
    int releaseTicks = 8;    // the volume falls to nothing this many ticks after a note off
    // For each note 0..119, the sample (0-based index into the module's samples) it plays.
    std::array<int, 120> sampleForNote{};
};

// One cell of a pattern; negative fields are empty.
struct ItCell {
    static constexpr int NoteOff = 255;
    static constexpr int NoteCut = 254;
    int note = -1;        // 0..119 (60 is C-5, MIDI's middle C), NoteOff or NoteCut
    int instrument = -1;  // 0-based
    int volume = -1;      // volume column 0..64
    int command = 0;      // effect letter as 1..26 (A..Z), 0 for none
    int param = 0;
};

struct ItPattern {
    int rows = 64;
    int channels = 0;
    std::vector<ItCell> cells;  // rows x channels, row by row

    ItPattern(int rowCount, int channelCount)
        : rows(rowCount), channels(channelCount), cells(static_cast<std::size_t>(rowCount * channelCount)) {}
    ItCell& At(int row, int channel) { return cells[static_cast<std::size_t>(row * channels + channel)]; }
    const ItCell& At(int row, int channel) const {
        return cells[static_cast<std::size_t>(row * channels + channel)];
    }
};

struct ItModule {
    std::string title;
    int speed = 6;    // ticks per row
    int tempo = 125;  // beats per minute at four rows a beat and speed 6
    int globalVolume = 128;
    int mixVolume = 48;
    std::vector<int> channelPan;     // per channel, -32 (left) .. 32 (right)
    std::vector<int> channelVolume;  // per channel, 0..64
    std::vector<int> orders;         // pattern indices
    std::vector<ItPattern> patterns;
    std::vector<ItInstrument> instruments;
    std::vector<ItSample> samples;
};
