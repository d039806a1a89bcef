#include "ScoreReader.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "Chords.h"
#include "Instruments.h"

namespace {

constexpr int RowsPerBeat = 4;
constexpr int RowsPerBar = 16;
constexpr int MaxBars = 12;  // a pattern holds at most 200 rows
constexpr int NormalVolume = 44;
constexpr int AccentStep = 16;
constexpr int MelodyVolume = 52;

struct Token {
    std::string text;
    int line = 0;
};

struct RawSection {
    std::string name;
    int bars = 0;
    int line = 0;
    std::map<std::string, std::vector<Token>> parts;  // voice name (or "chords") to its tokens
};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

class Reader {
public:
    explicit Reader(std::string fileName) : file_(std::move(fileName)) {}

    Score Read(const std::string& text);

private:
    [[noreturn]] void Fail(int line, const std::string& message) const {
        throw std::runtime_error(file_ + ":" + std::to_string(line) + ": " + message);
    }
    int Number(const std::string& word, int low, int high, int line, const std::string& what) const;
    int Key(const std::string& name, int line) const;
    void ReadLine(const std::string& line, int number);
    void ReadVoice(const std::vector<std::string>& words, int line);
    void ReadSection(const std::vector<std::string>& words, int line);
    void ReadOrder(const std::vector<std::string>& words, int line);
    const ScoreVoice* FindVoice(const std::string& name) const;

    ScoreSection Lay(const RawSection& raw);
    std::vector<std::optional<Chord>> LayChords(const RawSection& raw, int rows);
    void LayMelody(const ScoreVoice& voice, const std::vector<Token>& tokens,
                   const std::vector<std::optional<Chord>>& chords, ScoreSection& section);
    void LayGrid(const ScoreVoice& voice, const std::vector<Token>& tokens,
                 const std::vector<std::optional<Chord>>& chords, ScoreSection& section);

    std::string file_;
    Score score_;
    std::vector<RawSection> raw_;
    std::vector<std::pair<std::vector<std::string>, int>> orderLine_;
    std::map<std::string, std::vector<int>> voicings_;  // each chord voice's last voicing
    std::map<std::string, std::string> voicedChord_;    // and the chord it was made for
    std::map<std::string, bool> replaced_;              // parts of a "like" section already rewritten
};

int Reader::Number(const std::string& word, int low, int high, int line, const std::string& what) const {
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(word, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != word.size() || value < low || value > high) {
        Fail(line, what + " must be a whole number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not \"" + word + "\"");
    }
    return value;
}

// "C4" is middle C (MIDI 60); "F#3", "Bb5".
int Key(const std::string& name, int* length) {
    std::size_t at = 1;
    if (name.size() > 1 && (name[1] == '#' || name[1] == 'b')) {
        at = 2;
    }
    const int pc = ParsePitchClass(name.substr(0, at));
    if (pc < 0 || at >= name.size() || !std::isdigit(static_cast<unsigned char>(name[at]))) {
        return -1;
    }
    *length = static_cast<int>(at + 1);
    return 12 * (name[at] - '0' + 1) + pc;
}

int Reader::Key(const std::string& name, int line) const {
    int length = 0;
    const int key = ::Key(name, &length);
    if (key < 0 || length != static_cast<int>(name.size())) {
        Fail(line, "\"" + name + "\" is not a note such as C4, F#3 or Bb5");
    }
    return key;
}

const ScoreVoice* Reader::FindVoice(const std::string& name) const {
    for (const ScoreVoice& voice : score_.voices) {
        if (voice.name == name) {
            return &voice;
        }
    }
    return nullptr;
}

void Reader::ReadVoice(const std::vector<std::string>& words, int line) {
    if (words.size() < 3 || words.size() % 2 == 0) {
        Fail(line, "a voice is: voice NAME INSTRUMENT [vol N] [pan N] [chord N] [near NOTE] [low NOTE]");
    }
    if (!raw_.empty()) {
        Fail(line, "voices come before the first section");
    }
    ScoreVoice voice;
    voice.name = words[1];
    voice.instrument = words[2];
    if (FindVoice(voice.name) || voice.name == "chords") {
        Fail(line, "the voice name \"" + voice.name + "\" is taken");
    }
    if (voice.instrument != "kit" && !FindInstrument(voice.instrument)) {
        Fail(line, "unknown instrument \"" + voice.instrument + "\"; known: kit " + InstrumentNames());
    }
    for (std::size_t i = 3; i + 1 < words.size(); i += 2) {
        const std::string& key = words[i];
        const std::string& value = words[i + 1];
        if (key == "vol") {
            voice.volume = Number(value, 0, 64, line, "vol");
        } else if (key == "pan") {
            voice.pan = Number(value, -32, 32, line, "pan");
        } else if (key == "chord" && voice.instrument != "kit") {
            voice.chordNotes = Number(value, 1, 6, line, "chord");
        } else if (key == "near") {
            voice.near = Key(value, line);
        } else if (key == "low") {
            voice.low = Key(value, line);
        } else {
            Fail(line, "unknown voice setting \"" + key + "\"");
        }
    }
    voice.firstChannel = score_.Channels();
    if (voice.firstChannel + voice.Channels() > 64) {
        Fail(line, "more than 64 channels");
    }
    score_.voices.push_back(voice);
}

void Reader::ReadSection(const std::vector<std::string>& words, int line) {
    if (words.size() != 3 && !(words.size() == 5 && words[3] == "like")) {
        Fail(line, "a section is: section NAME BARS [like OTHER]");
    }
    RawSection section{words[1], Number(words[2], 1, MaxBars, line, "bars"), line, {}};
    for (const RawSection& other : raw_) {
        if (other.name == section.name) {
            Fail(line, "section \"" + section.name + "\" is defined twice");
        }
    }
    if (words.size() == 5) {
        const auto like =
            std::find_if(raw_.begin(), raw_.end(), [&](const RawSection& s) { return s.name == words[4]; });
        if (like == raw_.end()) {
            Fail(line, "no section \"" + words[4] + "\" before this one");
        }
        section.parts = like->parts;
    }
    replaced_.clear();
    raw_.push_back(section);
}

void Reader::ReadOrder(const std::vector<std::string>& words, int line) {
    orderLine_.emplace_back(std::vector<std::string>(words.begin() + 1, words.end()), line);
}

void Reader::ReadLine(const std::string& text, int line) {
    // A comment starts at a '#' that begins a word, so sharps (F#5, C#m) stay.
    std::size_t hash = text.find('#');
    while (hash != std::string::npos && hash > 0 &&
           !std::isspace(static_cast<unsigned char>(text[hash - 1]))) {
        hash = text.find('#', hash + 1);
    }
    const std::string content = text.substr(0, hash);
    const auto colon = content.find(':');
    if (colon != std::string::npos) {
        const std::vector<std::string> head = Words(content.substr(0, colon));
        if (raw_.empty()) {
            Fail(line, "parts are written inside a section");
        }
        if (head.size() != 1 || (head[0] != "chords" && !FindVoice(head[0]))) {
            Fail(line, "\"" + content.substr(0, colon) + "\" is neither \"chords\" nor a voice");
        }
        std::vector<Token>& part = raw_.back().parts[head[0]];
        if (!replaced_[head[0]]) {
            part.clear();  // a part written here replaces the one copied from a "like" section
            replaced_[head[0]] = true;
        }
        for (const std::string& word : Words(content.substr(colon + 1))) {
            part.push_back({word, line});
        }
        return;
    }
    const std::vector<std::string> words = Words(content);
    if (words.empty()) {
        return;
    }
    const std::string& key = words[0];
    auto single = [&](const std::string& what) -> const std::string& {
        if (words.size() != 2) {
            Fail(line, what + " takes one value");
        }
        return words[1];
    };
    if (key == "title") {
        score_.title = content.substr(content.find("title") + 5);
        score_.title.erase(0, score_.title.find_first_not_of(" \t"));
    } else if (key == "tempo") {
        score_.tempo = Number(single("tempo"), 32, 255, line, "tempo");
    } else if (key == "speed") {
        score_.speed = Number(single("speed"), 1, 31, line, "speed");
    } else if (key == "swing") {
        score_.swing = Number(single("swing"), 0, 15, line, "swing");
    } else if (key == "voice") {
        ReadVoice(words, line);
    } else if (key == "section") {
        ReadSection(words, line);
    } else if (key == "order") {
        ReadOrder(words, line);
    } else {
        Fail(line, "unknown line \"" + key + "\"");
    }
}

std::vector<std::optional<Chord>> Reader::LayChords(const RawSection& raw, int rows) {
    std::vector<std::optional<Chord>> beats;
    const auto part = raw.parts.find("chords");
    if (part == raw.parts.end()) {
        return std::vector<std::optional<Chord>>(static_cast<std::size_t>(rows));
    }
    for (const Token& token : part->second) {
        if (token.text == "|") {
            if (beats.size() % 4 != 0) {
                Fail(token.line,
                     "a bar of chords with " + std::to_string(beats.size() % 4) + " beats, not 4");
            }
        } else if (token.text == ".") {
            if (beats.empty()) {
                Fail(token.line, "the chords start with \".\"");
            }
            beats.push_back(beats.back());
        } else {
            const std::optional<Chord> chord = ParseChord(token.text);
            if (!chord) {
                Fail(token.line, "\"" + token.text +
                                     "\" is not a chord; a chord is a root (C, F#, Bb) and one of: " +
                                     ChordQualities() + ", with an optional /BASS");
            }
            beats.push_back(chord);
        }
    }
    const int total = rows / RowsPerBeat;
    const int given = static_cast<int>(beats.size());
    if (given == 0 || total % given != 0) {
        Fail(part->second.front().line, "section " + raw.name + " has " + std::to_string(total) +
                                            " beats; its chords give " + std::to_string(given));
    }
    std::vector<std::optional<Chord>> chords;
    for (int row = 0; row < rows; ++row) {
        chords.push_back(beats[static_cast<std::size_t>((row / RowsPerBeat) % given)]);
    }
    return chords;
}

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

std::string ChordKey(const Chord& chord) {
    std::string key = std::to_string(chord.root) + "/" + std::to_string(chord.bass);
    for (int interval : chord.intervals) {
        key += " " + std::to_string(interval);
    }
    return key;
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

void Reader::LayMelody(const ScoreVoice& voice, const std::vector<Token>& tokens,
                       const std::vector<std::optional<Chord>>& chords, ScoreSection& section) {
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
                Fail(token.line, voice.name + ": bar " + std::to_string(row / RowsPerBar + 1) + " ends " +
                                     std::to_string(row % RowsPerBar) + " rows into the next");
            }
            continue;
        }
        if (t[0] == 'v' && t.size() > 1 && std::isdigit(static_cast<unsigned char>(t[1]))) {
            volume = Number(t.substr(1), 0, 64, token.line, "a volume");
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
            event.key = ::Key(t, &length);
            durationAt = static_cast<std::size_t>(length);
            valid = event.key >= 0;
        }
        const int rows = valid ? Duration(t, durationAt) : -1;
        if (rows < 0) {
            Fail(token.line,
                 voice.name + ": \"" + t +
                     "\" is not a note (C4q, F#3e.), a degree (1q, 5,e), a rest (rq), a hold (-q) or a "
                     "volume (v40)");
        }
        if (row + rows > section.rows) {
            Fail(token.line, voice.name + ": the notes run past the end of section " + section.name);
        }
        if (event.key != -3) {
            events.push_back(event);
        }
        row += rows;
    }
    if (row == 0 || section.rows % row != 0) {
        Fail(tokens.empty() ? 0 : tokens.back().line, voice.name + ": the notes fill " + std::to_string(row) +
                                                          " rows of section " + section.name + "'s " +
                                                          std::to_string(section.rows));
    }
    std::vector<ScoreNote>& notes = section.channels[static_cast<std::size_t>(voice.firstChannel)];
    for (int start = 0; start < section.rows; start += row) {
        for (const Event& event : events) {
            const int at = start + event.row;
            int key = event.key;
            if (event.degree) {
                const std::optional<Chord>& chord = chords[static_cast<std::size_t>(at)];
                if (!chord) {
                    Fail(event.line,
                         voice.name + ": a degree falls where section " + section.name + " gives no chord");
                }
                key = DegreeKey(*chord, event.degree, voice.low) + 12 * event.shift;
            }
            notes[static_cast<std::size_t>(at)] = {key, voice.instrument,
                                                   key == ScoreNote::Off ? -1 : event.volume};
        }
    }
}

void Reader::LayGrid(const ScoreVoice& voice, const std::vector<Token>& tokens,
                     const std::vector<std::optional<Chord>>& chords, ScoreSection& section) {
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
            volume = Number(t.substr(1), 0, 64, token.line, "a volume");
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
        Fail(tokens.empty() ? 0 : tokens.front().line,
             voice.name + ": " + std::to_string(given) + " steps do not fill the " +
                 std::to_string(section.rows) + " rows of section " + section.name + " evenly");
    }
    const bool drums = voice.instrument == "kit";
    std::vector<int>& voicing = voicings_[voice.name];
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
                Fail(step.line,
                     voice.name + ": \"" + std::string(1, step.c) + "\" is no drum; drums: " + DrumLetters());
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
            Fail(step.line, voice.name + ": \"" + std::string(1, step.c) +
                                "\" is none of x X - . or a note 1.." + std::to_string(voice.chordNotes));
        }
        const std::optional<Chord>& chord = chords[static_cast<std::size_t>(row)];
        if (!chord) {
            Fail(step.line, voice.name + ": a chord is struck where section " + section.name + " gives none");
        }
        // Voiced again only when the chord changed since the last strike, from where it was.
        const std::string symbol = ChordKey(*chord);
        if (voicing.empty() || voicedChord_[voice.name] != symbol) {
            voicing = VoiceChord(*chord, voice.chordNotes, voice.near, voicing);
            voicedChord_[voice.name] = symbol;
        }
        for (int c = 0; c < voice.chordNotes; ++c) {
            if (all || c == only) {
                at(c) = {voicing[static_cast<std::size_t>(c)], voice.instrument, stepVolume};
                sounding[static_cast<std::size_t>(c)] = true;
            }
        }
    }
}

ScoreSection Reader::Lay(const RawSection& raw) {
    ScoreSection section;
    section.name = raw.name;
    section.rows = raw.bars * RowsPerBar;
    section.channels.assign(static_cast<std::size_t>(score_.Channels()),
                            std::vector<ScoreNote>(static_cast<std::size_t>(section.rows)));
    const std::vector<std::optional<Chord>> chords = LayChords(raw, section.rows);
    for (const ScoreVoice& voice : score_.voices) {
        const auto part = raw.parts.find(voice.name);
        if (part == raw.parts.end()) {
            // A voice that rests for a whole section stops whatever it held.
            for (int c = 0; c < voice.Channels(); ++c) {
                section.channels[static_cast<std::size_t>(voice.firstChannel + c)][0] = {
                    ScoreNote::Off, voice.instrument, -1};
            }
        } else if (voice.instrument == "kit" || voice.chordNotes > 0) {
            LayGrid(voice, part->second, chords, section);
        } else {
            LayMelody(voice, part->second, chords, section);
        }
    }
    return section;
}

Score Reader::Read(const std::string& text) {
    std::istringstream in(text);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ReadLine(line, ++number);
    }
    if (score_.voices.empty() || raw_.empty() || orderLine_.empty()) {
        Fail(number, "a piece needs voices, sections and an order");
    }
    if (score_.swing >= score_.speed) {
        Fail(number, "swing must be less than speed");
    }
    for (const RawSection& raw : raw_) {
        score_.sections.push_back(Lay(raw));
    }
    for (const auto& [names, line] : orderLine_) {
        for (const std::string& name : names) {
            const auto found =
                std::find_if(raw_.begin(), raw_.end(), [&](const RawSection& s) { return s.name == name; });
            if (found == raw_.end()) {
                Fail(line, "the order names no section \"" + name + "\"");
            }
            score_.order.push_back(static_cast<int>(found - raw_.begin()));
        }
    }
    if (score_.order.empty() || score_.order.size() > 255) {
        Fail(orderLine_.front().second, "the order holds 1 to 255 sections");
    }
    return score_;
}

}  // namespace

Score ParseScore(const std::string& text, const std::string& fileName) {
    return Reader(fileName).Read(text);
}

Score ReadScore(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    return ParseScore(text.str(), path);
}
