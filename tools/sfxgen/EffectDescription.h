#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

// A value that may glide over a layer's length: "440" or "440..880".
struct Sweep {
    double from = 0;
    double to = 0;
    bool Glides() const { return from != to; }
};

// One sound of an effect, placed at a time. Notes are General MIDI notes of the SoundFont; tones,
// noise and bubbles are synthesised.
struct Layer {
    enum class Kind { Note, Drum, Tone, Noise, Bubbles };
    enum class Wave { Sine, Triangle, Square, Saw };

    Kind kind = Kind::Tone;
    int line = 0;  // where it was described, for messages
    double at = 0;
    double level = 0;  // dB
    Sweep pan;         // -1 left .. 1 right
    Sweep lowpass;     // Hz; 0 is none
    Sweep highpass;    // Hz; 0 is none
    double attack = 0;
    double decay = 0;  // time constant of an exponential fall; 0 holds the level
    double release = 0.01;
    int repeat = 1;  // the layer sounds again every `every` seconds, `step` semitones higher
    double every = 0;
    double step = 0;

    // Notes and drums.
    int program = 0;
    int key = -1;
    int velocity = 100;
    double hold = 0.1;
    double tail = 0.5;

    // Tones, noise and bubbles.
    double length = 0;
    Sweep freq;
    Wave wave = Wave::Sine;
    double vibrato = 0;  // Hz
    double depth = 0;    // semitones
    int count = 0;       // bubbles
    int seed = 1;

    // How long the layer sounds once, from its start.
    double Duration() const { return kind == Kind::Note || kind == Kind::Drum ? hold + tail : length; }
};

struct Effect {
    std::string name;      // the file name without .sfx: the .ogg it becomes
    double reverb = 0;     // wet share 0..1
    double room = 0.5;     // 0 small .. 1 large
    double maxLength = 0;  // seconds; 0 is as long as it rings
    std::vector<Layer> layers;
};

// A description that cannot be read; what() names the file and line.
struct DescriptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads an effect description (assets/sfx/NAME.sfx). One line per layer, "kind key=value ...";
// # starts a comment; times are in seconds, levels in dB, a glide is written "from..to".
//   effect reverb=0.2 room=0.5 length=2        wet share, room size, a cut (all optional)
//   note program=12 key=79 velocity=90 hold=0.1 tail=0.4    a General MIDI note
//   drum key=81 ...                                          a note of the standard kit
//   tone wave=sine freq=400..900 length=0.2 vibrato=6 depth=0.5
//   noise length=0.3 lowpass=4000..500 highpass=200
//   bubbles length=0.8 count=20 freq=300..1200 seed=3
// Every layer also takes at, level, pan, lowpass, highpass, attack, decay (an exponential fall's
// time constant), release, and repeat=N every=T step=SEMITONES.
Effect ReadEffect(const std::filesystem::path& file);
Effect ParseEffect(const std::string& text, const std::string& fileName);
