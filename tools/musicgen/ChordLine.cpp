#include "ChordLine.h"

RowChords LayChords(const ScoreText& text, const std::string& section, const std::vector<Token>& tokens,
                    int rows) {
    RowChords beats;
    for (const Token& token : tokens) {
        if (token.text == "|") {
            if (beats.size() % 4 != 0) {
                text.Fail(token.line,
                          "a bar of chords with " + std::to_string(beats.size() % 4) + " beats, not 4");
            }
        } else if (token.text == ".") {
            if (beats.empty()) {
                text.Fail(token.line, "the chords start with \".\"");
            }
            beats.push_back(beats.back());
        } else {
            const std::optional<Chord> chord = ParseChord(token.text);
            if (!chord) {
                text.Fail(token.line, "\"" + token.text +
                                          "\" is not a chord; a chord is a root (C, F#, Bb) and one of: " +
                                          ChordQualities() + ", with an optional /BASS");
            }
            beats.push_back(chord);
        }
    }
    const int total = rows / RowsPerBeat;
    const int given = static_cast<int>(beats.size());
    if (given == 0 || total % given != 0) {
        text.Fail(tokens.front().line, "section " + section + " has " + std::to_string(total) +
                                           " beats; its chords give " + std::to_string(given));
    }
    RowChords chords;
    for (int row = 0; row < rows; ++row) {
        chords.push_back(beats[static_cast<std::size_t>((row / RowsPerBeat) % given)]);
    }
    return chords;
}
