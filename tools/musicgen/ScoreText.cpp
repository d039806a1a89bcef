#include "ScoreText.h"

#include <cctype>
#include <sstream>
#include <stdexcept>

#include "Chords.h"

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

std::string WithoutComment(const std::string& line) {
    std::size_t hash = line.find('#');
    while (hash != std::string::npos && hash > 0 &&
           !std::isspace(static_cast<unsigned char>(line[hash - 1]))) {
        hash = line.find('#', hash + 1);
    }
    return line.substr(0, hash);
}

int NoteKey(const std::string& text, int* length) {
    std::size_t at = 1;
    if (text.size() > 1 && (text[1] == '#' || text[1] == 'b')) {
        at = 2;
    }
    const int pc = ParsePitchClass(text.substr(0, at));
    if (pc < 0 || at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) {
        return -1;
    }
    *length = static_cast<int>(at + 1);
    return 12 * (text[at] - '0' + 1) + pc;
}

void ScoreText::Fail(int line, const std::string& message) const {
    throw std::runtime_error(file_ + ":" + std::to_string(line) + ": " + message);
}

int ScoreText::Number(const std::string& word, int low, int high, int line, const std::string& what) const {
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

int ScoreText::Key(const std::string& name, int line) const {
    int length = 0;
    const int key = NoteKey(name, &length);
    if (key < 0 || length != static_cast<int>(name.size())) {
        Fail(line, "\"" + name + "\" is not a note such as C4, F#3 or Bb5");
    }
    return key;
}
