#pragma once

#include <string>
#include <utility>
#include <vector>

// The words of a music file and the values read from them. A fault names the file and the line.

// A music file counts time in rows: four a beat, sixteen a bar.
constexpr int RowsPerBeat = 4;
constexpr int RowsPerBar = 16;

// A word of a part, with the line it stands on: a part may run over several lines.
struct Token {
    std::string text;
    int line = 0;
};

std::vector<std::string> Words(const std::string& text);
// The line up to its comment, which starts at a '#' that begins a word, so sharps (F#5, C#m) stay.
std::string WithoutComment(const std::string& line);
// The MIDI key of the note name that text starts with ("C4" is middle C, 60; "F#3", "Bb5"), and
// the name's length in *length; -1 when text starts with none.
int NoteKey(const std::string& text, int* length);

class ScoreText {
public:
    explicit ScoreText(std::string fileName) : file_(std::move(fileName)) {}

    // Throws std::runtime_error: "FILE:LINE: message".
    [[noreturn]] void Fail(int line, const std::string& message) const;
    int Number(const std::string& word, int low, int high, int line, const std::string& what) const;
    // A word that is a whole note name.
    int Key(const std::string& name, int line) const;

private:
    std::string file_;
};
