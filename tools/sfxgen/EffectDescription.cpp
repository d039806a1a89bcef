#include "EffectDescription.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

namespace {

using Kind = Layer::Kind;

// Throws with the place and what is wrong, as every message of this reader reads.
[[noreturn]] void Fail(const std::string& fileName, int line, const std::string& what) {
    throw DescriptionError(fileName + ":" + std::to_string(line) + ": " + what);
}

bool ReadNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && stop == end;
}

// A key's value within limits; the layer kinds that accept it; where it goes.
struct Setting {
    double min;
    double max;
    bool sweeps;
    std::vector<Kind> kinds;
    std::function<void(Layer&, Sweep)> set;
};

const std::vector<Kind> AllKinds = {Kind::Note, Kind::Drum, Kind::Tone, Kind::Noise, Kind::Bubbles};
const std::vector<Kind> Sampled = {Kind::Note, Kind::Drum};
const std::vector<Kind> Synthesised = {Kind::Tone, Kind::Noise, Kind::Bubbles};

int Whole(double value) {
    return static_cast<int>(value);
}

const std::map<std::string, Setting>& LayerSettings() {
    static const std::map<std::string, Setting> settings = {
        {"at", {0, 10, false, AllKinds, [](Layer& l, Sweep v) { l.at = v.from; }}},
        {"level", {-60, 12, false, AllKinds, [](Layer& l, Sweep v) { l.level = v.from; }}},
        {"pan", {-1, 1, true, AllKinds, [](Layer& l, Sweep v) { l.pan = v; }}},
        {"lowpass", {20, 20000, true, AllKinds, [](Layer& l, Sweep v) { l.lowpass = v; }}},
        {"highpass", {20, 20000, true, AllKinds, [](Layer& l, Sweep v) { l.highpass = v; }}},
        {"attack", {0, 5, false, AllKinds, [](Layer& l, Sweep v) { l.attack = v.from; }}},
        {"decay", {0, 10, false, AllKinds, [](Layer& l, Sweep v) { l.decay = v.from; }}},
        {"release", {0, 5, false, AllKinds, [](Layer& l, Sweep v) { l.release = v.from; }}},
        {"repeat", {1, 64, false, AllKinds, [](Layer& l, Sweep v) { l.repeat = Whole(v.from); }}},
        {"every", {0, 5, false, AllKinds, [](Layer& l, Sweep v) { l.every = v.from; }}},
        {"step", {-24, 24, false, AllKinds, [](Layer& l, Sweep v) { l.step = v.from; }}},
        {"program", {0, 127, false, Sampled, [](Layer& l, Sweep v) { l.program = Whole(v.from); }}},
        {"key", {0, 127, false, Sampled, [](Layer& l, Sweep v) { l.key = Whole(v.from); }}},
        {"velocity", {1, 127, false, Sampled, [](Layer& l, Sweep v) { l.velocity = Whole(v.from); }}},
        {"hold", {0.01, 10, false, Sampled, [](Layer& l, Sweep v) { l.hold = v.from; }}},
        {"tail", {0, 10, false, Sampled, [](Layer& l, Sweep v) { l.tail = v.from; }}},
        {"length", {0.005, 10, false, Synthesised, [](Layer& l, Sweep v) { l.length = v.from; }}},
        {"freq", {20, 20000, true, {Kind::Tone, Kind::Bubbles}, [](Layer& l, Sweep v) { l.freq = v; }}},
        {"vibrato", {0, 40, false, {Kind::Tone}, [](Layer& l, Sweep v) { l.vibrato = v.from; }}},
        {"depth", {0, 12, false, {Kind::Tone}, [](Layer& l, Sweep v) { l.depth = v.from; }}},
        {"count", {1, 200, false, {Kind::Bubbles}, [](Layer& l, Sweep v) { l.count = Whole(v.from); }}},
        {"seed", {0, 1e9, false, {Kind::Bubbles}, [](Layer& l, Sweep v) { l.seed = Whole(v.from); }}},
    };
    return settings;
}

const std::map<std::string, Kind> KindNames = {{"note", Kind::Note},
                                               {"drum", Kind::Drum},
                                               {"tone", Kind::Tone},
                                               {"noise", Kind::Noise},
                                               {"bubbles", Kind::Bubbles}};

const std::map<std::string, Layer::Wave> WaveNames = {{"sine", Layer::Wave::Sine},
                                                      {"triangle", Layer::Wave::Triangle},
                                                      {"square", Layer::Wave::Square},
                                                      {"saw", Layer::Wave::Saw}};

class LineReader {
public:
    LineReader(const std::string& fileName, int line) : fileName_(fileName), line_(line) {}

    [[noreturn]] void Fail(const std::string& what) const { ::Fail(fileName_, line_, what); }

    // "a" or "a..b", each within [min, max].
    Sweep ReadValue(const std::string& key, const std::string& text, double min, double max,
                    bool sweeps) const {
        const size_t dots = text.find("..");
        if (dots != std::string::npos && !sweeps) {
            Fail(key + " does not glide: give one value, not \"" + text + "\"");
        }
        Sweep sweep;
        const std::string from = text.substr(0, dots);
        const std::string to = dots == std::string::npos ? from : text.substr(dots + 2);
        if (!ReadNumber(from, sweep.from) || !ReadNumber(to, sweep.to)) {
            Fail(key + " needs a number" + (sweeps ? " or a glide a..b" : "") + ", not \"" + text + "\"");
        }
        for (double value : {sweep.from, sweep.to}) {
            if (value < min || value > max) {
                std::ostringstream limits;
                limits << key << " " << value << " is outside " << min << " to " << max;
                Fail(limits.str());
            }
        }
        return sweep;
    }

    // Splits "key=value" words; a word without '=' or with an empty side is an error.
    std::pair<std::string, std::string> Split(const std::string& word) const {
        const size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == word.size()) {
            Fail("expected key=value, not \"" + word + "\"");
        }
        return {word.substr(0, equals), word.substr(equals + 1)};
    }

private:
    const std::string& fileName_;
    int line_;
};

void ReadEffectLine(std::istringstream& words, const LineReader& reader, Effect& effect) {
    std::string word;
    while (words >> word) {
        const auto [key, value] = reader.Split(word);
        if (key == "reverb") {
            effect.reverb = reader.ReadValue(key, value, 0, 1, false).from;
        } else if (key == "room") {
            effect.room = reader.ReadValue(key, value, 0, 1, false).from;
        } else if (key == "length") {
            effect.maxLength = reader.ReadValue(key, value, 0.02, 10, false).from;
        } else {
            reader.Fail("an effect has reverb, room and length, not \"" + key + "\"");
        }
    }
}

void CheckLayer(const Layer& layer, const LineReader& reader) {
    if ((layer.kind == Kind::Note || layer.kind == Kind::Drum) && layer.key < 0) {
        reader.Fail("a note or drum needs key=");
    }
    if (layer.kind != Kind::Note && layer.kind != Kind::Drum && layer.length == 0) {
        reader.Fail("a tone, noise or bubbles needs length=");
    }
    if ((layer.kind == Kind::Tone || layer.kind == Kind::Bubbles) && layer.freq.from == 0) {
        reader.Fail("a tone or bubbles needs freq=");
    }
    if (layer.kind == Kind::Bubbles && layer.count == 0) {
        reader.Fail("bubbles need count=");
    }
    if (layer.repeat > 1 && layer.every <= 0) {
        reader.Fail("repeat needs every= (seconds between repeats)");
    }
}

Layer ReadLayer(Kind kind, std::istringstream& words, const LineReader& reader, int line) {
    Layer layer;
    layer.kind = kind;
    layer.line = line;
    std::string word;
    while (words >> word) {
        const auto [key, value] = reader.Split(word);
        if (key == "wave" && kind == Kind::Tone) {
            const auto wave = WaveNames.find(value);
            if (wave == WaveNames.end()) {
                reader.Fail("wave is sine, triangle, square or saw, not \"" + value + "\"");
            }
            layer.wave = wave->second;
            continue;
        }
        const auto setting = LayerSettings().find(key);
        if (setting == LayerSettings().end() ||
            std::find(setting->second.kinds.begin(), setting->second.kinds.end(), kind) ==
                setting->second.kinds.end()) {
            reader.Fail("this layer has no setting \"" + key + "\"");
        }
        const Setting& s = setting->second;
        s.set(layer, reader.ReadValue(key, value, s.min, s.max, s.sweeps));
    }
    CheckLayer(layer, reader);
    return layer;
}

}  // namespace

Effect ParseEffect(const std::string& text, const std::string& fileName) {
    Effect effect;
    std::istringstream lines(text);
    std::string lineText;
    for (int line = 1; std::getline(lines, lineText); ++line) {
        std::istringstream words(lineText.substr(0, lineText.find('#')));
        std::string first;
        if (!(words >> first)) {
            continue;
        }
        const LineReader reader(fileName, line);
        if (first == "effect") {
            ReadEffectLine(words, reader, effect);
            continue;
        }
        const auto kind = KindNames.find(first);
        if (kind == KindNames.end()) {
            reader.Fail("a line starts with effect, note, drum, tone, noise or bubbles, not \"" + first +
                        "\"");
        }
        effect.layers.push_back(ReadLayer(kind->second, words, reader, line));
    }
    if (effect.layers.empty()) {
        Fail(fileName, 1, "the effect has no layers");
    }
    return effect;
}

Effect ReadEffect(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw DescriptionError(file.string() + ": cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    Effect effect = ParseEffect(text.str(), file.string());
    effect.name = file.stem().string();
    return effect;
}
