#pragma once

#include <vector>

#include "ChordLine.h"
#include "Score.h"
#include "ScoreText.h"

// A melody voice's part: notes, chord degrees, rests, holds and volumes, laid on the voice's
// channel as often as it fits the section.
void LayMelody(const ScoreText& text, const ScoreVoice& voice, const std::vector<Token>& tokens,
               const RowChords& chords, ScoreSection& section);
