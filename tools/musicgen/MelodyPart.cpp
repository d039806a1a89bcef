#include "MelodyPart.h"

#include <cctype>
#include <optional>
#include <string>

namespace {

constexpr int MelodyVolume = 52;

// w h q e s: 16, 8, 4, 2 and 1 rows; a dot adds half; letters add up ("qe" is six rows).
int Duration(const std::string& text, std::size_t from) {
    int rows = 0;
    int last = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        const int value = c == 'w' ? 16 : c == 'h' ? 8 : c == 'q' ? 4 : c == 'e' ? 2 : c == 's' ? 1 : 0;
        if (value > 0) {
            rows += value;
            last = value;
        } else if (c == '.' && last > 1) {
            rows += last / 2;
            last = 0;
        } else {
            return -1;
        }
    }
    return rows > 0 ? rows : -1;
}

int DegreeKey(const Chord& chord, char degree, int low) {
    const int bass = low + ((chord.bass - low) % 12 + 12) % 12;
    const int root = low + ((chord.root - low) % 12 + 12) % 12;
    const auto tone = [&](std::size_t index) {
        return index < chord.intervals.size() ? root + chord.intervals[index] : root + 12;
    };
    switch (degree) {
        case '1':
            return bass;
        case '3':
            return tone(1);
        case '5':
            return tone(2);
        case '7':
            return tone(3);
        default:
            return root + 12;
    }
}

}  // namespace

void LayMelody(const ScoreText& text, const ScoreVoice& voice, const std::vector<Token>& tokens,
               const RowChords& chords, ScoreSection& section) {
    // Read once, laid as often as it fits: a one-bar bass figure serves a whole section, its
    // degrees following the chords.
    struct Event {
        int row;
        int key;      // MIDI key, ScoreNote::Off, or -1 for a degree
        char degree;  // '1' '3' '5' '7' '8'
        int shift;    // octaves of a degree
        int volume;
        int line;
    };
    std::vector<Event> events;
    int row = 0;
    int volume = MelodyVolume;
    for (const Token& token : tokens) {
        const std::string& t = token.text;
        if (t == "|") {
            if (row % RowsPerBar != 0) {
                text.Fail(token.line, voice.name + ": bar " + std::to_string(row / RowsPerBar + 1) +
                                          " ends " + std::to_string(row % RowsPerBar) +
                                          " rows into the next");
            }
            continue;
        }
        if (t[0] == 'v' && t.size() > 1 && std::isdigit(static_cast<unsigned char>(t[1]))) {
            volume = text.Number(t.substr(1), 0, 64, token.line, "a volume");
            continue;
        }
        Event event{row, -1, 0, 0, volume, token.line};
        std::size_t durationAt = 1;
        bool valid = true;
        if (t[0] == 'r') {
            event.key = ScoreNote::Off;
        } else if (t[0] == '-') {
            event.key = -3;  // a hold: nothing new
        } else if (std::string("13578").find(t[0]) != std::string::npos) {
            event.degree = t[0];
            for (; durationAt < t.size() && (t[durationAt] == ',' || t[durationAt] == '\''); ++durationAt) {
                event.shift += t[durationAt] == ',' ? -1 : 1;
            }
        } else {
            int length = 0;
            event.key = NoteKey(t, &length);
            durationAt = static_cast<std::size_t>(length);
            valid = event.key >= 0;
        }
        const int rows = valid ? Duration(t, durationAt) : -1;
        if (rows < 0) {
            text.Fail(token.line,
                      voice.name + ": \"" + t +
                          "\" is not a note (C4q, F#3e.), a degree (1q, 5,e), a rest (rq), a hold (-q) or a "
                          "volume (v40)");
        }
        if (row + rows > section.rows) {
            text.Fail(token.line, voice.name + ": the notes run past the end of section " + section.name);
        }
        if (event.key != -3) {
            events.push_back(event);
        }
        row += rows;
    }
    if (row == 0 || section.rows % row != 0) {
        text.Fail(tokens.empty() ? 0 : tokens.back().line,
                  voice.name + ": the notes fill " + std::to_string(row) + " rows of section " +
                      section.name + "'s " + std::to_string(section.rows));
    }
    std::vector<ScoreNote>& notes = section.channels[static_cast<std::size_t>(voice.firstChannel)];
    for (int start = 0; start < section.rows; start += row) {
        for (const Event& event : events) {
            const int at = start + event.row;
            int key = event.key;
            if (event.degree) {
                const std::optional<Chord>& chord = chords[static_cast<std::size_t>(at)];
                if (!chord) {
                    text.Fail(event.line, voice.name + ": a degree falls where section " + section.name +
                                              " gives no chord");
                }
                key = DegreeKey(*chord, event.degree, voice.low) + 12 * event.shift;
            }
            notes[static_cast<std::size_t>(at)] = {key, voice.instrument,
                                                   key == ScoreNote::Off ? -1 : event.volume};
        }
    }
}
