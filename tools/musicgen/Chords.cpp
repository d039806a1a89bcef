#include "Chords.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

namespace {

const std::vector<std::pair<std::string, std::vector<int>>>& Qualities() {
    // Longest first, so "m7b5" is not read as "m".
    static const std::vector<std::pair<std::string, std::vector<int>>> qualities = {
        {"7sus4", {0, 5, 7, 10}}, {"m7b5", {0, 3, 6, 10}},  {"maj9", {0, 4, 7, 11, 14}},
        {"maj7", {0, 4, 7, 11}},  {"dim7", {0, 3, 6, 9}},   {"add9", {0, 4, 7, 14}},
        {"sus4", {0, 5, 7}},      {"sus2", {0, 2, 7}},      {"m9", {0, 3, 7, 10, 14}},
        {"m7", {0, 3, 7, 10}},    {"m6", {0, 3, 7, 9}},     {"dim", {0, 3, 6}},
        {"aug", {0, 4, 8}},       {"9", {0, 4, 7, 10, 14}}, {"7", {0, 4, 7, 10}},
        {"6", {0, 4, 7, 9}},      {"m", {0, 3, 7}},         {"", {0, 4, 7}},
    };
    return qualities;
}

int PitchClass(int key) {
    return ((key % 12) + 12) % 12;
}

// The order in which a chord's notes are given up when there are fewer voices than notes.
std::vector<int> TonesByImportance(const Chord& chord) {
    const std::vector<int>& iv = chord.intervals;
    std::vector<int> order;
    auto add = [&](std::size_t index) {
        if (index < iv.size()) {
            order.push_back(PitchClass(chord.root + iv[index]));
        }
    };
    add(0);
    add(1);
    add(3);
    add(4);
    add(2);
    return order;
}

}  // namespace

int ParsePitchClass(const std::string& name) {
    static const int natural[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') {
        return -1;
    }
    int pc = natural[name[0] - 'A'];
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] == '#') {
            ++pc;
        } else if (name[i] == 'b') {
            --pc;
        } else {
            return -1;
        }
    }
    return PitchClass(pc);
}

std::optional<Chord> ParseChord(const std::string& symbol) {
    std::string body = symbol;
    std::string bassName;
    if (const auto slash = symbol.find('/'); slash != std::string::npos) {
        body = symbol.substr(0, slash);
        bassName = symbol.substr(slash + 1);
    }
    std::size_t rootLength = body.size() > 1 && (body[1] == '#' || body[1] == 'b') ? 2 : 1;
    const int root = ParsePitchClass(body.substr(0, rootLength));
    if (root < 0) {
        return std::nullopt;
    }
    const std::string quality = body.substr(rootLength);
    for (const auto& [name, intervals] : Qualities()) {
        if (name == quality) {
            Chord chord{root, root, intervals};
            if (!bassName.empty()) {
                chord.bass = ParsePitchClass(bassName);
                if (chord.bass < 0) {
                    return std::nullopt;
                }
            }
            return chord;
        }
    }
    return std::nullopt;
}

std::string ChordQualities() {
    std::string names;
    for (const auto& quality : Qualities()) {
        names += (names.empty() ? "" : " ") + (quality.first.empty() ? "(major)" : quality.first);
    }
    return names;
}

std::vector<int> VoiceChord(const Chord& chord, int count, int near, const std::vector<int>& previous) {
    const std::vector<int> tones = TonesByImportance(chord);
    const std::size_t needed = std::min<std::size_t>(tones.size(), static_cast<std::size_t>(count));
    std::vector<int> candidates;
    for (int key = near - 9; key <= near + 9; ++key) {
        if (std::find(tones.begin(), tones.end(), PitchClass(key)) != tones.end()) {
            candidates.push_back(key);
        }
    }
    std::vector<int> best;
    double bestScore = 1e30;
    std::vector<int> pick;
    std::function<void(std::size_t)> choose = [&](std::size_t from) {
        if (pick.size() == static_cast<std::size_t>(count)) {
            // Every one of the most important tones must sound.
            for (std::size_t t = 0; t < needed; ++t) {
                if (std::none_of(pick.begin(), pick.end(),
                                 [&](int k) { return PitchClass(k) == tones[t]; })) {
                    return;
                }
            }
            double score = 0;
            double mean = 0;
            for (std::size_t i = 0; i < pick.size(); ++i) {
                mean += pick[i];
                if (previous.size() == pick.size()) {
                    score += std::abs(pick[i] - previous[i]);
                }
                if (i > 0 && pick[i] - pick[i - 1] < 2) {
                    score += 4;  // a semitone rub
                }
            }
            score += 0.5 * std::abs(mean / static_cast<double>(pick.size()) - near);
            score += 0.25 * (pick.back() - pick.front());  // close voicings blend
            if (score < bestScore) {
                bestScore = score;
                best = pick;
            }
            return;
        }
        for (std::size_t i = from; i < candidates.size(); ++i) {
            pick.push_back(candidates[i]);
            choose(i + 1);
            pick.pop_back();
        }
    };
    choose(0);
    return best;
}
