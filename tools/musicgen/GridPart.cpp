#include "GridPart.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "Instruments.h"

namespace {

constexpr int NormalVolume = 44;
constexpr int AccentStep = 16;

std::string ChordKey(const Chord& chord) {
    std::string key = std::to_string(chord.root) + "/" + std::to_string(chord.bass);
    for (int interval : chord.intervals) {
        key += " " + std::to_string(interval);
    }
    return key;
}

}  // namespace

void LayGrid(const ScoreText& text, const ScoreVoice& voice, const std::vector<Token>& tokens,
             const RowChords& chords, LastVoicing& last, ScoreSection& section) {
    struct Step {
        char c;
        int volume;
        int line;
    };
    std::vector<Step> steps;
    int volume = NormalVolume;
    for (const Token& token : tokens) {
        const std::string& t = token.text;
        if (t[0] == 'v' && t.size() > 1 && std::isdigit(static_cast<unsigned char>(t[1]))) {
            volume = text.Number(t.substr(1), 0, 64, token.line, "a volume");
            continue;
        }
        for (char c : t) {
            if (c != '|') {
                steps.push_back({c, volume, token.line});
            }
        }
    }
    const int given = static_cast<int>(steps.size());
    if (given == 0 || section.rows % given != 0) {
        text.Fail(tokens.empty() ? 0 : tokens.front().line,
                  voice.name + ": " + std::to_string(given) + " steps do not fill the " +
                      std::to_string(section.rows) + " rows of section " + section.name + " evenly");
    }
    const bool drums = voice.instrument == "kit";
    // What a section inherits may still ring, so its first stop is always written.
    std::vector<bool> sounding(static_cast<std::size_t>(voice.Channels()), true);
    for (int row = 0; row < section.rows; ++row) {
        const Step& step = steps[static_cast<std::size_t>(row % given)];
        const bool accent = std::isupper(static_cast<unsigned char>(step.c));
        const int stepVolume = std::min(64, step.volume + (accent ? AccentStep : 0));
        auto at = [&](int channel) -> ScoreNote& {
            return section.channels[static_cast<std::size_t>(voice.firstChannel + channel)]
                                   [static_cast<std::size_t>(row)];
        };
        if (step.c == '-' || (drums && step.c == '.')) {
            continue;
        }
        if (drums) {
            if (!FindDrum(step.c)) {
                text.Fail(step.line, voice.name + ": \"" + std::string(1, step.c) +
                                         "\" is no drum; drums: " + DrumLetters());
            }
            at(0) = {60, "drum:" + std::string(1, static_cast<char>(std::tolower(step.c))), stepVolume};
            continue;
        }
        if (step.c == '.') {
            for (int c = 0; c < voice.chordNotes; ++c) {
                if (sounding[static_cast<std::size_t>(c)]) {
                    at(c) = {ScoreNote::Off, voice.instrument, -1};
                    sounding[static_cast<std::size_t>(c)] = false;
                }
            }
            continue;
        }
        const bool all = step.c == 'x' || step.c == 'X';
        const int only = step.c - '1';
        if (!all && (only < 0 || only >= voice.chordNotes)) {
            text.Fail(step.line, voice.name + ": \"" + std::string(1, step.c) +
                                     "\" is none of x X - . or a note 1.." +
                                     std::to_string(voice.chordNotes));
        }
        const std::optional<Chord>& chord = chords[static_cast<std::size_t>(row)];
        if (!chord) {
            text.Fail(step.line,
                      voice.name + ": a chord is struck where section " + section.name + " gives none");
        }
        // Voiced again only when the chord changed since the last strike, from where it was.
        const std::string symbol = ChordKey(*chord);
        if (last.keys.empty() || last.chord != symbol) {
            last.keys = VoiceChord(*chord, voice.chordNotes, voice.near, last.keys);
            last.chord = symbol;
        }
        for (int c = 0; c < voice.chordNotes; ++c) {
            if (all || c == only) {
                at(c) = {last.keys[static_cast<std::size_t>(c)], voice.instrument, stepVolume};
                sounding[static_cast<std::size_t>(c)] = true;
            }
        }
    }
}
