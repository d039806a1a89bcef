#include "ScoreReader.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "ChordLine.h"
#include "GridPart.h"
#include "Instruments.h"
#include "MelodyPart.h"
#include "ScoreText.h"

namespace {

constexpr int MaxBars = 12;  // a pattern holds at most 200 rows

struct RawSection {
    std::string name;
    int bars = 0;
    int line = 0;
    std::map<std::string, std::vector<Token>> parts;  // voice name (or "chords") to its tokens
};

class Reader {
public:
    explicit Reader(std::string fileName) : text_(std::move(fileName)) {}

    Score Read(const std::string& text);

private:
    void ReadLine(const std::string& line, int number);
    void ReadVoice(const std::vector<std::string>& words, int line);
    void ReadSection(const std::vector<std::string>& words, int line);
    void ReadOrder(const std::vector<std::string>& words, int line);
    const ScoreVoice* FindVoice(const std::string& name) const;
    ScoreSection Lay(const RawSection& raw);

    ScoreText text_;
    Score score_;
    std::vector<RawSection> raw_;
    std::vector<std::pair<std::vector<std::string>, int>> orderLine_;
    std::map<std::string, LastVoicing> voicings_;  // each chord voice's, from section to section
    std::map<std::string, bool> replaced_;         // parts of a "like" section already rewritten
};

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
        text_.Fail(line,
                   "a voice is: voice NAME INSTRUMENT [vol N] [pan N] [chord N] [near NOTE] [low NOTE]");
    }
    if (!raw_.empty()) {
        text_.Fail(line, "voices come before the first section");
    }
    ScoreVoice voice;
    voice.name = words[1];
    voice.instrument = words[2];
    if (FindVoice(voice.name) || voice.name == "chords") {
        text_.Fail(line, "the voice name \"" + voice.name + "\" is taken");
    }
    if (voice.instrument != "kit" && !FindInstrument(voice.instrument)) {
        text_.Fail(line, "unknown instrument \"" + voice.instrument + "\"; known: kit " + InstrumentNames());
    }
    for (std::size_t i = 3; i + 1 < words.size(); i += 2) {
        const std::string& key = words[i];
        const std::string& value = words[i + 1];
        if (key == "vol") {
            voice.volume = text_.Number(value, 0, 64, line, "vol");
        } else if (key == "pan") {
            voice.pan = text_.Number(value, -32, 32, line, "pan");
        } else if (key == "chord" && voice.instrument != "kit") {
            voice.chordNotes = text_.Number(value, 1, 6, line, "chord");
        } else if (key == "near") {
            voice.near = text_.Key(value, line);
        } else if (key == "low") {
            voice.low = text_.Key(value, line);
        } else {
            text_.Fail(line, "unknown voice setting \"" + key + "\"");
        }
    }
    voice.firstChannel = score_.Channels();
    if (voice.firstChannel + voice.Channels() > 64) {
        text_.Fail(line, "more than 64 channels");
    }
    score_.voices.push_back(voice);
}

void Reader::ReadSection(const std::vector<std::string>& words, int line) {
    if (words.size() != 3 && !(words.size() == 5 && words[3] == "like")) {
        text_.Fail(line, "a section is: section NAME BARS [like OTHER]");
    }
    RawSection section{words[1], text_.Number(words[2], 1, MaxBars, line, "bars"), line, {}};
    for (const RawSection& other : raw_) {
        if (other.name == section.name) {
            text_.Fail(line, "section \"" + section.name + "\" is defined twice");
        }
    }
    if (words.size() == 5) {
        const auto like =
            std::find_if(raw_.begin(), raw_.end(), [&](const RawSection& s) { return s.name == words[4]; });
        if (like == raw_.end()) {
            text_.Fail(line, "no section \"" + words[4] + "\" before this one");
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
    const std::string content = WithoutComment(text);
    const auto colon = content.find(':');
    if (colon != std::string::npos) {
        const std::vector<std::string> head = Words(content.substr(0, colon));
        if (raw_.empty()) {
            text_.Fail(line, "parts are written inside a section");
        }
        if (head.size() != 1 || (head[0] != "chords" && !FindVoice(head[0]))) {
            text_.Fail(line, "\"" + content.substr(0, colon) + "\" is neither \"chords\" nor a voice");
        }
        std::vector<Token>& part = raw_.back().parts[head[0]];
        if (!replaced_[head[0]]) {
            part.clear();  // a part written here replaces the one copied from a "like" section
            replaced_[head[0]] = true;
        }
        const std::vector<std::string> words = Words(content.substr(colon + 1));
        if (words.empty()) {
            text_.Fail(line, "\"" + head[0] + ":\" is empty");
        }
        for (const std::string& word : words) {
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
            text_.Fail(line, what + " takes one value");
        }
        return words[1];
    };
    if (key == "title") {
        score_.title = content.substr(content.find("title") + 5);
        score_.title.erase(0, score_.title.find_first_not_of(" \t"));
    } else if (key == "tempo") {
        score_.tempo = text_.Number(single("tempo"), 32, 255, line, "tempo");
    } else if (key == "speed") {
        score_.speed = text_.Number(single("speed"), 1, 31, line, "speed");
    } else if (key == "swing") {
        score_.swing = text_.Number(single("swing"), 0, 15, line, "swing");
    } else if (key == "voice") {
        ReadVoice(words, line);
    } else if (key == "section") {
        ReadSection(words, line);
    } else if (key == "order") {
        ReadOrder(words, line);
    } else {
        text_.Fail(line, "unknown line \"" + key + "\"");
    }
}

ScoreSection Reader::Lay(const RawSection& raw) {
    ScoreSection section;
    section.name = raw.name;
    section.rows = raw.bars * RowsPerBar;
    section.channels.assign(static_cast<std::size_t>(score_.Channels()),
                            std::vector<ScoreNote>(static_cast<std::size_t>(section.rows)));
    const auto chordPart = raw.parts.find("chords");
    const RowChords chords = chordPart == raw.parts.end()
                                 ? RowChords(static_cast<std::size_t>(section.rows))
                                 : LayChords(text_, raw.name, chordPart->second, section.rows);
    for (const ScoreVoice& voice : score_.voices) {
        const auto part = raw.parts.find(voice.name);
        if (part == raw.parts.end()) {
            // A voice that rests for a whole section stops whatever it held.
            for (int c = 0; c < voice.Channels(); ++c) {
                section.channels[static_cast<std::size_t>(voice.firstChannel + c)][0] = {
                    ScoreNote::Off, voice.instrument, -1};
            }
        } else if (voice.instrument == "kit" || voice.chordNotes > 0) {
            LayGrid(text_, voice, part->second, chords, voicings_[voice.name], section);
        } else {
            LayMelody(text_, voice, part->second, chords, section);
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
        text_.Fail(number, "a piece needs voices, sections and an order");
    }
    if (score_.swing >= score_.speed) {
        text_.Fail(number, "swing must be less than speed");
    }
    for (const RawSection& raw : raw_) {
        score_.sections.push_back(Lay(raw));
    }
    for (const auto& [names, line] : orderLine_) {
        for (const std::string& name : names) {
            const auto found =
                std::find_if(raw_.begin(), raw_.end(), [&](const RawSection& s) { return s.name == name; });
            if (found == raw_.end()) {
                text_.Fail(line, "the order names no section \"" + name + "\"");
            }
            score_.order.push_back(static_cast<int>(found - raw_.begin()));
        }
    }
    if (score_.order.empty() || score_.order.size() > 255) {
        text_.Fail(orderLine_.front().second, "the order holds 1 to 255 sections");
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
