#pragma once

#include <string>
#include <vector>

#include "ChordLine.h"
#include "Score.h"
#include "ScoreText.h"

// A chord voice's last voicing and the chord it was made for, kept from section to section.
struct LastVoicing {
    std::vector<int> keys;
    std::string chord;
};

// A chord or drum voice's part, one character a row: strikes, holds and stops of the chord on
// the voice's channels, or drums of the kit; repeated to fill the section.
void LayGrid(const ScoreText& text, const ScoreVoice& voice, const std::vector<Token>& tokens,
             const RowChords& chords, LastVoicing& last, ScoreSection& section);
