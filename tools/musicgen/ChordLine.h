#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Chords.h"
#include "ScoreText.h"

// The chord sounding at each row of a section; nothing where the section gives none.
using RowChords = std::vector<std::optional<Chord>>;

// A section's "chords:" part, one symbol a beat, "." holding the last and "|" ending a bar,
// repeated to fill the section's rows.
RowChords LayChords(const ScoreText& text, const std::string& section, const std::vector<Token>& tokens,
                    int rows);
