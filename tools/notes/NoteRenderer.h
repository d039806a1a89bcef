#pragma once

#include <string>
#include <vector>

struct _fluid_hashtable_t;
struct _fluid_synth_t;

// Single notes of the General MIDI instruments of a SoundFont, rendered by FluidSynth without
// reverb or chorus: the raw material of the game's music samples and sampled effects.
class NoteRenderer {
public:
    static constexpr int Rate = 44100;

    // Throws std::runtime_error when the SoundFont cannot be loaded.
    explicit NoteRenderer(const std::string& soundFontPath);
    ~NoteRenderer();
    NoteRenderer(const NoteRenderer&) = delete;
    NoteRenderer& operator=(const NoteRenderer&) = delete;

    // Mono samples in -1..1 at Rate: the key held for holdSeconds, then released and rendered
    // for tailSeconds more. program is a General MIDI program 0..127; with drums, the kit's
    // sound for key (General MIDI percussion numbers) and program picks the kit (0: standard).
    std::vector<float> Render(int program, int key, int velocity, double holdSeconds, double tailSeconds,
                              bool drums = false);

private:
    void SkipToBlockStart(int framesWritten);

    _fluid_hashtable_t* settings_ = nullptr;
    _fluid_synth_t* synth_ = nullptr;
    int soundFont_ = -1;
};

// Debian's fluid-soundfont-gm.
std::string DefaultSoundFontPath();
