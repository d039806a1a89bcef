#include "Instruments.h"

#include <cctype>

namespace {

// Keys an octave apart where a sound changes much across its range; the tracker transposes the
// nearest one, never more than half an octave.
const std::vector<InstrumentRecipe>& Melodic() {
    static const std::vector<InstrumentRecipe> sounds = {
        {"piano", 0, false, {48, 60, 72, 84}, 1.6, false, 22050, 10},
        {"epiano", 4, false, {48, 72}, 1.4, false, 22050, 10},
        {"celesta", 8, false, {72, 84}, 1.0, false, 44100, 8},
        {"glockenspiel", 9, false, {79, 91}, 1.0, false, 44100, 10},
        {"musicbox", 10, false, {72, 84}, 1.0, false, 44100, 10},
        {"vibraphone", 11, false, {60, 72}, 1.5, false, 22050, 10},
        {"marimba", 12, false, {60, 72, 84}, 0.7, false, 22050, 6},
        {"xylophone", 13, false, {72, 84}, 0.5, false, 44100, 6},
        {"bells", 14, false, {72}, 1.8, false, 22050, 12},
        {"organ", 16, false, {60, 72}, 0.8, true, 22050, 4},
        {"accordion", 21, false, {60, 72}, 0.8, true, 22050, 5},
        {"nylonguitar", 24, false, {48, 60, 72}, 1.3, false, 22050, 8},
        {"steelguitar", 25, false, {48, 60, 72}, 1.3, false, 22050, 8},
        {"cleanguitar", 27, false, {48, 60, 72}, 1.3, false, 22050, 8},
        {"mutedguitar", 28, false, {48, 60}, 0.4, false, 22050, 4},
        {"acousticbass", 32, false, {36, 48}, 1.4, false, 22050, 5},
        {"fingerbass", 33, false, {36, 48}, 1.4, false, 22050, 5},
        {"pickbass", 34, false, {36, 48}, 1.4, false, 22050, 5},
        {"fretless", 35, false, {36, 48}, 1.4, false, 22050, 5},
        {"slapbass", 36, false, {36, 48}, 1.0, false, 22050, 4},
        {"synthbass", 38, false, {36, 48}, 0.8, true, 22050, 4},
        {"violin", 40, false, {67, 79}, 0.9, true, 22050, 8},
        {"cello", 42, false, {48, 60}, 0.9, true, 22050, 8},
        {"pizzicato", 45, false, {48, 60, 72}, 0.6, false, 22050, 5},
        {"harp", 46, false, {48, 60, 72, 84}, 1.4, false, 22050, 10},
        {"timpani", 47, false, {43}, 1.4, false, 22050, 8},
        {"strings", 48, false, {48, 60, 72}, 1.0, true, 22050, 12},
        {"slowstrings", 49, false, {48, 60, 72}, 1.2, true, 22050, 16},
        {"choir", 52, false, {60, 72}, 1.0, true, 22050, 14},
        {"trumpet", 56, false, {60, 72}, 0.8, true, 22050, 5},
        {"trombone", 57, false, {48, 60}, 0.8, true, 22050, 5},
        {"horn", 60, false, {55, 67}, 0.9, true, 22050, 8},
        {"brass", 61, false, {60, 72}, 0.8, true, 22050, 6},
        {"altosax", 65, false, {60, 72}, 0.8, true, 22050, 6},
        {"oboe", 68, false, {67, 79}, 0.8, true, 22050, 6},
        {"bassoon", 70, false, {48, 60}, 0.8, true, 22050, 6},
        {"clarinet", 71, false, {60, 72}, 0.8, true, 22050, 6},
        {"piccolo", 72, false, {84, 96}, 0.6, true, 44100, 5},
        {"flute", 73, false, {72, 84}, 0.8, true, 44100, 6},
        {"recorder", 74, false, {72, 84}, 0.6, true, 44100, 5},
        {"panflute", 75, false, {72, 84}, 0.8, true, 44100, 8},
        {"ocarina", 79, false, {72, 84}, 0.6, true, 44100, 6},
        {"squarelead", 80, false, {60, 72}, 0.5, true, 22050, 4},
        {"sawlead", 81, false, {60, 72}, 0.5, true, 22050, 4},
        {"warmpad", 89, false, {48, 60, 72}, 1.5, true, 22050, 20},
        {"sitar", 104, false, {60}, 1.4, false, 22050, 8},
        {"banjo", 105, false, {60, 72}, 1.0, false, 22050, 6},
        {"koto", 107, false, {60, 72}, 1.2, false, 22050, 8},
        {"kalimba", 108, false, {72, 84}, 0.9, false, 22050, 8},
        {"fiddle", 110, false, {67, 79}, 0.8, true, 22050, 6},
        {"steeldrums", 114, false, {60, 72, 84}, 1.0, false, 44100, 8},
    };
    return sounds;
}

struct DrumLetter {
    char letter;
    InstrumentRecipe sound;
};

InstrumentRecipe Drum(const char* name, int key, double seconds, int rate) {
    return InstrumentRecipe{name, 0, true, {key}, seconds, false, rate, 4};
}

const std::vector<DrumLetter>& Kit() {
    static const std::vector<DrumLetter> kit = {
        {'k', Drum("kick", 36, 0.45, 22050)},      {'s', Drum("snare", 38, 0.35, 22050)},
        {'x', Drum("sidestick", 37, 0.2, 22050)},  {'p', Drum("clap", 39, 0.3, 22050)},
        {'h', Drum("hat", 42, 0.15, 44100)},       {'f', Drum("pedalhat", 44, 0.2, 44100)},
        {'o', Drum("openhat", 46, 0.6, 44100)},    {'c', Drum("crash", 49, 1.4, 44100)},
        {'r', Drum("ride", 51, 0.9, 44100)},       {'t', Drum("tambourine", 54, 0.35, 44100)},
        {'b', Drum("cowbell", 56, 0.3, 22050)},    {'i', Drum("bongohigh", 60, 0.25, 22050)},
        {'u', Drum("bongolow", 61, 0.3, 22050)},   {'q', Drum("congamute", 62, 0.2, 22050)},
        {'g', Drum("congahigh", 63, 0.35, 22050)}, {'d', Drum("congalow", 64, 0.4, 22050)},
        {'a', Drum("cabasa", 69, 0.2, 44100)},     {'m', Drum("maracas", 70, 0.15, 44100)},
        {'l', Drum("claves", 75, 0.2, 22050)},     {'w', Drum("woodblock", 76, 0.2, 22050)},
        {'n', Drum("triangle", 81, 1.0, 44100)},   {'y', Drum("timbale", 65, 0.4, 22050)},
    };
    return kit;
}

}  // namespace

const InstrumentRecipe* FindInstrument(const std::string& name) {
    for (const InstrumentRecipe& sound : Melodic()) {
        if (sound.name == name) {
            return &sound;
        }
    }
    return nullptr;
}

const InstrumentRecipe* FindDrum(char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    for (const DrumLetter& drum : Kit()) {
        if (drum.letter == lower) {
            return &drum.sound;
        }
    }
    return nullptr;
}

std::string InstrumentNames() {
    std::string names;
    for (const InstrumentRecipe& sound : Melodic()) {
        names += (names.empty() ? "" : " ") + sound.name;
    }
    return names;
}

std::string DrumLetters() {
    std::string letters;
    for (const DrumLetter& drum : Kit()) {
        letters += (letters.empty() ? "" : " ") + std::string(1, drum.letter) + "=" + drum.sound.name;
    }
    return letters;
}
